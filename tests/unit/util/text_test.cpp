#include "util/text.h"

#include <gtest/gtest.h>

namespace {

TEST(CleanExpressionText, JoinsContinuedLines) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"G0 + 1.5*T ...\r\n - 2*T*LN(T)", "G0+1.5*T-2*T*LN(T)"},
        {"X div 2", "Xdiv2"},
        {"a\t+\tb", "a+b"},
        // Removing one "..." can form another; all of them go.
        {"1.. ...  .2", "12"},
        {"a..\t.b", "a...b"},  // the tab goes only after the "..." pass
        {"....", "."},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(util::CleanExpressionText(c.text), c.expected) << c.text;
}

TEST(RemoveBlanks, DropsControlsAndBlanksOnly) {
    EXPECT_EQ(util::RemoveBlanks(" #XMIN = 0,2\r\n\t\x01"), "#XMIN=0,2");
    EXPECT_EQ(util::RemoveBlanks("Жидкость A"), "ЖидкостьA");
}

TEST(DesignationToFileName, KeepsLatinDigitsAndSigns) {
    EXPECT_EQ(util::DesignationToFileName("Cu+Ni (жидкость)"), "Cu+Ni");
    EXPECT_EQ(util::DesignationToFileName("Fe-C_1=2 /\\:*?\"<>|."), "Fe-C_1=2");
    EXPECT_EQ(util::DesignationToFileName("Медь"), "");
}

TEST(Trim, BothEnds) {
    EXPECT_EQ(util::trim("\r\n  a b\t \x01"), "a b");
    EXPECT_EQ(util::trim("   "), "");
    EXPECT_EQ(util::trim("Ж"), "Ж");
}

TEST(CaseFolding, AsciiAndCyrillic) {
    EXPECT_EQ(util::toUpperText("cu fcc_a1"), "CU FCC_A1");
    EXPECT_EQ(util::toUpperText("абвгдеёжзийклмнопрстуфхцчшщъыьэюя"),
              "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
    EXPECT_EQ(util::toUpperText("ґєіїўђџ"), "ҐЄІЇЎЂЏ");
    // Letters outside the code page and bytes that are not UTF-8 stay as they are.
    EXPECT_EQ(util::toUpperText("äß中"), "äß中");
    EXPECT_EQ(util::toUpperText("a\xFF" "b\xD0"), "A\xFF" "B\xD0");

    const struct {
        const char* a;
        const char* b;
        bool equal;
    } cases[] = {
        {"Cu", "cU", true},          {"Жидкость", "ЖИДКОСТЬ", true}, {"ёлка", "Ёлка", true},
        {"ёлка", "елка", false},     {"Cu", "Cu ", false},           {"", "", true},
        {"FCC_A1", "fcc_a1", true},  {"α", "Α", false},
    };
    for (const auto& c : cases) EXPECT_EQ(util::equalsIgnoreCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
}

}  // namespace
