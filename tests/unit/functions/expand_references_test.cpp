// Reading composition texts and expanding {references} into temperature pieces.
#include <gtest/gtest.h>

#include <cmath>

#include "expr/parser_errors.h"
#include "functions/expand_references.h"
#include "functions/ideal_mixing_entropy.h"
#include "functions/parse_composition.h"
#include "functions/run_values.h"
#include "memory_source.h"
#include "support/scripted_dialogs.h"

namespace functions {
namespace {

using testing::detail;
using functions::MemoryParameter;
using testing::MemorySource;

TEST(ParseComposition, ReadsOneOrTwoValuesAndDropsValuesAboveOne) {
    struct Case {
        const char* text;
        double x, y;
    };
    const Case cases[] = {
        {"0.5", 0.5, -1},       {"1/3;0.25", 1.0 / 3, 0.25}, {"1.5", -1, -1},       {"2", -1, -1},
        {";0.4", 0, 0.4},       {"0.2; 3", 0.2, -1},         {"0.2;  ", 0.2, -1},   {"1", 1, -1},
        {"0,5", 0.5, -1},       {"T+X+Y", 0, -1},            {"-0.5", -0.5, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Composition composition = ParseComposition(c.text);
        EXPECT_DOUBLE_EQ(composition.x, c.x);
        EXPECT_DOUBLE_EQ(composition.y, c.y);
    }
}

TEST(ParseComposition, PassesCompileAndEvaluationErrorsOn) {
    EXPECT_THROW(ParseComposition("1/"), expr::EMathParserError);
    EXPECT_THROW(ParseComposition("0.5;Q"), expr::EMathParserError);
    // Everything after the first ";" is the second part.
    EXPECT_THROW(ParseComposition("0.1;0.2;0.3"), expr::EMathParserError);
    EXPECT_THROW(ParseComposition("1/0"), expr::EEvaluationError);
}

TEST(IdealMixingEntropy, IsZeroAtAndBeyondThePureComponents) {
    EXPECT_NEAR(IdealMixingEntropy(0.5), 8.31441 * std::log(2.0), 1e-12);
    EXPECT_NEAR(IdealMixingEntropy(0.25), IdealMixingEntropy(0.75), 1e-15);
    // Near a pure component 1 - x loses the digits of x in double precision; the extended
    // precision keeps the result within about 1e-10 of its value (double alone: about 1e-8).
    const double x = 1e-10;
    EXPECT_NEAR(IdealMixingEntropy(x), 8.31441 * (-x * std::log(x) - (1 - x) * std::log1p(-x)), 2e-18);
    for (double x : {0.0, 1.0, -0.1, 1.1}) EXPECT_EQ(IdealMixingEntropy(x), 0) << x;
}

struct Piece {
    double tmin, tmax, xmin, xmax;
    std::string expression;
};

class ExpandReferencesTest : public ::testing::Test {
protected:
    std::vector<Tfunc> expand(const std::string& text, bool expectSuccess = true) {
        std::vector<Tfunc> pieces;
        EXPECT_EQ(ExpandReferences(text, 0.25, 0.5, source, run, dialogs, pieces), expectSuccess);
        return pieces;
    }
    static void expectPieces(const std::vector<Tfunc>& pieces, const std::vector<Piece>& expected) {
        ASSERT_EQ(pieces.size(), expected.size());
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(pieces[i].Tmin, expected[i].tmin);
            EXPECT_EQ(pieces[i].Tmax, expected[i].tmax);
            EXPECT_EQ(pieces[i].Xmin, expected[i].xmin);
            EXPECT_EQ(pieces[i].Xmax, expected[i].xmax);
            EXPECT_EQ(pieces[i].Expression, expected[i].expression);
            EXPECT_EQ(pieces[i].X, 0.25);
            EXPECT_EQ(pieces[i].Y, 0.5);
        }
    }

    MemorySource source;
    RunValues run;
    testsupport::ScriptedDialogs dialogs;
};

TEST_F(ExpandReferencesTest, CutsPiecesAtEveryReferencedTmin) {
    source.parameters = {
        {"Cu", {detail(300, 600, "-7770+130*T"), detail(600, 900, "-8000+131*T")}},
        {"A", {detail(300, 500, "A1"), detail(500, 800, "A2")}},
        {"B", {detail(300, 700, "B1"), detail(700, 900, "B2")}},
    };
    expectPieces(expand("X*{Cu}"), {{300, 600, 0, 1, "X*-7770+130*T"}, {600, 900, 0, 1, "X*-8000+131*T"}});
    // The case of a reference does not matter.
    expectPieces(expand("{cu}"), {{300, 600, 0, 1, "-7770+130*T"}, {600, 900, 0, 1, "-8000+131*T"}});
    // Each piece takes, for each reference, the first detail spanning it; the end is the smaller
    // last Tmax.
    expectPieces(expand("{A}+{B}"),
                 {{300, 500, 0, 1, "A1+B1"}, {500, 700, 0, 1, "A2+B1"}, {700, 800, 0, 1, "A2+B2"}});
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ExpandReferencesTest, EndBelowTheHighestBreakpointGivesAPieceThatNeverApplies) {
    source.parameters = {
        {"A", {detail(300, 500, "A1"), detail(500, 900, "A2")}},
        {"B", {detail(300, 400, "B1")}},
        {"Empty", {}},
    };
    // 500..400: no detail of B spans it, so B's last one serves.
    expectPieces(expand("{A}*{B}"), {{300, 500, 0, 1, "A1*B1"}, {500, 400, 0, 1, "A1*B1"}});
    // A parameter without details adds no breakpoint, lowers the end to 0 and is replaced by
    // nothing; A's first detail spans 500..0.
    expectPieces(expand("{A}+{Empty}"), {{300, 500, 0, 1, "A1+"}, {500, 0, 0, 1, "A1+"}});
    expectPieces(expand("{Empty}"), {});
}

TEST_F(ExpandReferencesTest, BreakpointsTravelWithFifteenSignificantDigits) {
    const double third = 1000.0 / 3;  // 333.33333333333331 as stored
    source.parameters = {{"P", {detail(third, 600, "E1"), detail(600, 900, "E2")}}};
    const std::vector<Tfunc> pieces = expand("{P}");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].Tmin, 333.333333333333);
    // The stored Tmin lies above the rounded breakpoint, so no detail spans the first piece and
    // the last detail is taken.
    EXPECT_EQ(pieces[0].Expression, "E2");
    EXPECT_EQ(pieces[1].Expression, "E2");
}

TEST_F(ExpandReferencesTest, WindowComesFromTheDetailOfTheLastReference) {
    struct Case {
        const char* name;
        std::optional<double> xmin, xmax;
        double windowMin, windowMax;
    };
    run.XMin = 0.2;
    run.XMax = 0.8;
    const Case cases[] = {
        {"inside", 0.1, 0.9, 0.1, 0.9},
        {"clipped", -0.5, 2, 0, 1},
        {"Xmax 0 means 1", 0.3, 0, 0.3, 1},
        {"both empty: run range", std::nullopt, std::nullopt, 0.2, 0.8},
        {"equal values: run range", 0.3, 0.3, 0.2, 0.8},
        {"empty is not 0", std::nullopt, 0, 0, 1},
        {"empty Xmin reads 0", std::nullopt, 0.6, 0, 0.6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StabilityDetail windowed = detail(300, 900, "W");
        windowed.Xmin = c.xmin;
        windowed.Xmax = c.xmax;
        StabilityDetail wide = detail(300, 900, "V");
        wide.Xmin = 0.45;
        wide.Xmax = 0.55;
        source.parameters = {{"W", {windowed}}, {"V", {wide}}};
        expectPieces(expand("{V}+{W}"), {{300, 900, c.windowMin, c.windowMax, "V+W"}});
    }
}

TEST_F(ExpandReferencesTest, CleansTheSubstitutedText) {
    source.parameters = {{"G", {detail(298.15, 3000, "-7770.458 + 130.485*T ...\r\n -24.112*T*LN(T)")}}};
    expectPieces(expand("2*{G}"), {{298.15, 3000, 0, 1, "2*-7770.458+130.485*T-24.112*T*LN(T)"}});
}

TEST_F(ExpandReferencesTest, ReportsUnresolvableReferencesAndReturnsNoPieces) {
    struct Case {
        const char* text;
        const char* message;
    };
    source.parameters = {{"Cu", {detail(300, 600, "GCU")}}, {"", {detail(300, 600, "NOBODY")}}};
    const Case cases[] = {
        {"{Xx}", "Designation: Xx not found"},
        {"{Cu", "No matching bracket: {Cu"},
        {"{Cu}+{Ni", "No matching bracket: +{Ni"},
        {"{Cu}*{Xx}+{Cu}", "Designation: Xx not found"},
        // A "}" before the first "{" fails even though a parameter with an empty name exists.
        {"}{Cu}", "Designation:  not found"},
        {"1}+{Cu", "Designation:  not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        dialogs.shown.clear();
        EXPECT_TRUE(expand(c.text, false).empty());
        EXPECT_EQ(dialogs.shown, (std::vector<testsupport::ScriptedDialogs::Shown>{{"error", c.message}}));
    }
}

TEST_F(ExpandReferencesTest, ReferencesInsideElementDataAreExpandedInTurn) {
    StabilityDetail ser = detail(300, 2000, "X*T");
    ser.Xmin = 0.1;
    ser.Xmax = 0.9;
    source.parameters = {
        {"Liq", {detail(300, 600, "{ser}+100"), detail(600, 900, "{Ser}+{Ser}")}},
        {"Ser", {ser}},
        {"Twice", {detail(300, 900, "{Liq}-{Liq}")}},
    };
    // The nested parameter adds no breakpoint; the window is that of the detail chosen last.
    expectPieces(expand("{Liq}*2"), {{300, 600, 0.1, 0.9, "X*T+100*2"}, {600, 900, 0.1, 0.9, "X*T+X*T*2"}});
    // Over 300..900 no detail of Liq spans the piece, so its last one serves, twice over.
    expectPieces(expand("{Twice}"), {{300, 900, 0.1, 0.9, "X*T+X*T-X*T+X*T"}});
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ExpandReferencesTest, ReferenceCyclesAndUnresolvableNestedReferencesFail) {
    struct Case {
        const char* text;
        const char* message;
    };
    source.parameters = {
        {"Self", {detail(300, 600, "1+{Self}")}},
        {"A", {detail(300, 600, "{b}")}},
        {"B", {detail(300, 600, "2*{A}")}},
        {"Ghost", {detail(300, 600, "{Xx}")}},
        {"Open", {detail(300, 600, "{Self")}},
    };
    const Case cases[] = {
        {"{Self}", "Designation: Self refers to itself"},
        {"3+{A}", "Designation: A refers to itself"},
        {"{Ghost}", "Designation: Xx not found"},
        {"{Open}", "No matching bracket: {Self"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        dialogs.shown.clear();
        EXPECT_TRUE(expand(c.text, false).empty());
        EXPECT_EQ(dialogs.shown, (std::vector<testsupport::ScriptedDialogs::Shown>{{"error", c.message}}));
    }
}

}  // namespace
}  // namespace functions
