#pragma once
#include <string>
#include <string_view>

namespace util {

// Code page 1251 (Windows Cyrillic) <-> UTF-8, by the full standard table. The byte 0x98, which the
// code page leaves unassigned, decodes to U+0098 and U+0098 encodes back to 0x98, so every byte
// sequence read from a file survives decoding and encoding unchanged.
//
// Encoding throws util::Error naming the first character that code page 1251 cannot hold (its U+
// code and the character itself); invalid UTF-8 is refused the same way, naming the byte and its
// position. Nothing is ever dropped or replaced silently. Decoding never fails.
std::string utf8ToCp1251(std::string_view utf8);
std::string cp1251ToUtf8(std::string_view bytes);

// True when the text is valid UTF-8 and every character of it has a code page 1251 byte.
bool encodableInCp1251(std::string_view utf8);

}  // namespace util
