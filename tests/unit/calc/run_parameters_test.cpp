#include "calc/run_parameters.h"

#include <gtest/gtest.h>

#include "support/scripted_dialogs.h"

namespace {

using testsupport::ScriptedDialogs;

calc::SystemRecord system(std::string abbreviations, std::string yparameter = "Temperature") {
    calc::SystemRecord s;
    s.Ymin = 300;
    s.Ymax = 1300;
    s.Zvalue = 2;
    s.Xpoints = 10;
    s.Ypoints = 20;
    s.Yparameter = std::move(yparameter);
    s.Abbreviations = std::move(abbreviations);
    return s;
}

struct DirectiveCase {
    const char* name;
    const char* abbreviations;
    const char* yparameter;
    double xMin, xMax, t, p;
    const char* xCaption;
    const char* yCaption;
    std::vector<std::string> messages;
    double zvalue = 2;
};

class Directives : public ::testing::TestWithParam<DirectiveCase> {};

TEST_P(Directives, SetTheirValues) {
    const DirectiveCase& c = GetParam();
    calc::RunParameters params;
    params.XCaption = "left from before";
    ScriptedDialogs dialogs;
    calc::SystemRecord s = system(c.abbreviations, c.yparameter);
    s.Zvalue = c.zvalue;
    ASSERT_TRUE(params.read(s, dialogs));
    EXPECT_DOUBLE_EQ(params.XMin, c.xMin);
    EXPECT_DOUBLE_EQ(params.XMax, c.xMax);
    EXPECT_DOUBLE_EQ(params.TValue, c.t);
    EXPECT_DOUBLE_EQ(params.PValue, c.p);
    EXPECT_EQ(params.XCaption, c.xCaption);
    EXPECT_EQ(params.YCaption, c.yCaption);
    EXPECT_EQ(dialogs.texts("message"), c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Directives,
    ::testing::Values(
        DirectiveCase{"EmptyTextGivesDefaults", "", "Y", 0, 1, 300, 1, "", "", {}},
        DirectiveCase{"CaseBlanksAndComment", "#xmin = 0.2 % left end", "Y", 0.2, 1, 300, 1, "", "", {}},
        DirectiveCase{"CommaIsADecimalPoint", "  #XMAX=0,75\r\nT = 500", "Y", 0, 0.75, 500, 1, "", "", {}},
        DirectiveCase{"CaptionKeepsItsBlanks", "#XCAP=  Mole fraction of B\n#ycap=T, K", "Y", 0, 1, 300, 1,
                      "  Mole fraction of B", "T, K", {}},
        DirectiveCase{"CommentedOutDirective", "% #XMIN=0.5\n#XMIN= % nothing left", "Y", 0, 1, 300, 1, "", "", {}},
        DirectiveCase{"PressureDirective", "p=5", "Y", 0, 1, 300, 5, "", "", {}},
        // Y is temperature: Zvalue is the pressure and overrides the directive.
        DirectiveCase{"ZvalueOverridesP", "p=5", "Temperature", 0, 1, 300, 2, "", "", {}},
        DirectiveCase{"NonPositiveZvalueGivesUnitPressure", "p=5", "Temperature", 0, 1, 300, 1, "", "", {}, 0},
        DirectiveCase{"ZvalueIsTemperatureForPressure", "T=500", "Pressure", 0, 1, 2, 1, "", "", {}},
        DirectiveCase{"NonPositivePressureBecomesOne", "P=-3", "Y", 0, 1, 300, 1, "", "", {}},
        DirectiveCase{"PAndTCountOnlyAtTheStart", "xP=5\nA T=7", "Y", 0, 1, 300, 1, "", "", {}},
        // Hash directives count anywhere in the line, but their first six characters are dropped.
        DirectiveCase{"HashDirectiveInsideALine", "A + #XMIN=0.5", "Y", 0, 1, 300, 1, "", "",
                      {"Invalid number: N=0.5"}},
        DirectiveCase{"SymbolExplanationReadAsTemperature", "T = temperature", "Y", 0, 1, 0, 1, "", "",
                      {"Invalid number: temperature"}}),
    [](const ::testing::TestParamInfo<DirectiveCase>& info) { return std::string(info.param.name); });

// "A + #XMAX=0.5" reads "X=0.5" as 0 and so leaves XMax = XMin: that range is refused too.
TEST(RunParameters, EmptyOrReversedCompositionRangeIsRefused) {
    for (const char* text : {"#XMAX=0", "#XMIN=0.6\n#XMAX=0.4", "A + #XMAX=0.5"}) {
        calc::RunParameters params;
        ScriptedDialogs dialogs;
        EXPECT_FALSE(params.read(system(text), dialogs)) << text;
        EXPECT_TRUE(params.ParametersInvalid);
        EXPECT_EQ(dialogs.texts("warning"), std::vector<std::string>{"Xmax must be more than Xmin"}) << text;
        EXPECT_EQ(dialogs.texts("warning").size() + dialogs.texts("message").size(), dialogs.shown.size());
    }
}

TEST(RunParameters, YmaxBelowYminIsRefusedAndLeavesTheRestAsBefore) {
    calc::RunParameters params;
    ScriptedDialogs dialogs;
    ASSERT_TRUE(params.read(system(""), dialogs));
    calc::SystemRecord reversed = system("");
    reversed.Ymin = 900;
    reversed.Ymax = 800;
    reversed.Xpoints = 50;
    EXPECT_FALSE(params.read(reversed, dialogs));
    EXPECT_TRUE(params.ParametersInvalid);
    EXPECT_EQ(dialogs.texts("warning"), std::vector<std::string>{"Ymax must be more that Ymin"});
    EXPECT_EQ(params.XIntervals, 10);
    EXPECT_DOUBLE_EQ(params.YCurrent, 1300);
}

struct GridCase {
    const char* name;
    int xpoints, ypoints;
    double ymin, ymax;
    const char* abbreviations;
    int nx, ny;
    double xStep, yStep, increment;
};

TEST(RunParameters, GridCountsStepsAndAxisIncrement) {
    const GridCase cases[] = {
        {"Regular", 10, 20, 300, 1300, "", 10, 20, 0.1, 50, 0.1},
        {"TooFewCompositions", 1, 0, 300, 1300, "", 2, 1, 0.5, 1000, 0.1},
        {"NoCompositions", 0, -4, 300, 1300, "", 2, 1, 0.5, 1000, 0.1},
        {"OneYValue", 4, 5, 700, 700, "", 4, 5, 0.25, 0, 0.1},
        // A tenth of 0.12345 is 0.012345, rounded to 0.0123.
        {"NarrowRange", 5, 1, 0, 1, "#XMIN=0.1\n#XMAX=0.22345", 5, 1, 0.12345 / 5, 1, 0.0123},
    };
    for (const GridCase& c : cases) {
        calc::SystemRecord s = system(c.abbreviations);
        s.Xpoints = c.xpoints;
        s.Ypoints = c.ypoints;
        s.Ymin = c.ymin;
        s.Ymax = c.ymax;
        calc::RunParameters params;
        params.RowIndex = 7;
        ScriptedDialogs dialogs;
        ASSERT_TRUE(params.read(s, dialogs)) << c.name;
        EXPECT_EQ(params.XIntervals, c.nx) << c.name;
        EXPECT_EQ(params.YIntervals, c.ny) << c.name;
        EXPECT_NEAR(params.XStep, c.xStep, 1e-15) << c.name;
        EXPECT_DOUBLE_EQ(params.YStep, c.yStep) << c.name;
        EXPECT_DOUBLE_EQ(params.BottomAxisIncrement, c.increment) << c.name;
        EXPECT_DOUBLE_EQ(params.YCurrent, c.ymax) << c.name;
        EXPECT_EQ(params.RowIndex, -1) << c.name;
        EXPECT_FALSE(params.ParametersInvalid) << c.name;
    }
}

TEST(RunParameters, TemperatureOrPressureFollowsTheRow) {
    ScriptedDialogs dialogs;
    calc::RunParameters params;
    ASSERT_TRUE(params.read(system("", "Temperature"), dialogs));
    params.YCurrent = 812;
    params.enterRow();
    EXPECT_EQ(params.TValue, 812);
    EXPECT_EQ(params.PValue, 2);

    ASSERT_TRUE(params.read(system("", "pressure"), dialogs));
    params.YCurrent = 40;
    params.enterRow();
    EXPECT_EQ(params.PValue, 40);
    EXPECT_EQ(params.TValue, 2);

    ASSERT_TRUE(params.read(system("T=900", "Y"), dialogs));
    params.enterRow();
    EXPECT_EQ(params.TValue, 900);
    EXPECT_EQ(params.PValue, 1);
}

TEST(RunParameters, ZValueLabelFollowsTheYChoice) {
    EXPECT_EQ(calc::zValueLabel(0).caption, "P, бар");
    EXPECT_TRUE(calc::zValueLabel(0).editVisible);
    EXPECT_EQ(calc::zValueLabel(1).caption, "T, К");
    EXPECT_EQ(calc::zValueLabel(2).caption, "P = 1 бар, T = 300 K");
    EXPECT_FALSE(calc::zValueLabel(2).editVisible);
    EXPECT_EQ(calc::zValueLabel(-1).caption, std::nullopt);
    EXPECT_TRUE(calc::zValueLabel(-1).editVisible);
    EXPECT_EQ(calc::yMeaningIndex("Temperature"), 0);
    EXPECT_EQ(calc::yMeaningIndex("PRESSURE"), 1);
    EXPECT_EQ(calc::yMeaningIndex("y"), 2);
    EXPECT_EQ(calc::yMeaningIndex(""), -1);
}

}  // namespace
