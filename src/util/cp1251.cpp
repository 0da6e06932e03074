#include "util/cp1251.h"

#include <array>
#include <cstdio>
#include <optional>

#include "util/errors.h"
#include "util/utf8.h"

namespace util {
namespace {

// Code points of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order, and bytes below
// 0x80 are ASCII. 0x98 is unassigned in the code page and kept as U+0098.
constexpr std::array<char16_t, 64> kHighTable = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

char32_t decodeByte(unsigned char b) {
    if (b < 0x80) return b;
    if (b >= 0xC0) return char32_t{0x0410} + (b - 0xC0);
    return kHighTable[b - 0x80];
}

std::optional<unsigned char> encodeCodePoint(char32_t cp) {
    if (cp < 0x80) return static_cast<unsigned char>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
    for (std::size_t i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == cp) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::string hex(unsigned value, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", width, value);
    return buf;
}

}  // namespace

std::string utf8ToCp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Char ch = decodeUtf8At(utf8, pos);
        if (ch.length == 0) {
            throw Error("Invalid UTF-8 byte 0x" + hex(ch.codePoint, 2) + " at position " +
                        std::to_string(pos));
        }
        const auto byte = encodeCodePoint(ch.codePoint);
        if (!byte) {
            throw Error("The character U+" + hex(ch.codePoint, 4) + " \"" +
                        std::string(utf8.substr(pos, ch.length)) +
                        "\" cannot be written in code page 1251");
        }
        out += static_cast<char>(*byte);
        pos += ch.length;
    }
    return out;
}

std::string cp1251ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) appendUtf8(out, decodeByte(static_cast<unsigned char>(c)));
    return out;
}

bool encodableInCp1251(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Char ch = decodeUtf8At(utf8, pos);
        if (ch.length == 0 || !encodeCodePoint(ch.codePoint)) return false;
        pos += ch.length;
    }
    return true;
}

}  // namespace util
