#include "util/utf8.h"

namespace util {

Utf8Char decodeUtf8At(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    Utf8Char invalid{lead, 0};
    if (lead < 0x80) return {lead, 1};

    std::size_t length = 0;
    char32_t cp = 0;
    char32_t smallest = 0;  // below this the sequence is overlong
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        smallest = 0x10000;
    } else {
        return invalid;
    }
    if (pos + length > text.size()) return invalid;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char b = byte(i);
        if ((b & 0xC0) != 0x80) return invalid;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return invalid;
    return {cp, length};
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string_view firstCharacters(std::string_view text, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t k = 0; k < count && pos < text.size(); ++k) {
        const std::size_t length = decodeUtf8At(text, pos).length;
        pos += length == 0 ? 1 : length;
    }
    return text.substr(0, pos);
}

}  // namespace util
