#pragma once
#include <string>
#include <string_view>

namespace util {

// Number texts for the user and for text files. The process locale is never consulted: the decimal
// separator is a parameter. Rounding works on the shortest decimal form of the double (the number
// as typed), ties away from zero, so 0.0625 in "0.###" is "0.063". "-0" never appears: a value that
// rounds to zero is written without a sign. NaN and infinities are written "NAN", "INF", "-INF".

// Picture formats: "0.###", "0.####", "0.######", "0.#######", "0.########" and the like write at
// most as many decimals as the picture has "#" and "0" after the "."; trailing zeros beyond the last
// "0" of the picture are dropped, and so is the separator when no decimal remains (300 -> "300",
// 0.00001 in "0.#######" -> "0.00001"). The "0"s before the "." give the least number of integer
// digits, and a "," among them asks for thousands grouping ("#,##0.##"; see the overload below).
//
// Scientific pictures "0.####e-00", "0.###e-00", "0.####e-0", "0.##E+000": one integer digit of the
// mantissa, at most as many decimals as the picture has, then the "e" or "E" as written and the
// exponent with at least as many digits as the "0"s after it. With "e-" the exponent carries a sign
// only when negative, with "e+" always: 1e-6 -> "1e-06", 1.5e10 -> "1.5e10", 0 -> "0e00".
//
// Other characters of the picture are copied literally where they stand: before the digits, between
// the digits and the exponent (the blank of "0.#### e-00" gives "1.5 e-05"), or after everything.
// An empty picture writes the general format below.
std::string formatPicture(double value, std::string_view picture, char decimalSeparator);

// The same with an explicit thousands separator for pictures that ask for grouping. The overload
// above groups nothing: it writes the digits of such a picture ungrouped.
std::string formatPicture(double value, std::string_view picture, char decimalSeparator,
                          char thousandsSeparator);

// General format: the value rounded to 15 significant digits, written in the shortest form;
// scientific with "E" and the exponent's least digits ("1.5E-5", "1E15", "-2.5E-10") when the
// decimal exponent is below -4 or 15 and above, so 0.0001 is "0.0001" and 0.00001 is "1E-5".
// Numbers written this way read back to the same value rounded to 15 significant digits.
std::string formatGeneral(double value, char decimalSeparator);

// Format specifiers of the coordinate readout: "%[-][width].[precision]f" writes exactly
// `precision` decimals (default 2); "%[-][width].[precision]e" writes `precision` significant
// digits in all (default 15) with an upper-case "E", a sign and at least three exponent digits
// (0.25 in "%-12.5e" -> "2.5000E-001" padded to 12). Width pads with blanks, on the right when "-"
// is given, else on the left. Any other specifier throws util::Error.
std::string formatSpecifier(double value, std::string_view specifier, char decimalSeparator);

// Rounds to the nearest integer, ties to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), whatever the
// floating-point rounding mode in force. NaN and infinities are returned unchanged.
double roundHalfEven(double value);

}  // namespace util
