#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace util {

// One step of strict UTF-8 decoding: the code point starting at text[pos] and its length in bytes.
// Length 0 means the bytes there are no valid UTF-8 (a stray continuation byte, a truncated or
// overlong sequence, a surrogate, or a value above U+10FFFF); codePoint is then the first byte.
struct Utf8Char {
    char32_t codePoint = 0;
    std::size_t length = 0;
};
Utf8Char decodeUtf8At(std::string_view text, std::size_t pos);

// The first `count` characters (code points) of a UTF-8 text, the whole text when it is shorter; a
// byte that is no UTF-8 counts as one character.
std::string_view firstCharacters(std::string_view text, std::size_t count);

// Appends the UTF-8 form of a code point (which must be at most U+10FFFF and not a surrogate).
void appendUtf8(std::string& out, char32_t codePoint);

}  // namespace util
