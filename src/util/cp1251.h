#pragma once
#include <string>
#include <string_view>

namespace util {

// Code page 1251 <-> UTF-8. Encoding throws util::Error naming the first character that code
// page 1251 cannot hold; nothing is ever dropped or replaced silently.
std::string utf8ToCp1251(std::string_view utf8);
std::string cp1251ToUtf8(std::string_view bytes);

// True when every character of the UTF-8 text has a code page 1251 byte.
bool encodableInCp1251(std::string_view utf8);

}  // namespace util
