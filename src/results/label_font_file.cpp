#include "results/label_font_file.h"

#include <array>
#include <charconv>
#include <istream>
#include <ostream>
#include <vector>

#include "util/cp1251.h"
#include "util/errors.h"

namespace results {

namespace {

struct NamedColor {
    std::string_view name;
    std::uint32_t value;
};

// Plain colours first, then the desktop's system colours; a value has at most one name.
constexpr std::array<NamedColor, 45> kNamedColors{{
    {"clBlack", 0x000000},      {"clMaroon", 0x000080},    {"clGreen", 0x008000},
    {"clOlive", 0x008080},      {"clNavy", 0x800000},      {"clPurple", 0x800080},
    {"clTeal", 0x808000},       {"clGray", 0x808080},      {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},        {"clLime", 0x00FF00},      {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF},   {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},      {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},      {"clMedGray", 0xA4A0A0},
    {"clScrollBar", 0x80000000}, {"clBackground", 0x80000001}, {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003}, {"clMenu", 0x80000004}, {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006}, {"clMenuText", 0x80000007}, {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009}, {"clActiveBorder", 0x8000000A}, {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C}, {"clHighlight", 0x8000000D}, {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F},  {"clBtnShadow", 0x80000010}, {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},  {"clInactiveCaptionText", 0x80000013}, {"clBtnHighlight", 0x80000014},
    {"cl3DDkShadow", 0x80000015}, {"cl3DLight", 0x80000016}, {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
}};

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The file's lines without their CR LF (or LF) ends; a last line without an end counts too.
std::vector<std::string> readLines(std::istream& in) {
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

std::string colorText(std::uint32_t color) {
    for (const NamedColor& named : kNamedColors)
        if (named.value == color) return std::string(named.name);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "$";
    for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(color >> shift) & 0xF];
    return text;
}

std::optional<std::uint32_t> parseColorText(std::string_view text) {
    if (!text.empty() && text.front() == '$') {
        const std::string_view digits = text.substr(1);
        std::uint32_t value = 0;
        if (digits.empty() || digits.size() > 8) return std::nullopt;
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
        if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
        return value;
    }
    for (const NamedColor& named : kNamedColors)
        if (sameIgnoringCase(named.name, text)) return named.value;
    return std::nullopt;
}

void writeLabelFont(std::ostream& out, const LabelFontStyle& font) {
    out << util::utf8ToCp1251(font.name) << "\r\n" << font.size << "\r\n" << colorText(font.color) << "\r\n";
    if (font.bold) out << "fsBold\r\n";
    if (font.italic) out << "fsItalic\r\n";
    if (font.underline) out << "fsUnderline\r\n";
}

bool readLabelFont(std::istream& in, LabelFontStyle& font) {
    const std::vector<std::string> lines = readLines(in);
    if (lines.size() < 3) return false;

    font.name = util::cp1251ToUtf8(lines[0]);

    const std::string& sizeLine = lines[1];
    int size = 0;
    auto [end, error] = std::from_chars(sizeLine.data(), sizeLine.data() + sizeLine.size(), size);
    if (sizeLine.empty() || error != std::errc() || end != sizeLine.data() + sizeLine.size())
        throw util::Error("fntLabel.cfg: \"" + util::cp1251ToUtf8(sizeLine) + "\" is not a font size");
    font.size = size;

    const std::optional<std::uint32_t> color = parseColorText(lines[2]);
    if (!color) throw util::Error("fntLabel.cfg: \"" + util::cp1251ToUtf8(lines[2]) + "\" is not a colour");
    font.color = *color;

    for (size_t i = 3; i < lines.size(); ++i) {
        if (lines[i] == "fsBold") font.bold = true;
        else if (lines[i] == "fsItalic") font.italic = true;
        else if (lines[i] == "fsUnderline") font.underline = true;
    }
    return true;
}

}  // namespace results
