#pragma once
#include <string>
#include <string_view>

#include "util/dialogs.h"

namespace util {

// Reads a decimal number (optional sign, digits, optional fraction and exponent); the first ","
// is taken for ".". On failure shows "Invalid number: " + text as a plain message and returns the
// value read up to the fault (0 when nothing could be read).
double ParseNumber(const std::string& text, Dialogs& dialogs);

// Strict variant for code that must not talk to the user: nullopt-like false on failure.
bool TryParseNumber(std::string_view text, double& value);

// The text without every character whose code is 32 or less.
std::string RemoveBlanks(std::string_view text);

// Removes blanks, line feeds and carriage returns, then every "..." (repeatedly), then every
// remaining character whose code is 32 or less.
std::string CleanExpressionText(std::string_view text);

// Keeps "+", "-", "=", "_", digits and Latin letters, in order; drops everything else.
std::string DesignationToFileName(std::string_view text);

// Upper and lower case of ASCII and Cyrillic letters of UTF-8 text, for comparisons of names
// without regard to case.
std::string toUpperText(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Trims characters of code 32 or less at both ends.
std::string trim(std::string_view text);

}  // namespace util
