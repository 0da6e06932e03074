#pragma once
#include <string>
#include <string_view>

#include "util/dialogs.h"

namespace util {

// Number grammar shared by the readers below: optional blanks (code 32 or less), optional sign,
// digits with an optional fraction (at least one digit in all, "5." and ".5" are numbers), an
// optional exponent "e" or "E" with optional sign and at least one digit, optional blanks.
// A value too small for a double reads as zero; one too large for a double is not a number.

// Reads a number after replacing the first "," by "." (so "1,5" and "1.5" are both 1.5). On failure
// shows "Invalid number: " + the unchanged text as a plain message and returns the value of the
// longest readable start of the text ("1.5x" and "1.5e999" give 1.5; 0 when nothing could be read).
double ParseNumber(const std::string& text, Dialogs& dialogs);

// ParseNumber for code that must not talk to the user: the same reading (first "," taken for "."),
// false on failure with value left unchanged.
bool TryParseNumber(std::string_view text, double& value);

// Strict reading with the given decimal separator only (the other one is a fault), as a field's
// own text-to-number conversion does; false on failure with value left unchanged.
bool TryParseNumber(std::string_view text, char decimalSeparator, double& value);

// The text without every character whose code is 32 or less.
std::string RemoveBlanks(std::string_view text);

// Prepares a stored expression for the parser: removes blanks, line feeds and carriage returns,
// then every "..." (repeatedly, so a line continuation disappears even where removing one "..."
// forms another), then every remaining character whose code is 32 or less.
std::string CleanExpressionText(std::string_view text);

// Keeps "+", "-", "=", "_", digits and Latin letters A-Z, a-z, in order; drops everything else
// (blanks, punctuation, Cyrillic letters).
std::string DesignationToFileName(std::string_view text);

// Upper case of the ASCII letters and of the Cyrillic letters of code page 1251 (А-Я, а-я, Ё/ё and
// the other Cyrillic letters of that code page) in UTF-8 text; every other character, and any
// byte that is not valid UTF-8, is kept as it is. Used to compare names without regard to case.
std::string toUpperText(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Trims characters of code 32 or less at both ends.
std::string trim(std::string_view text);

}  // namespace util
