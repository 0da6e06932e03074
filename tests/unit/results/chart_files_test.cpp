#include <gtest/gtest.h>

#include <sstream>

#include "results/chart_settings.h"
#include "results/label_font_file.h"
#include "support/test_helpers.h"

namespace {

using results::LabelFontStyle;

TEST(LabelFontFile, WritesTheLineFormatAndReadsItBack) {
    struct Case {
        const char* name;
        LabelFontStyle font;
        const char* bytes;
    };
    const Case cases[] = {
        {"defaults", LabelFontStyle{}, "MS Sans Serif\r\n8\r\nclWindowText\r\n"},
        {"named colour, every style", {"Arial", 12, 0x0000FF, true, true, true},
         "Arial\r\n12\r\nclRed\r\nfsBold\r\nfsItalic\r\nfsUnderline\r\n"},
        {"unnamed colour, Cyrillic name", {"Шрифт", 10, results::colorFromRgb(0x12, 0x34, 0x56), false, true, false},
         "\xD8\xF0\xE8\xF4\xF2\r\n10\r\n$00563412\r\nfsItalic\r\n"},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        results::writeLabelFont(out, c.font);
        EXPECT_EQ(out.str(), c.bytes) << c.name;
        std::istringstream in(out.str());
        LabelFontStyle read{"x", 1, 0, false, false, false};
        EXPECT_TRUE(results::readLabelFont(in, read)) << c.name;
        EXPECT_EQ(read, c.font) << c.name;
    }
}

TEST(LabelFontFile, ReadsEitherColourFormAndAddsStylesToTheOnesSet) {
    std::istringstream in("Courier\n9\n$000000FF\nfsBold\nfsStrikeOut\nbold\n");
    LabelFontStyle font;
    font.underline = true;
    ASSERT_TRUE(results::readLabelFont(in, font));
    EXPECT_EQ(font.color, 0x0000FFu);
    EXPECT_TRUE(font.bold);
    EXPECT_TRUE(font.underline);  // kept: styles are only added
    EXPECT_FALSE(font.italic);
    EXPECT_EQ(results::parseColorText("CLRED"), 0x0000FFu);
    EXPECT_EQ(results::parseColorText("$1G"), std::nullopt);
}

TEST(LabelFontFile, ShortOrDamagedFiles) {
    struct Case {
        const char* name;
        const char* bytes;
        const char* error;      // "" when reading succeeds or changes nothing
        const char* fontName;   // the name afterwards
        int size;               // the size afterwards
    };
    const Case cases[] = {
        {"two lines are ignored", "Arial\r\n12\r\n", "", "MS Sans Serif", 8},
        {"bad size keeps the name", "Arial\r\n12pt\r\nclRed\r\n", "fntLabel.cfg: \"12pt\" is not a font size",
         "Arial", 8},
        {"bad colour keeps name and size", "Arial\r\n12\r\nclPink\r\nfsBold\r\n",
         "fntLabel.cfg: \"clPink\" is not a colour", "Arial", 12},
    };
    for (const Case& c : cases) {
        LabelFontStyle font;
        std::istringstream in(c.bytes);
        EXPECT_EQ(testsupport::errorOf([&] { results::readLabelFont(in, font); }), c.error) << c.name;
        EXPECT_EQ(font.name, c.fontName) << c.name;
        EXPECT_EQ(font.size, c.size) << c.name;
        EXPECT_FALSE(font.bold) << c.name;
        EXPECT_EQ(font.color, results::kWindowTextColor) << c.name;
    }
}

TEST(ChartSettingsFile, EverythingTheEditorChangesSurvivesAWriteAndRead) {
    results::ChartSettings settings;
    settings.title = "T, °C\nsecond line with a \\ backslash";
    settings.foot = "x(Sn), ат. доля ≈";  // "≈" is not in code page 1251
    settings.bottom = {false, 0.2, 0.45};
    settings.grid = false;
    settings.style(results::DiagramSeriesKind::Experiment) = {false, 0x123456, results::MarkerShape::Diamond, 9.5, true};
    std::ostringstream out;
    results::writeChartSettings(out, settings);
    EXPECT_EQ(out.str().substr(0, 16), "[Ravo chart 1]\r\n");
    std::istringstream in(out.str());
    EXPECT_EQ(results::readChartSettings(in), settings);
}

TEST(ChartSettingsFile, DamagedFilesAreRefusedWithTheLine) {
    struct Case {
        const char* bytes;
        const char* error;
    };
    const Case cases[] = {
        {"", "Chart.cfg: the file is empty"},
        {"\x01\x02binary", "Chart.cfg, line 1: not a chart settings file"},
        {"[Ravo chart 1]\r\ntitle=T\r\nnonsense\r\n", "Chart.cfg, line 3: a line without \"=\""},
        {"[Ravo chart 1]\r\nbottom=1;0\r\n", "Chart.cfg, line 2: an axis range must be \"auto\" or two increasing numbers"},
        {"[Ravo chart 1]\r\nspecial=1;#FF0000;star;5;solid\r\n",
         "Chart.cfg, line 2: damaged series style \"1;#FF0000;star;5;solid\""},
        {"[Ravo chart 1]\r\ntitle=bad \\q escape\r\n", "Chart.cfg, line 2: damaged text"},
    };
    for (const Case& c : cases) {
        std::istringstream in(c.bytes);
        EXPECT_EQ(testsupport::errorOf([&] { results::readChartSettings(in); }), c.error) << c.bytes;
    }
    std::istringstream newer("[Ravo chart 1]\r\nfuture=1\r\n\r\ngrid=0\r\n");
    EXPECT_FALSE(results::readChartSettings(newer).grid);
}

}  // namespace
