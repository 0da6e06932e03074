#pragma once
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace results {

// The font of the diagram's region labels as "fntLabel.cfg" keeps it.
//
// Colours are colour values of the file: 0x00BBGGRR for a plain colour (blue in the high byte),
// or 0x800000nn for one of the desktop's system colours (nn its number; window text is 8).
struct LabelFontStyle {
    std::string name = "MS Sans Serif";
    int size = 8;                         // points
    std::uint32_t color = 0x80000008;     // window text
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const LabelFontStyle&) const = default;
};

inline constexpr std::uint32_t kSystemColorFlag = 0x80000000u;
inline constexpr std::uint32_t kWindowTextColor = 0x80000008u;

// Colour value from red, green, blue, and back (a system colour has no components of its own).
constexpr std::uint32_t colorFromRgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b) << 16;
}
inline bool isSystemColor(std::uint32_t color) { return (color & kSystemColorFlag) != 0; }

// The colour's symbolic name when it has one ("clRed", "clWindowText"), else "$" and eight
// upper-case hexadecimal digits of the value.
std::string colorText(std::uint32_t color);
// Either form, names without regard to letter case; nullopt when the text is neither.
std::optional<std::uint32_t> parseColorText(std::string_view text);

// Writes the file: name, size, colour, then "fsBold", "fsItalic", "fsUnderline" for the styles
// set, each line ending in CR LF, in code page 1251.
void writeLabelFont(std::ostream& out, const LabelFontStyle& font);

// Reads the file into `font`. A file of fewer than three lines changes nothing (returns false).
// Lines are applied in order; a size line that is not a whole number or a colour line that is no
// colour throws util::Error naming the file and the text, with the lines before it applied. Style
// lines add their style (matched exactly, other lines ignored), so styles already set stay.
bool readLabelFont(std::istream& in, LabelFontStyle& font);

}  // namespace results
