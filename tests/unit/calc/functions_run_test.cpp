// A small system computed end to end: phase functions assembled from stored expressions, then the
// grid run over them.
#include <gtest/gtest.h>

#include "calc/functions_phase_source.h"
#include "calc/grid_run.h"
#include "support/scripted_dialogs.h"

namespace {

// Two components with a regular-solution liquid and solid, and a compound AB at x = 0.5.
class RegularSolutionSystem : public functions::FunctionSource {
public:
    struct Phase {
        std::string name;
        std::string x;
        std::string expression;
    };
    std::vector<Phase> phases = {
        {"LIQUID", "", "(1-X)*(10000-10*T)+X*(9000-10*T)-T*SID+2000*X*(1-X)"},
        {"FCC", "", "-T*SID+20000*X*(1-X)"},
        {"AB", "0.5", "-8000+2*T"},
    };

    std::string systemDesignation() override { return "A-B"; }
    std::string yParameter() override { return "Temperature"; }
    int phaseCount() override { return static_cast<int>(phases.size()); }
    std::string phaseDesignation(int phase) override { return phases[phase].name; }
    int gibbsCount(int) override { return 1; }
    functions::GibbsRecord gibbsRecord(int phase, int) override {
        functions::GibbsRecord record;
        record.Tmin = 0;
        record.Tmax = 0;  // "Temperature": read as 10000
        record.X = phases[phase].x;
        record.Expression = phases[phase].expression;
        return record;
    }
    bool findStability(std::string_view, std::vector<functions::StabilityDetail>&) override { return false; }
};

TEST(GridRunOverPhaseFunctions, RegularSolutionSystemWithACompound) {
    testsupport::ScriptedDialogs dialogs;
    calc::GridRun run('.');
    functions::PhaseFunctions functions(run.parameters(), dialogs, '.');
    RegularSolutionSystem system;
    calc::FunctionsPhaseSource phases(functions, system);
    calc::SystemRecord record;
    record.Xpoints = 20;
    record.Ypoints = 8;
    record.Ymin = 400;
    record.Ymax = 1200;
    record.Zvalue = 1;
    record.Yparameter = "Temperature";
    calc::RowObserver quiet;
    ASSERT_EQ(run.run(record, phases, quiet, dialogs), calc::GridRun::Outcome::Completed);
    EXPECT_TRUE(dialogs.shown.empty());

    const calc::PhaseMatrix& m = run.results().matrix;
    ASSERT_EQ(m.colCount(), 22);
    ASSERT_EQ(m.rowCount(), 10);
    EXPECT_EQ(m.text(11, 0), "0.5");  // AB sits on the grid composition 0.5: no column of its own
    // 1200 K: above both melting points the liquid is stable at every composition.
    for (int c = 1; c <= 21; ++c) EXPECT_EQ(m.text(c, 1), "LIQUID") << c;
    // 400 K: the solid's terminal solutions and the compound, two-phase fields between them.
    EXPECT_EQ(m.text(0, 9), "400");
    EXPECT_EQ(m.text(1, 9), "FCC");
    EXPECT_EQ(m.text(3, 9), "E");
    EXPECT_EQ(m.text(11, 9), "AB-(C)");
    EXPECT_EQ(m.text(21, 9), "FCC");
    auto last = run.results().boundaries().last(4);
    EXPECT_EQ(last[0].PhaseName, "FCC");
    EXPECT_GT(last[0].X, 0.5);
    EXPECT_EQ(last[1].PhaseName, "AB-(C)");
    EXPECT_EQ(last[1].Column, 0);
    EXPECT_EQ(last[2].PhaseName, "AB-(C)");
    EXPECT_EQ(last[3].PhaseName, "FCC");
    EXPECT_LT(last[3].X, 0.5);
    for (const calc::TZPoint& p : last) EXPECT_EQ(p.Y, 400);
}

}  // namespace
