#include "util/number_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "util/errors.h"
#include "util/text.h"

namespace {

struct FormatCase {
    const char* name;
    double value;
    const char* format;
    const char* expected;  // with "." as the decimal separator
};

// The expected text written with "," as the decimal separator instead.
std::string withComma(std::string text) {
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

const FormatCase kPictureCases[] = {
    {"IntegerDropsSeparator", 300, "0.#######", "300"},
    {"SmallFixedKeepsLeadingZeros", 0.00001, "0.#######", "0.00001"},
    {"RoundsToSevenDecimals", 654.98765432, "0.#######", "654.9876543"},
    {"RoundsUpWithCarry", 0.99996, "0.####", "1"},
    {"CarryIntoIntegerDigits", 999.9996, "0.###", "1000"},
    {"TieRoundsAwayFromZero", 0.0625, "0.###", "0.063"},
    {"NegativeTieRoundsAwayFromZero", -0.0625, "0.###", "-0.063"},
    {"TypedTieBelowDoubleStillRoundsUp", 0.1235, "0.###", "0.124"},
    {"JustBelowTieRoundsDown", 0.12349, "0.###", "0.123"},
    {"AccumulatedGridValue", 0.1 + 0.2, "0.########", "0.3"},
    {"NegativeValue", -12.5, "0.###", "-12.5"},
    {"NegativeRoundingToZeroHasNoSign", -0.0001, "0.###", "0"},
    {"NegativeZero", -0.0, "0.######", "0"},
    {"Zero", 0, "0.###", "0"},
    {"TooSmallForPictureIsZero", 4e-9, "0.########", "0"},
    {"HalfOfLastDecimalRoundsUp", 5e-9, "0.########", "0.00000001"},
    {"LargeValueFullDigits", 123456789012.5, "0.###", "123456789012.5"},
    {"RequiredDecimalsStay", 2, "0.00", "2.00"},
    {"RequiredThenOptional", 2.5, "0.0##", "2.5"},
    {"LeadingIntegerZeros", 5.25, "000.#", "005.3"},
    {"NoIntegerDigitWithHashOnly", 0.5, "#.##", ".5"},
    {"GroupingWithoutSeparatorGiven", 1234567.891, "#,##0.##", "1234567.89"},
    {"ScientificSmall", 1e-6, "0.####e-00", "1e-06"},
    {"ScientificZero", 0, "0.####e-00", "0e00"},
    {"ScientificNegativeZero", -0.0, "0.####e-00", "0e00"},
    {"ScientificPositiveExponentUnsigned", 1.5e10, "0.####e-00", "1.5e10"},
    {"ScientificMantissaRounded", 1.23456e-7, "0.####e-00", "1.2346e-07"},
    {"ScientificCarryRaisesExponent", 9.99996e-6, "0.####e-00", "1e-05"},
    {"ScientificThreeDecimals", -4.5678e-4, "0.###e-00", "-4.568e-04"},
    {"ScientificOneExponentDigit", 2.5e-7, "0.####e-0", "2.5e-7"},
    {"ScientificWideExponentKept", 1e-100, "0.####e-0", "1e-100"},
    {"ScientificPlusAlwaysSigned", 1234.5, "0.##E+000", "1.23E+003"},
    {"ScientificPlusNegativeExponent", 0.0123, "0.##E+000", "1.23E-002"},
    {"ScientificBlankBeforeExponent", 1.5e-5, "0.#### e-00", "1.5 e-05"},
    {"LiteralPrefixAndSuffix", 1.5, "x=0.## K", "x=1.5 K"},
    {"EmptyPictureIsGeneral", 1.5e-7, "", "1.5E-7"},
    {"NotANumber", std::numeric_limits<double>::quiet_NaN(), "0.###", "NAN"},
    {"Infinity", std::numeric_limits<double>::infinity(), "0.####e-00", "INF"},
    {"NegativeInfinity", -std::numeric_limits<double>::infinity(), "0.###", "-INF"},
};

TEST(FormatPicture, BothSeparators) {
    for (const auto& c : kPictureCases) {
        EXPECT_EQ(util::formatPicture(c.value, c.format, '.'), c.expected) << c.name;
        EXPECT_EQ(util::formatPicture(c.value, c.format, ','), withComma(c.expected)) << c.name;
    }
}

TEST(FormatPicture, ThousandsGrouping) {
    EXPECT_EQ(util::formatPicture(1234567.891, "#,##0.##", ',', ' '), "1 234 567,89");
    EXPECT_EQ(util::formatPicture(-123456, "#,##0.##", '.', ','), "-123,456");
    EXPECT_EQ(util::formatPicture(0.25, "#,##0.##", '.', ','), "0.25");
    // A picture without "," groups nothing even when a thousands separator is given.
    EXPECT_EQ(util::formatPicture(1234567, "0.##", '.', ','), "1234567");
}

const FormatCase kGeneralCases[] = {
    {"Integer", 1150, "", "1150"},
    {"Fraction", 0.35, "", "0.35"},
    {"Negative", -1150.5, "", "-1150.5"},
    {"Zero", 0, "", "0"},
    {"NegativeZero", -0.0, "", "0"},
    {"AccumulatedErrorHidden", 0.1 + 0.2, "", "0.3"},
    {"FifteenDigitsKept", 1.23456789012345, "", "1.23456789012345"},
    {"SixteenthDigitRounded", 1.234567890123456, "", "1.23456789012346"},
    {"ThirdOfOne", 1.0 / 3, "", "0.333333333333333"},
    {"SmallestFixed", 0.0001, "", "0.0001"},
    {"FirstScientificSmall", 0.00001, "", "1E-5"},
    {"ScientificSmallWithFraction", 1.5e-5, "", "1.5E-5"},
    {"ScientificTiny", -2.5e-300, "", "-2.5E-300"},
    {"LargestFixed", 999999999999999, "", "999999999999999"},
    {"RoundsUpIntoScientific", 999999999999999.9, "", "1E15"},
    {"FirstScientificLarge", 1e15, "", "1E15"},
    {"ScientificHuge", 1.7976931348623157e308, "", "1.79769313486232E308"},
    {"NotANumber", std::numeric_limits<double>::quiet_NaN(), "", "NAN"},
    {"Infinity", std::numeric_limits<double>::infinity(), "", "INF"},
    {"NegativeInfinity", -std::numeric_limits<double>::infinity(), "", "-INF"},
};

TEST(FormatGeneral, BothSeparators) {
    for (const auto& c : kGeneralCases) {
        EXPECT_EQ(util::formatGeneral(c.value, '.'), c.expected) << c.name;
        EXPECT_EQ(util::formatGeneral(c.value, ','), withComma(c.expected)) << c.name;
    }
}

// Whatever the double, its general text reads back to the double rounded to 15 significant digits.
TEST(FormatGeneral, ReadsBackToFifteenDigits) {
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<int> exponent(-320, 308);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    for (int i = 0; i < 20000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        if (!std::isfinite(value)) continue;
        char buf[64];
        const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14).ptr;
        double expected = 0;
        std::from_chars(buf, end, expected);

        for (const char separator : {'.', ','}) {
            const std::string text = util::formatGeneral(value, separator);
            double read = 0;
            ASSERT_TRUE(util::TryParseNumber(text, separator, read)) << text;
            // Rounding ties from the shortest digits may differ from rounding the exact binary value
            // in the last place, never more.
            EXPECT_NEAR(read, expected, std::fabs(expected) * 1.5e-14) << text << " for " << buf;
            EXPECT_LE(text.size(), 22u) << text;
        }
    }
}

const FormatCase kSpecifierCases[] = {
    {"FixedPadsRight", 1150.5, "%-12.3f", "1150.500    "},
    {"FixedNegative", -2.25, "%-12.3f", "-2.250      "},
    {"FixedRoundsAwayFromZero", 1.0005, "%-12.3f", "1.001       "},
    {"FixedNegativeRoundingToZero", -0.0004, "%-12.3f", "0.000       "},
    {"FixedRightAligned", 3.14159, "%8.2f", "    3.14"},
    {"FixedDefaultPrecision", 7, "%f", "7.00"},
    {"ScientificComposition", 0.25, "%-12.5e", "2.5000E-001 "},
    {"ScientificZero", 0, "%-12.5e", "0.0000E+000 "},
    {"ScientificNegative", -0.000123456, "%-12.5e", "-1.2346E-004"},
    {"ScientificCarry", 0.999996, "%-12.5e", "1.0000E+000 "},
    {"ScientificWiderThanWidth", -1.5e-300, "%-6.3e", "-1.50E-300"},
    {"ScientificOneDigit", 0.25, "%.1e", "3E-001"},
};

TEST(FormatSpecifier, BothSeparators) {
    for (const auto& c : kSpecifierCases) {
        EXPECT_EQ(util::formatSpecifier(c.value, c.format, '.'), c.expected) << c.name;
        EXPECT_EQ(util::formatSpecifier(c.value, c.format, ','), withComma(c.expected)) << c.name;
    }
}

TEST(FormatSpecifier, RefusesOtherSpecifiers) {
    for (const char* specifier : {"", "12.3f", "%-12.3d", "%12.3fx", "%s"}) {
        EXPECT_THROW(util::formatSpecifier(1, specifier, '.'), util::Error) << specifier;
    }
}

TEST(RoundHalfEven, TiesGoToEven) {
    const struct {
        double value;
        double expected;
    } cases[] = {
        {0.5, 0},   {1.5, 2},    {2.5, 2},      {3.5, 4},        {-0.5, 0},
        {-1.5, -2}, {-2.5, -2},  {2.4999999, 2}, {2.5000001, 3}, {-2.5000001, -3},
        {1e300, 1e300}, {4503599627370497.0, 4503599627370497.0}, {0.49999999999999994, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(util::roundHalfEven(c.value), c.expected) << c.value;
    EXPECT_TRUE(std::isnan(util::roundHalfEven(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_EQ(util::roundHalfEven(-std::numeric_limits<double>::infinity()),
              -std::numeric_limits<double>::infinity());
}

}  // namespace
