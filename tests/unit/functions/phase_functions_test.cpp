// Assembling the phase functions of a system and evaluating them.
#include <gtest/gtest.h>

#include <cmath>

#include "expr/parser.h"
#include "expr/parser_errors.h"
#include "functions/ideal_mixing_entropy.h"
#include "functions/phase_functions.h"
#include "memory_source.h"
#include "support/scripted_dialogs.h"

namespace functions {
namespace {

using testing::detail;
using functions::MemoryPhase;
using testing::MemorySource;
using testing::record;
using Shown = testsupport::ScriptedDialogs::Shown;

class PhaseFunctionsTest : public ::testing::Test {
protected:
    bool build(bool calculation = true) {
        run.CalculationMode = calculation;
        return functions.BuildPhaseFunctions(source);
    }
    void setCompositions(std::initializer_list<double> xs) {
        functions.CompositionList.clear();
        for (double x : xs) functions.CompositionList.add(std::to_string(x), std::make_unique<TXclass>(TXclass{x}));
    }
    std::vector<std::string> names(const NameList<TParserplus>& list) {
        std::vector<std::string> out;
        for (const auto& entry : list) out.push_back(entry.name);
        return out;
    }

    MemorySource source;
    RunValues run;
    testsupport::ScriptedDialogs dialogs;
    PhaseFunctions functions{run, dialogs, '.'};
};

TEST_F(PhaseFunctionsTest, ListingShowsEveryPieceAsAssembled) {
    struct Case {
        const char* name;
        std::string yparameter;
        std::vector<MemoryPhase> phases;
        std::vector<std::string> lines;
    };
    GibbsRecord windowed = record(298, 1000, "X*T");
    windowed.Xmin = 0.125;
    windowed.Xmax = 0.6;
    GibbsRecord clipped = record(298, 1000, "T");
    clipped.Xmin = -1;
    clipped.Xmax = 0;
    const Case cases[] = {
        {"one record over two lines", "Temperature", {{"L", {record(298, 3000, "-2*T\r\n*LN(T)")}}},
         {"SYSTEM: A+B", "", "PHASE: L-(C)", "Tmin = 298  Tmax = 3000", "-2*T*LN(T)", ""}},
        {"two records, one empty line; no records, no empty line", "Temperature",
         {{"Cu3Sn", {record(298.15, 1000, "1"), record(1000, 3000, "2")}}, {"Empty", {}}},
         {"SYSTEM: A+B", "", "PHASE: Cu3Sn", "Tmin = 298.15  Tmax = 1000", "1", "Tmin = 1000  Tmax = 3000", "2", "",
          "PHASE: Empty-(C)"}},
        {"Tmax 0 means 10000 for temperature", "Temperature", {{"S", {record(100, 0, "T")}}},
         {"SYSTEM: A+B", "", "PHASE: S-(C)", "Tmin = 100  Tmax = 10000", "T", ""}},
        {"Tmax 0 stays for pressure", "Pressure", {{"S", {record(100, -5, "T")}}},
         {"SYSTEM: A+B", "", "PHASE: S-(C)", "Tmin = 100  Tmax = -5", "T", ""}},
        {"window lines only when not the whole range", "Temperature", {{"S", {windowed, clipped}}},
         {"SYSTEM: A+B", "", "PHASE: S-(C)", "Tmin = 298  Tmax = 1000", "Xmin = 0.125", "Xmax = 0.6", "X*T",
          "Tmin = 298  Tmax = 1000", "T", ""}},
        {"syntax errors are listed unchanged", "Temperature", {{"S", {record(1, 2, "1+*2")}}},
         {"SYSTEM: A+B", "", "PHASE: S-(C)", "Tmin = 1  Tmax = 2", "1+*2", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        source.yparameter = c.yparameter;
        source.phases = c.phases;
        EXPECT_TRUE(build(false));
        EXPECT_EQ(functions.listing(), c.lines);
        EXPECT_TRUE(functions.SolutionList.empty());
        EXPECT_TRUE(functions.PointPhaseList.empty());
    }
}

TEST_F(PhaseFunctionsTest, ListingUsesTheDecimalSeparatorAndTheRunRange) {
    PhaseFunctions comma{run, dialogs, ','};
    GibbsRecord r = record(298.15, 1000.5, "1");
    r.Xmin = 0.25;
    source.phases = {{"L", {r, record(1000.5, 2000, "2")}}};
    run.CalculationMode = false;
    run.XMin = 0.2;
    run.XMax = 0.8;
    comma.BuildPhaseFunctions(source);
    EXPECT_EQ(comma.listing(), (std::vector<std::string>{"SYSTEM: A+B", "", "PHASE: L-(C)", "Tmin = 298,15  Tmax = 1000,5",
                                                         "Xmin = 0,25", "1", "Tmin = 1000,5  Tmax = 2000", "Xmin = 0,2",
                                                         "Xmax = 0,8", "2", ""}));
}

TEST_F(PhaseFunctionsTest, LastRecordDecidesPointOrSolutionPhase) {
    source.phases = {
        {"Liquid", {record(298, 3000, "X")}},
        {"Laves", {record(298, 1000, "1"), record(1000, 3000, "2", " 0.5 ")}},
        {"Cu3Sn", {record(298, 3000, "3", "1/4;0.75")}},
        {"Solution", {record(298, 1000, "4", "0.5"), record(1000, 3000, "5", "2")}},
        {"Left", {record(298, 3000, "X", "0")}},
        {"Right", {record(298, 3000, "X", "1")}},
        {"None", {}},
    };
    ASSERT_TRUE(build());
    EXPECT_EQ(names(functions.SolutionList), (std::vector<std::string>{"Liquid", "Solution"}));
    EXPECT_EQ(names(functions.PointPhaseList),
              (std::vector<std::string>{"Laves-(C)", "Cu3Sn", "Left-(C)", "Right-(C)"}));
    ASSERT_EQ(functions.FunctionList.count(), 6u);
    EXPECT_EQ(functions.FunctionList.name(1), "Laves-(C)");
    EXPECT_EQ(functions.FunctionList.object(1).count(), 2u);

    struct Expected {
        const char* name;
        double x, y;
    };
    const Expected points[] = {{"Laves-(C)", 0.5, -1}, {"Cu3Sn", 0.25, 0.75}, {"Left-(C)", 1e-10, -1},
                               {"Right-(C)", 1 - 1e-10, -1}};
    for (const Expected& e : points) {
        SCOPED_TRACE(e.name);
        TParserplus* evaluator = functions.PointPhaseList.find(e.name);
        ASSERT_NE(evaluator, nullptr);
        EXPECT_EQ(evaluator->X, e.x);
        EXPECT_EQ(*evaluator->xCell(), e.x);
        EXPECT_EQ(*evaluator->yCell(), e.y);
        EXPECT_EQ(evaluator->Tmin, functions.FunctionList.find(e.name)->last().Tmin);
    }
    EXPECT_DOUBLE_EQ(functions.EvaluatePointPhase("right-(c)", 500), 1 - 1e-10);

    // Assembled for the listing, the function list carries the same names.
    ASSERT_TRUE(build(false));
    std::vector<std::string> listed;
    for (const auto& entry : functions.FunctionList) listed.push_back(entry.name);
    EXPECT_EQ(listed, (std::vector<std::string>{"Liquid", "Laves-(C)", "Cu3Sn", "Solution", "Left-(C)", "Right-(C)"}));
}

TEST_F(PhaseFunctionsTest, PointPhaseOnTheEndsMovesInsideTheRunRange) {
    run.XMin = 0.2;
    run.XMax = 0.6;
    source.phases = {{"A", {record(298, 3000, "X", "0.2")}}, {"B", {record(298, 3000, "X", "0.6")}}};
    ASSERT_TRUE(build());
    EXPECT_EQ(functions.PointPhaseList.object(0).X, 0.2 + 1e-10);
    EXPECT_EQ(functions.PointPhaseList.object(1).X, 0.6 - 1e-10);
}

TEST_F(PhaseFunctionsTest, UnreadableRecordKeepsThePiecesMadeBefore) {
    source.phases = {
        {"S", {record(298, 600, "1"), record(600, 900, "2", "1/"), record(900, 1200, "3")}},
        {"T", {record(298, 600, "4"), record(600, 900, "5")}},
        {"U", {record(298, 600, "6")}},
    };
    source.failingReads = {{1, 0}};
    ASSERT_TRUE(build());
    EXPECT_EQ(dialogs.texts("message"), (std::vector<std::string>{"2", ""}));
    EXPECT_EQ(functions.FunctionList.find("S")->count(), 1u);
    EXPECT_EQ(functions.FunctionList.find("T"), nullptr);
    EXPECT_EQ(names(functions.SolutionList), (std::vector<std::string>{"S", "U"}));
    EXPECT_EQ(functions.SolutionList.find("S")->parser().expression(), "1");
}

TEST_F(PhaseFunctionsTest, UnresolvedReferenceEndsTheAssembly) {
    source.parameters = {{"Cu", {detail(300, 600, "1"), detail(600, 900, "2")}}};
    source.phases = {
        {"Fcc", {record(1, 2, "{CU}*X")}},
        {"Bad", {record(1, 2, "7"), record(2, 3, "{Zn}")}},
        {"Later", {record(1, 2, "8")}},
    };
    for (bool calculation : {true, false}) {
        SCOPED_TRACE(calculation);
        dialogs.shown.clear();
        EXPECT_FALSE(build(calculation));
        EXPECT_EQ(dialogs.shown, (std::vector<Shown>{{"error", "Designation: Zn not found"}}));
        EXPECT_EQ(functions.FunctionList.count(), 1u);
        EXPECT_EQ(functions.SolutionList.count(), calculation ? 1u : 0u);
        EXPECT_EQ(functions.listing(),
                  (std::vector<std::string>{"SYSTEM: A+B", "", "PHASE: Fcc-(C)", "Tmin = 300  Tmax = 600", "1*X",
                                            "Tmin = 600  Tmax = 900", "2*X", "", "PHASE: Bad-(C)"}));
    }
}

TEST_F(PhaseFunctionsTest, CompileErrorOfTheLastPieceIsThrownInCalculationOnly) {
    source.phases = {{"Ok", {record(1, 2, "1")}}, {"S", {record(1, 2, "X"), record(2, 3, "1+*2")}}};
    EXPECT_THROW(build(true), expr::EMathParserError);
    EXPECT_EQ(functions.SolutionList.count(), 1u);
    EXPECT_TRUE(build(false));
}

TEST_F(PhaseFunctionsTest, ExpressionsSeeTheRunValues) {
    struct Case {
        const char* expression;
        double expected;
    };
    const double x = 0.25;
    const Case cases[] = {
        {"T", 700},   {"p", 3},   {"y", -2.5}, {"X", x}, {"Sid", IdealMixingEntropy(x)},
        {"R", 8.31441}, {"A+B+C+D+E", 0},
    };
    run.PValue = 3;
    run.YCurrent = -2.5;
    setCompositions({x});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        source.phases = {{"S", {record(298, 3000, c.expression)}}, {"P", {record(298, 3000, c.expression, "0.25")}}};
        ASSERT_TRUE(build());
        TG g;
        functions.EvaluateSolutionPhase("s", g, 700);
        ASSERT_EQ(g.size(), 1u);
        EXPECT_DOUBLE_EQ(g[0], c.expected);
        EXPECT_DOUBLE_EQ(functions.EvaluatePointPhase("P-(C)", 700), c.expected);
    }
}

TEST_F(PhaseFunctionsTest, SolutionPhaseFollowsTheTemperaturePieces) {
    source.phases = {{"S", {record(298, 900, "1"), record(900, 2000, "2"), record(2000, 3000, "3"),
                            record(3500, 3400, "4")}}};
    ASSERT_TRUE(build());
    setCompositions({0.5});
    TParserplus& evaluator = *functions.SolutionList.find("S");
    struct Step {
        double T;
        double g;
        double loadedTmin;
    };
    // Starts with the last piece (which covers no temperature) loaded; a value of -1 means "unchanged".
    const Step steps[] = {
        {500, 1, 298}, {900, 1, 298},    // the loaded piece covers 900
        {2500, 3, 2000}, {900, 2, 900},  // both covering pieces evaluated, the later one stays
        {1500, 2, 900}, {3450, -1, 900}, {5000, -1, 900},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.T);
        TG g{-1};
        functions.EvaluateSolutionPhase("S", g, step.T);
        EXPECT_EQ(g[0], step.g);
        EXPECT_EQ(evaluator.Tmin, step.loadedTmin);
    }
}

TEST_F(PhaseFunctionsTest, CompositionsOutsideTheWindowGet1e30) {
    GibbsRecord windowed = record(298, 3000, "X");
    windowed.Xmin = 0.2;
    windowed.Xmax = 0.6;
    source.phases = {{"S", {windowed}}};
    ASSERT_TRUE(build());
    setCompositions({0.2 - 1e-12, 0.2, 0.6, 0.6 + 1e-12});
    TG g{5, 6};
    functions.EvaluateSolutionPhase("S", g, 300);
    EXPECT_EQ(g, (TG{1e30, 0.2, 0.6, 1e30}));
}

TEST_F(PhaseFunctionsTest, EvaluationErrorStopsAtTheFailingComposition) {
    struct Case {
        const char* expression;
        char separator;
        TG expected;
        const char* message;
    };
    const Case cases[] = {
        {"1/(X-0.5)", '.', {-2, -4, 7, 7, 7}, "1/(X-0.5)\r at X = 0.5"},
        {"LN(0.5-X)+X", ',', {std::log(0.5), std::log(0.25) + 0.25, 0.5, 7, 7}, "LN(0.5-X)+X\r at X = 0,75"},
        {"EXP(4000*X)", '.', {1, 7, 7, 7, 7}, "EXP(4000*X)\r at X = 0.25"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        PhaseFunctions local{run, dialogs, c.separator};
        source.phases = {{"S", {record(298, 3000, c.expression)}}};
        run.CalculationMode = true;
        ASSERT_TRUE(local.BuildPhaseFunctions(source));
        for (double x : {0.0, 0.25, 0.5, 0.75, 1.0})
            local.CompositionList.add("x", std::make_unique<TXclass>(TXclass{x}));
        dialogs.shown.clear();
        TG g(5, 7);
        local.EvaluateSolutionPhase("S", g, 300);
        EXPECT_EQ(g.size(), 5u);
        for (std::size_t i = 0; i < g.size(); ++i) EXPECT_DOUBLE_EQ(g[i], c.expected[i]) << i;
        EXPECT_EQ(dialogs.shown, (std::vector<Shown>{{"message", c.message}}));
        // The phase stays usable.
        local.EvaluateSolutionPhase("S", g, 300);
        EXPECT_EQ(dialogs.shown.size(), 2u);
    }
}

TEST_F(PhaseFunctionsTest, PointPhaseUsesTheLastCoveringPieceAndThrowsEvaluationErrors) {
    source.phases = {{"C", {record(298, 900, "T*X", "0.5"), record(900, 2000, "3*T*X", "0.25"),
                            record(2000, 3000, "LN(-X)", "0.25")}}};
    ASSERT_TRUE(build());
    // At 900 both pieces apply; the later one, with its own composition, gives the value.
    EXPECT_DOUBLE_EQ(functions.EvaluatePointPhase("C", 900), 675);
    EXPECT_DOUBLE_EQ(functions.EvaluatePointPhase("C", 500), 250);
    EXPECT_EQ(functions.EvaluatePointPhase("C", 5000), 0);
    EXPECT_THROW(functions.EvaluatePointPhase("C", 2500), expr::EEvaluationError);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PhaseFunctionsTest, UnknownPhasesAreReported) {
    source.phases = {{"S", {record(298, 900, "1"), record(900, 2000, "2")}},
                     {"P", {record(298, 900, "1"), record(900, 2000, "2", "0.5")}}};
    ASSERT_TRUE(build());
    setCompositions({0.1, 0.2});
    TG g{4};
    functions.EvaluateSolutionPhase("Q", g, 300);
    EXPECT_EQ(g, (TG{4, 0}));
    EXPECT_EQ(functions.EvaluatePointPhase("Q", 300), 0);
    EXPECT_EQ(functions.EvaluatePointPhase("P", 300), 0);  // its name is marked
    functions.FunctionList.clear();
    functions.EvaluateSolutionPhase("S", g, 300);
    EXPECT_EQ(functions.EvaluatePointPhase("P-(C)", 300), 0);
    // The loaded piece needs no function list.
    EXPECT_EQ(functions.EvaluatePointPhase("P-(C)", 1000), 2);
    EXPECT_EQ(dialogs.texts("error"), (std::vector<std::string>{
                                          "Phase Q not found in list of solutions",
                                          "Phase Q not found in list of point phases",
                                          "Phase P not found in list of point phases",
                                          "Phase S not found in list of functions",
                                          "Phase P-(C) not found in list of functions",
                                      }));
}

TEST_F(PhaseFunctionsTest, PieceThatFailsToCompileIsNotLeftLoaded) {
    source.phases = {{"S", {record(298, 900, "1+*2"), record(900, 2000, "2")}}};
    ASSERT_TRUE(build());
    setCompositions({0.5});
    TG g{9};
    EXPECT_THROW(functions.EvaluateSolutionPhase("S", g, 500), expr::EMathParserError);
    EXPECT_THROW(functions.EvaluateSolutionPhase("S", g, 500), expr::EMathParserError);
    EXPECT_EQ(g[0], 9);
    functions.EvaluateSolutionPhase("S", g, 1000);
    EXPECT_EQ(g[0], 2);
}

}  // namespace
}  // namespace functions
