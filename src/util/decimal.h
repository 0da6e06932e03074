#pragma once
#include <string>

namespace util {

// A finite double as decimal digits: value = ±d1.d2d3… × 10^exponent. digits holds no leading and
// no trailing zeros; it is empty for zero (exponent is then 0).
//
// The digits start as the shortest decimal that reads back to the same double, i.e. the number as
// it was typed or as it would be printed exactly; rounding then works on those digits, ties away
// from zero. So 0.125 rounds to 0.13 and 0.1235 to 0.124 although the doubles lie a hair below.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    static Decimal fromDouble(double value);

    bool isZero() const { return digits.empty(); }

    // Keeps the first `count` significant digits (count may be 0 or negative: the value then rounds
    // to 10^(exponent - count + 1) or to zero).
    void roundToSignificant(long count);

    // Keeps `decimals` digits after the decimal point.
    void roundToDecimals(int decimals) { roundToSignificant(static_cast<long>(exponent) + decimals + 1); }

    // Digit at the given power of ten (0 outside the digits).
    char digitAt(int power) const;
};

}  // namespace util
