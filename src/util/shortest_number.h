#pragma once
#include <string>

namespace util {

// The shortest decimal text that reads back to exactly the same double, for result files that other
// programs read: 0.995 stays "0.995" where a rounded form would carry noise such as
// "0.995000000000001", and no digit beyond what tells the double apart is written.
//
// Plain positional notation while the decimal exponent lies in -4..14 ("600", "0.0001",
// "123456789012345"), otherwise scientific with "E" and the exponent's least digits ("1E-5",
// "2.5E15", "-1.2345E-10"). The decimal separator is a parameter; the process locale is never
// consulted. Zero of either sign is "0"; NaN and infinities are "NAN", "INF", "-INF".
std::string formatShortest(double value, char decimalSeparator);

}  // namespace util
