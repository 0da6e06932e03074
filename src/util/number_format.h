#pragma once
#include <string>
#include <string_view>

namespace util {

// Picture formats: "0.###" (at most three decimals, trailing zeros dropped), "0.########",
// "0.####e-00" (scientific, mantissa with at most four decimals, exponent with at least two digits,
// sign only when negative), "0.###e-00", "0.####e-0" and the like. Rounding is half away from zero
// on the decimal value of the double. The decimal separator is a parameter; the process locale is
// never consulted.
std::string formatPicture(double value, std::string_view picture, char decimalSeparator);

// General format: the shortest text with at most 15 significant digits that reads back to the value
// rounded to 15 significant digits; scientific ("1.5E-10", "1E20") when the exponent is below -5 or
// 15 and above.
std::string formatGeneral(double value, char decimalSeparator);

// Rounds to the nearest integer, ties to even.
double roundHalfEven(double value);

}  // namespace util
