#include "util/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "util/decimal.h"
#include "util/errors.h"

namespace util {
namespace {

// A picture split into its parts.
struct Picture {
    std::string prefix;          // literal text before the digits
    std::string middle;          // literal text after the digits, before the exponent
    std::string suffix;          // literal text after the exponent
    int intPlaceholders = 0;     // "0" and "#" before the "."
    int intMin = 0;              // "0" before the "."
    bool grouping = false;       // a "," among the integer placeholders
    int fracMin = 0;             // decimals up to the last "0" after the "."
    int fracMax = 0;             // "0" and "#" after the "."
    bool scientific = false;
    char expChar = 'e';
    bool expAlwaysSigned = false;
    int expMin = 0;
};

bool isPlaceholder(char c) { return c == '0' || c == '#'; }

Picture parsePicture(std::string_view p) {
    Picture pic;
    std::size_t i = 0;
    const std::size_t n = p.size();
    while (i < n && !isPlaceholder(p[i]) && p[i] != '.') pic.prefix += p[i++];
    for (; i < n && (isPlaceholder(p[i]) || p[i] == ','); ++i) {
        if (p[i] == ',') {
            pic.grouping = true;
            continue;
        }
        ++pic.intPlaceholders;
        if (p[i] == '0') ++pic.intMin;
    }
    if (i < n && p[i] == '.') {
        for (++i; i < n && isPlaceholder(p[i]); ++i) {
            ++pic.fracMax;
            if (p[i] == '0') pic.fracMin = pic.fracMax;
        }
    }
    for (; i < n; ++i) {
        // An exponent is "e" or "E", a sign, and at least one "0".
        if ((p[i] == 'e' || p[i] == 'E') && i + 2 < n && (p[i + 1] == '+' || p[i + 1] == '-') &&
            p[i + 2] == '0') {
            pic.scientific = true;
            pic.expChar = p[i];
            pic.expAlwaysSigned = p[i + 1] == '+';
            for (i += 2; i < n && p[i] == '0'; ++i) ++pic.expMin;
            pic.suffix = std::string(p.substr(i));
            return pic;
        }
        pic.middle += p[i];
    }
    return pic;
}

const char* nonFiniteText(double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// Digits of the powers hi down to lo (hi >= lo), zeros where the decimal has none.
std::string digitsBetween(const Decimal& d, int hi, int lo) {
    std::string out;
    for (int p = hi; p >= lo; --p) out += d.digitAt(p);
    return out;
}

void dropTrailingZeros(std::string& frac, std::size_t keep) {
    while (frac.size() > keep && frac.back() == '0') frac.pop_back();
}

std::string grouped(const std::string& digits, char separator) {
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

std::string withFraction(const std::string& integer, const std::string& frac, char separator) {
    return frac.empty() ? integer : integer + separator + frac;
}

std::string exponentText(int exponent, bool alwaysSigned, int minDigits) {
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < minDigits) {
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    }
    if (exponent < 0) return "-" + digits;
    return alwaysSigned ? "+" + digits : digits;
}

std::string fixedPicture(double value, const Picture& pic, char separator, char thousands) {
    Decimal d = Decimal::fromDouble(value);
    d.roundToDecimals(pic.fracMax);
    std::string integer = !d.isZero() && d.exponent >= 0 ? digitsBetween(d, d.exponent, 0) : "";
    if (static_cast<int>(integer.size()) < pic.intMin) {
        integer.insert(0, static_cast<std::size_t>(pic.intMin) - integer.size(), '0');
    }
    if (pic.grouping && thousands != '\0') integer = grouped(integer, thousands);
    std::string frac = pic.fracMax > 0 ? digitsBetween(d, -1, -pic.fracMax) : "";
    dropTrailingZeros(frac, static_cast<std::size_t>(pic.fracMin));
    const std::string sign = d.negative && !d.isZero() ? "-" : "";
    return sign + pic.prefix + withFraction(integer, frac, separator) + pic.middle + pic.suffix;
}

std::string scientificPicture(double value, const Picture& pic, char separator) {
    const int intDigits = std::max(1, pic.intPlaceholders);
    Decimal d = Decimal::fromDouble(value);
    d.roundToSignificant(intDigits + pic.fracMax);
    std::string integer;
    std::string frac;
    int exponent = 0;
    if (d.isZero()) {
        integer.assign(static_cast<std::size_t>(std::max(1, pic.intMin)), '0');
        frac.assign(static_cast<std::size_t>(pic.fracMin), '0');
    } else {
        exponent = d.exponent - (intDigits - 1);
        integer = digitsBetween(d, d.exponent, exponent);
        if (pic.fracMax > 0) frac = digitsBetween(d, exponent - 1, exponent - pic.fracMax);
        dropTrailingZeros(frac, static_cast<std::size_t>(pic.fracMin));
    }
    const std::string sign = d.negative && !d.isZero() ? "-" : "";
    return sign + pic.prefix + withFraction(integer, frac, separator) + pic.middle + pic.expChar +
           exponentText(exponent, pic.expAlwaysSigned, pic.expMin) + pic.suffix;
}

std::string padded(std::string text, bool leftAligned, std::size_t width) {
    if (text.size() >= width) return text;
    if (leftAligned) return text.append(width - text.size(), ' ');
    return std::string(width - text.size(), ' ') + text;
}

}  // namespace

std::string formatPicture(double value, std::string_view picture, char decimalSeparator,
                          char thousandsSeparator) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    if (picture.empty()) return formatGeneral(value, decimalSeparator);
    const Picture pic = parsePicture(picture);
    return pic.scientific ? scientificPicture(value, pic, decimalSeparator)
                          : fixedPicture(value, pic, decimalSeparator, thousandsSeparator);
}

std::string formatPicture(double value, std::string_view picture, char decimalSeparator) {
    return formatPicture(value, picture, decimalSeparator, '\0');
}

std::string formatGeneral(double value, char decimalSeparator) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    Decimal d = Decimal::fromDouble(value);
    d.roundToSignificant(15);
    if (d.isZero()) return "0";
    const std::string sign = d.negative ? "-" : "";
    const int last = d.exponent - static_cast<int>(d.digits.size()) + 1;  // power of the last digit
    if (d.exponent < -4 || d.exponent >= 15) {
        return sign + withFraction(d.digits.substr(0, 1), d.digits.substr(1), decimalSeparator) + "E" +
               exponentText(d.exponent, false, 1);
    }
    const std::string integer = d.exponent >= 0 ? digitsBetween(d, d.exponent, 0) : "0";
    const std::string frac = last < 0 ? digitsBetween(d, -1, last) : "";
    return sign + withFraction(integer, frac, decimalSeparator);
}

std::string formatSpecifier(double value, std::string_view specifier, char decimalSeparator) {
    const auto invalid = [&] {
        return Error("Format '" + std::string(specifier) + "' invalid or incompatible with argument");
    };
    std::size_t i = 0;
    const std::size_t n = specifier.size();
    if (i == n || specifier[i++] != '%') throw invalid();
    const bool leftAligned = i < n && specifier[i] == '-';
    if (leftAligned) ++i;
    std::size_t width = 0;
    for (; i < n && specifier[i] >= '0' && specifier[i] <= '9'; ++i) {
        width = width * 10 + static_cast<std::size_t>(specifier[i] - '0');
    }
    int precision = -1;
    if (i < n && specifier[i] == '.') {
        precision = 0;
        for (++i; i < n && specifier[i] >= '0' && specifier[i] <= '9'; ++i) {
            precision = std::min(precision * 10 + (specifier[i] - '0'), 1000);
        }
    }
    if (i + 1 != n) throw invalid();
    const char type = specifier[i];

    if (!std::isfinite(value)) return padded(nonFiniteText(value), leftAligned, width);
    Decimal d = Decimal::fromDouble(value);
    std::string text;
    if (type == 'f') {
        if (precision < 0) precision = 2;
        d.roundToDecimals(precision);
        const std::string integer = !d.isZero() && d.exponent >= 0 ? digitsBetween(d, d.exponent, 0) : "0";
        text = withFraction(integer, precision > 0 ? digitsBetween(d, -1, -precision) : "", decimalSeparator);
    } else if (type == 'e' || type == 'E') {
        if (precision < 0) precision = 15;
        precision = std::max(precision, 1);
        d.roundToSignificant(precision);
        const int exponent = d.isZero() ? 0 : d.exponent;
        const std::string digits = digitsBetween(d, exponent, exponent - precision + 1);
        text = withFraction(digits.substr(0, 1), digits.substr(1), decimalSeparator) + "E" +
               exponentText(exponent, true, 3);
    } else {
        throw invalid();
    }
    if (d.negative && !d.isZero()) text = "-" + text;
    return padded(std::move(text), leftAligned, width);
}

double roundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double floor = std::floor(value);
    const double diff = value - floor;  // exact for every double
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

}  // namespace util
