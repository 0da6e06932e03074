#include "util/shortest_number.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace util {

std::string formatShortest(double value, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";

    // The scientific form without a precision carries exactly the digits that round-trip:
    // "-d.ddde±xx". Its digits and exponent are laid out again below.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific);
    const std::string text(buffer.data(), result.ptr);
    const bool negative = text.front() == '-';
    const std::size_t e = text.find('e');
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i)
        if (text[i] != '.') digits += text[i];
    const int exponent = std::atoi(text.c_str() + e + 1);

    std::string out = negative ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        out += digits.front();
        if (digits.size() > 1) out += decimalSeparator + digits.substr(1);
        return out + "E" + std::to_string(exponent);
    }
    if (exponent < 0) return out + "0" + decimalSeparator + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) return out + digits + std::string(integerDigits - digits.size(), '0');
    return out + digits.substr(0, integerDigits) + decimalSeparator + digits.substr(integerDigits);
}

}  // namespace util
