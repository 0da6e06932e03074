#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/scripted_dialogs.h"
#include "util/text.h"

namespace {

struct ParseCase {
    const char* text;
    double value;
    bool valid;
};

const ParseCase kParseCases[] = {
    {"1.5", 1.5, true},
    {"1,5", 1.5, true},
    {"-0,25", -0.25, true},
    {"+7", 7, true},
    {"  300 ", 300, true},
    {"\t1e-6\r\n", 1e-6, true},
    {"2.5E+3", 2500, true},
    {"5.", 5, true},
    {",5", 0.5, true},
    {"1e-400", 0, true},
    {"0.1", 0.1, true},
    {"1,5,6", 1.5, false},
    {"1.5,6", 1.5, false},
    {"1.5x", 1.5, false},
    {"12 34", 12, false},
    {"1e", 1, false},
    {"1e+", 1, false},
    {"abc", 0, false},
    {"", 0, false},
    {"-", 0, false},
    {".", 0, false},
    {"1e400", 1, false},
    {"-2,5e+999", -2.5, false},
    {"1e-99999999999999999999", 0, true},
    {"inf", 0, false},
    {"nan", 0, false},
    {"0x10", 0, false},
};

TEST(ParseNumber, ReadsOrReportsWithTheUnchangedText) {
    for (const auto& c : kParseCases) {
        testsupport::ScriptedDialogs dialogs;
        EXPECT_EQ(util::ParseNumber(c.text, dialogs), c.value) << c.text;
        const std::vector<testsupport::ScriptedDialogs::Shown> expected =
            c.valid ? std::vector<testsupport::ScriptedDialogs::Shown>{}
                    : std::vector<testsupport::ScriptedDialogs::Shown>{
                          {"message", std::string("Invalid number: ") + c.text}};
        EXPECT_EQ(dialogs.shown, expected) << c.text;
    }
}

TEST(ParseNumber, KeepsTheSignOfZero) {
    testsupport::ScriptedDialogs dialogs;
    EXPECT_TRUE(std::signbit(util::ParseNumber("-0", dialogs)));
    EXPECT_TRUE(std::signbit(util::ParseNumber("-1e-999", dialogs)));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(TryParseNumber, SameReadingWithoutDialogs) {
    for (const auto& c : kParseCases) {
        double value = 42;
        EXPECT_EQ(util::TryParseNumber(c.text, value), c.valid) << c.text;
        EXPECT_EQ(value, c.valid ? c.value : 42) << c.text;
    }
}

TEST(TryParseNumber, StrictSeparator) {
    const struct {
        const char* text;
        char separator;
        bool valid;
        double value;
    } cases[] = {
        {"1,5", ',', true, 1.5},       {"1.5", '.', true, 1.5},   {"1.5", ',', false, 0},
        {"1,5", '.', false, 0},        {"-2,5E-3", ',', true, -0.0025},
        {"1,5,6", ',', false, 0},      {"1.7976931348623157e308", '.', true, 1.7976931348623157e308},
        {"4.9406564584124654E-324", '.', true, 4.9406564584124654e-324},
    };
    for (const auto& c : cases) {
        double value = 0;
        EXPECT_EQ(util::TryParseNumber(c.text, c.separator, value), c.valid) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

}  // namespace
