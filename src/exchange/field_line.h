#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace exchange {

// Bytes of the exchange line grammar. Files are single-byte text (code page 1251), lines end with
// CR LF; a field line is: name, NameSeparator, blank, ValueStart, value, ValueEnd, CR LF.
inline constexpr char NameSeparator = '\x1F';
inline constexpr char ValueStart = '@';
inline constexpr char ValueEnd = '\x80';
inline constexpr std::string_view LineEnd = "\r\n";
inline constexpr std::string_view EndLine = ">";

// One field of a record as it stands in the file (code page 1251 bytes).
struct FieldLine {
    std::string name;
    std::string value;
};

// Splits a gathered field line (possibly several physical lines joined by CR LF) into name and
// value. Fails (nullopt) when the name separator with its blank, the value start or the value end
// is missing. The name is trimmed of blanks and control characters; the value is the text between
// the first "@" after the separator and the first 0x80 after it, trimmed of every byte 0..32, so
// an "@" inside a value survives while leading and trailing blanks and line breaks do not.
std::optional<FieldLine> ParseFieldLine(std::string_view gathered);

// The bytes of one field line, CR LF included. Name and value are taken as they are.
std::string FormatFieldLine(std::string_view name, std::string_view value);

}  // namespace exchange
