#include "util/decimal.h"

#include <charconv>
#include <cmath>

namespace util {

Decimal Decimal::fromDouble(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0) return d;
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    const std::string_view text(buf, static_cast<std::size_t>(result.ptr - buf));
    const std::size_t e = text.find('e');
    for (const char c : text.substr(0, e)) {
        if (c != '.') d.digits += c;
    }
    const std::string_view exp = text.substr(e + 1);
    std::from_chars(exp.data() + (exp[0] == '+' ? 1 : 0), exp.data() + exp.size(), d.exponent);
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

void Decimal::roundToSignificant(long count) {
    if (isZero() || count >= static_cast<long>(digits.size())) return;
    if (count < 0) {
        digits.clear();
        exponent = 0;
        return;
    }
    const bool up = digits[static_cast<std::size_t>(count)] >= '5';
    digits.resize(static_cast<std::size_t>(count));
    if (up) {
        // Carry into the kept digits; all nines become a one at the next power of ten.
        while (!digits.empty() && digits.back() == '9') digits.pop_back();
        if (digits.empty()) {
            digits.push_back('1');
            ++exponent;
        } else {
            ++digits.back();
        }
    }
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (digits.empty()) exponent = 0;
}

char Decimal::digitAt(int power) const {
    const long index = static_cast<long>(exponent) - power;
    if (index < 0 || index >= static_cast<long>(digits.size())) return '0';
    return digits[static_cast<std::size_t>(index)];
}

}  // namespace util
