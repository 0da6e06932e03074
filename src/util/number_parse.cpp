// Reading numbers: ParseNumber and TryParseNumber of text.h.
#include <charconv>
#include <string>
#include <system_error>

#include "util/text.h"

namespace util {
namespace {

struct Reading {
    double value = 0;  // value of the longest readable start of the text
    bool complete = false;
};

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Converts an ASCII number in the form [-]digits[.digits][e[-]digits] without the process locale.
// A magnitude below the smallest double reads as a signed zero; one above the largest fails.
bool convert(const std::string& canonical, double& value) {
    const char* first = canonical.data();
    const char* last = first + canonical.size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc() && end == last) return true;
    if (ec != std::errc::result_out_of_range) return false;

    // Decide between underflow and overflow from the decimal position of the first nonzero digit.
    const std::size_t ePos = canonical.find('e');
    const std::string mantissa = canonical.substr(0, ePos);
    long exponent = 0;
    if (ePos != std::string::npos) {
        const std::string expText = canonical.substr(ePos + 1);
        // Exponents too long for a long are clamped: their sign alone decides.
        if (std::from_chars(expText.data(), expText.data() + expText.size(), exponent).ec !=
            std::errc()) {
            exponent = expText[0] == '-' ? -1000000 : 1000000;
        }
    }
    const std::size_t point = mantissa.find('.');
    const std::size_t intEnd = point == std::string::npos ? mantissa.size() : point;
    const std::size_t firstNonZero = mantissa.find_first_not_of("-0.");
    if (firstNonZero == std::string::npos) return false;
    long position = static_cast<long>(intEnd) - static_cast<long>(firstNonZero);
    if (firstNonZero > intEnd) ++position;  // the first nonzero digit lies in the fraction
    if (position + exponent < 0) {
        value = canonical[0] == '-' ? -0.0 : 0.0;
        return true;
    }
    return false;
}

// Reads text by the number grammar with the given decimal separator.
Reading read(std::string_view text, char separator) {
    Reading result;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i])) ++i;

    std::string canonical;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') canonical += '-';
        ++i;
    }
    std::size_t digits = 0;
    while (i < n && isDigit(text[i])) canonical += text[i++], ++digits;
    if (i < n && text[i] == separator) {
        canonical += '.';
        ++i;
        while (i < n && isDigit(text[i])) canonical += text[i++], ++digits;
    }
    if (digits == 0) return result;

    // The exponent belongs to the number only when at least one digit follows.
    const std::string mantissa = canonical;
    std::size_t j = i;
    std::string exponent;
    if (j < n && (text[j] == 'e' || text[j] == 'E')) {
        ++j;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            if (text[j] == '-') exponent += '-';
            ++j;
        }
        std::size_t expDigits = 0;
        while (j < n && isDigit(text[j])) exponent += text[j++], ++expDigits;
        if (expDigits > 0) {
            canonical += 'e' + exponent;
            i = j;
        }
    }
    if (!convert(canonical, result.value)) {
        // Too large for a double: the readable start ends before the exponent.
        if (mantissa.size() == canonical.size() || !convert(mantissa, result.value)) result.value = 0;
        return result;
    }
    while (i < n && isBlank(text[i])) ++i;
    result.complete = i == n;
    return result;
}

std::string firstCommaToPoint(std::string_view text) {
    std::string s(text);
    if (const std::size_t comma = s.find(','); comma != std::string::npos) s[comma] = '.';
    return s;
}

}  // namespace

double ParseNumber(const std::string& text, Dialogs& dialogs) {
    const Reading r = read(firstCommaToPoint(text), '.');
    if (!r.complete) dialogs.message("Invalid number: " + text);
    return r.value;
}

bool TryParseNumber(std::string_view text, double& value) {
    const Reading r = read(firstCommaToPoint(text), '.');
    if (r.complete) value = r.value;
    return r.complete;
}

bool TryParseNumber(std::string_view text, char decimalSeparator, double& value) {
    const Reading r = read(text, decimalSeparator);
    if (r.complete) value = r.value;
    return r.complete;
}

}  // namespace util
