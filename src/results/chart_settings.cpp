#include "results/chart_settings.h"

#include <charconv>
#include <cstdio>
#include <istream>
#include <ostream>
#include <vector>

#include "util/cp1251.h"
#include "util/errors.h"
#include "util/number_format.h"
#include "util/text.h"
#include "util/utf8.h"

namespace results {

namespace {

constexpr std::string_view kHeader = "[Ravo chart 1]";
constexpr std::array<std::string_view, 4> kStyleKeys{"boundaries", "special", "nodes", "experiment"};
constexpr std::array<std::string_view, 7> kMarkerNames{"none", "circle", "square", "triangle",
                                                        "diamond", "cross", "plus"};

// Text values go into a single-byte line: a line break becomes "\n", a backslash "\\", and a
// character code page 1251 cannot hold "\u{hex}", so nothing the user typed is lost.
std::string encodeText(const std::string& utf8) {
    std::string out;
    for (size_t pos = 0; pos < utf8.size();) {
        const util::Utf8Char ch = util::decodeUtf8At(utf8, pos);
        const size_t length = ch.length ? ch.length : 1;
        const std::string piece = utf8.substr(pos, length);
        pos += length;
        if (piece == "\\") out += "\\\\";
        else if (piece == "\n") out += "\\n";
        else if (piece == "\r") continue;
        else if (ch.length && util::encodableInCp1251(piece)) out += util::utf8ToCp1251(piece);
        else {
            char hex[16];
            std::snprintf(hex, sizeof hex, "\\u{%X}", static_cast<unsigned>(ch.length ? ch.codePoint : 0xFFFD));
            out += hex;
        }
    }
    return out;
}

std::optional<std::string> decodeText(const std::string& bytes) {
    const std::string text = util::cp1251ToUtf8(bytes);
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (i + 1 >= text.size()) return std::nullopt;
        const char next = text[++i];
        if (next == '\\') out += '\\';
        else if (next == 'n') out += '\n';
        else if (next == 'u' && i + 1 < text.size() && text[i + 1] == '{') {
            const size_t close = text.find('}', i);
            if (close == std::string::npos) return std::nullopt;
            std::uint32_t code = 0;
            const char* first = text.data() + i + 2;
            auto [end, error] = std::from_chars(first, text.data() + close, code, 16);
            if (error != std::errc() || end != text.data() + close || close == i + 2 || code > 0x10FFFF ||
                (code >= 0xD800 && code <= 0xDFFF))
                return std::nullopt;
            util::appendUtf8(out, code);
            i = close;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::string rangeText(const AxisRange& range) {
    if (range.automatic) return "auto";
    return util::formatGeneral(range.min, '.') + ";" + util::formatGeneral(range.max, '.');
}

std::optional<AxisRange> parseRange(const std::string& text) {
    if (text == "auto") return AxisRange{};
    const std::vector<std::string> parts = split(text, ';');
    AxisRange range{false, 0, 0};
    if (parts.size() != 2 || !util::TryParseNumber(parts[0], '.', range.min) ||
        !util::TryParseNumber(parts[1], '.', range.max) || !(range.min < range.max))
        return std::nullopt;
    return range;
}

std::string styleText(const SeriesStyle& style) {
    char color[8];
    std::snprintf(color, sizeof color, "#%06X", static_cast<unsigned>(style.rgb & 0xFFFFFF));
    return std::string(style.visible ? "1" : "0") + ";" + color + ";" +
           std::string(kMarkerNames[static_cast<size_t>(style.marker)]) + ";" +
           util::formatGeneral(style.size, '.') + ";" + (style.dottedOutline ? "dotted" : "solid");
}

std::optional<SeriesStyle> parseStyle(const std::string& text) {
    const std::vector<std::string> parts = split(text, ';');
    if (parts.size() != 5) return std::nullopt;
    SeriesStyle style;
    if (parts[0] != "0" && parts[0] != "1") return std::nullopt;
    style.visible = parts[0] == "1";
    if (parts[1].size() != 7 || parts[1][0] != '#') return std::nullopt;
    auto [end, error] = std::from_chars(parts[1].data() + 1, parts[1].data() + 7, style.rgb, 16);
    if (error != std::errc() || end != parts[1].data() + 7) return std::nullopt;
    size_t marker = 0;
    while (marker < kMarkerNames.size() && kMarkerNames[marker] != parts[2]) ++marker;
    if (marker == kMarkerNames.size()) return std::nullopt;
    style.marker = static_cast<MarkerShape>(marker);
    if (!util::TryParseNumber(parts[3], '.', style.size) || !(style.size > 0 && style.size <= 100))
        return std::nullopt;
    if (parts[4] != "solid" && parts[4] != "dotted") return std::nullopt;
    style.dottedOutline = parts[4] == "dotted";
    return style;
}

}  // namespace

std::array<SeriesStyle, 4> ChartSettings::defaultStyles() {
    return {{
        {true, 0x0000C0, MarkerShape::Circle, 5, false},    // boundaries
        {true, 0xFF0000, MarkerShape::Circle, 5, true},     // special points: red, dotted outline
        {true, 0x0000C0, MarkerShape::None, 5, false},      // node lines, in the boundaries' colour
        {true, 0x008000, MarkerShape::Triangle, 7, false},  // experimental points
    }};
}

void writeChartSettings(std::ostream& out, const ChartSettings& settings) {
    out << kHeader << "\r\n";
    out << "title=" << encodeText(settings.title) << "\r\n";
    out << "foot=" << encodeText(settings.foot) << "\r\n";
    out << "bottom=" << rangeText(settings.bottom) << "\r\n";
    out << "left=" << rangeText(settings.left) << "\r\n";
    out << "grid=" << (settings.grid ? "1" : "0") << "\r\n";
    for (size_t i = 0; i < kStyleKeys.size(); ++i)
        out << kStyleKeys[i] << "=" << styleText(settings.styles[i]) << "\r\n";
}

ChartSettings readChartSettings(std::istream& in) {
    ChartSettings settings;
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& why) -> util::Error {
        return util::Error("Chart.cfg, line " + std::to_string(number) + ": " + why);
    };
    bool headerSeen = false;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!headerSeen) {
            if (line != kHeader) throw fail("not a chart settings file");
            headerSeen = true;
            continue;
        }
        if (line.empty()) continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos) throw fail("a line without \"=\"");
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (key == "title" || key == "foot") {
            const std::optional<std::string> text = decodeText(value);
            if (!text) throw fail("damaged text");
            (key == "title" ? settings.title : settings.foot) = *text;
        } else if (key == "bottom" || key == "left") {
            const std::optional<AxisRange> range = parseRange(value);
            if (!range) throw fail("an axis range must be \"auto\" or two increasing numbers");
            (key == "bottom" ? settings.bottom : settings.left) = *range;
        } else if (key == "grid") {
            if (value != "0" && value != "1") throw fail("grid must be 0 or 1");
            settings.grid = value == "1";
        } else {
            for (size_t i = 0; i < kStyleKeys.size(); ++i) {
                if (key != kStyleKeys[i]) continue;
                const std::optional<SeriesStyle> style = parseStyle(value);
                if (!style) throw fail("damaged series style \"" + util::cp1251ToUtf8(value) + "\"");
                settings.styles[i] = *style;
            }
        }
    }
    if (!headerSeen) throw util::Error("Chart.cfg: the file is empty");
    return settings;
}

}  // namespace results
