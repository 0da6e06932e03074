#include "engine/calculation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <cmath>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "db/table_definitions.h"
#include "db/tdm.h"
#include "support/scripted_dialogs.h"
#include "util/errors.h"
#include "unit/functions/temp_directory.h"

namespace {

using Outcome = engine::Calculation::Outcome;
using testsupport::ScriptedDialogs;

// A simple eutectic: liquid, and two terminal solids melting at 1000 K (A) and 900 K (B).
const char* const kLiquid = "-T*SID";
const char* const kAlpha = "(1-X)*(-10*(1000-T))+X*3000-T*SID+20000*X*(1-X)";
const char* const kBeta = "X*(-10*(900-T))+(1-X)*3000-T*SID+20000*X*(1-X)";

// Counts every notification of a table.
class EventCounter : public store::TableObserver {
public:
    int count = 0;
    void tableReset(const store::Table&) override { ++count; }
    void rowInserted(const store::Table&, int) override { ++count; }
    void rowRemoved(const store::Table&, int) override { ++count; }
    void rowChanged(const store::Table&, int) override { ++count; }
    void fieldChanged(const store::Table&, int) override { ++count; }
    void currentMoved(const store::Table&) override { ++count; }
    void stateChanged(const store::Table&) override { ++count; }
};

// A database in a temporary directory with the eutectic "A+B" and the system "Gap+Phases", whose
// solution phases leave the middle of the range to a compound.
class CalculationTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string dir = directory.path().string() + "/";
        db::createEmptyDatabase(dir);
        tdm.Start(dir);
        tdm.SetReadOnlyLock(false);
        system("A+B", 50, 70, 400, 1100);
        phase("LIQUID", kLiquid);
        phase("ALPHA", kAlpha);
        phase("BETA", kBeta);
        system("Gap+Phases", 20, 10, 300, 800);
        phase("Alpha", "10000*(X-0.1)^2", "", 0, 0.2);
        phase("Beta", "10000*(X-0.9)^2", "", 0.8, 1);
        phase("AB", "-1000", "0.5");
        select("A+B");
        dialogs.shown.clear();
    }

    void system(const std::string& designation, int xpoints, int ypoints, double ymin, double ymax) {
        store::Table& t = tdm.tblSystems;
        t.insert();
        t.setString("System_designation", designation);
        t.setInteger("Xpoints", xpoints);
        t.setInteger("Ypoints", ypoints);
        t.setFloat("Ymin", ymin);
        t.setFloat("Ymax", ymax);
        t.setFloat("Zvalue", 1);
        t.post();
    }
    void phase(const std::string& name, const std::string& expression, const std::string& x = "",
               std::optional<double> xmin = std::nullopt, std::optional<double> xmax = std::nullopt) {
        tdm.tblPhases.insert();
        tdm.tblPhases.setString("Phase_designation", name);
        tdm.tblPhases.post();
        store::Table& g = tdm.tblGibbs;
        g.insert();
        g.setFloat("Tmin", 200);
        g.setFloat("Tmax", 3000);
        g.setString("X", x);
        if (xmin) g.setFloat("Xmin", *xmin);
        if (xmax) g.setFloat("Xmax", *xmax);
        g.setString("Expression", expression);
        g.post();
    }
    void select(const std::string& designation) {
        ASSERT_TRUE(tdm.tblSystems.locate("System_designation", store::Value{designation}));
    }

    // Everything a run leaves: every matrix cell and every boundary point.
    using Result = std::pair<std::vector<std::string>, std::vector<std::tuple<double, double, int, std::string>>>;
    static Result resultOf(const engine::Calculation& calculation) {
        Result result;
        const calc::PhaseMatrix& m = calculation.results().matrix;
        for (int r = 0; r < m.rowCount(); ++r)
            for (int c = 0; c < m.colCount(); ++c) result.first.push_back(m.text(c, r));
        for (const calc::TZPoint& p : calculation.results().boundaries())
            result.second.emplace_back(p.X, p.Y, p.Column, std::string(p.PhaseName));
        return result;
    }

    functions::testing::TempDirectory directory;
    ScriptedDialogs dialogs;
    db::TDM tdm{dialogs};
};

TEST_F(CalculationTest, SnapshotMovesNoCursorAndFiresNoEvent) {
    tdm.tblPhases.setRecNo(2);
    tdm.tblGibbs.first();
    tdm.tblStability.last();
    store::Table* tables[] = {&tdm.tblSystems, &tdm.tblPhases, &tdm.tblGibbs, &tdm.tblStability, &tdm.tblStabDet};
    std::vector<int> positions;
    EventCounter events;
    for (store::Table* t : tables) {
        positions.push_back(t->recNo());
        t->addObserver(&events);
    }
    const auto snapshot = engine::Calculation::takeSnapshot(tdm);
    engine::Calculation calculation(dialogs, '.');
    EXPECT_EQ(calculation.run(snapshot), Outcome::Completed);
    for (size_t k = 0; k < std::size(tables); ++k) {
        EXPECT_EQ(tables[k]->recNo(), positions[k]) << tables[k]->name();
        tables[k]->removeObserver(&events);
    }
    EXPECT_EQ(events.count, 0);
    EXPECT_EQ(snapshot->system.System_designation, "A+B");
    ASSERT_EQ(snapshot->phases.phases.size(), 3u);
    EXPECT_EQ(snapshot->phases.phases[2].records.at(0).Expression, kBeta);
}

TEST_F(CalculationTest, RunOnAWorkerWhileTheTablesAreEditedEqualsARunHere) {
    const auto snapshot = engine::Calculation::takeSnapshot(tdm);
    engine::Calculation here(dialogs, '.');
    ASSERT_EQ(here.run(snapshot), Outcome::Completed);

    ScriptedDialogs workerDialogs;
    engine::Calculation worker(workerDialogs, '.');
    std::atomic<bool> done = false;
    Outcome outcome = Outcome::NotStarted;
    std::thread thread([&] {
        outcome = worker.run(snapshot);
        done = true;
    });
    // The user keeps editing: the expressions of the system change, phases come and go, the
    // selection moves.
    int edits = 0;
    do {
        tdm.tblPhases.first();
        tdm.tblGibbs.edit();
        tdm.tblGibbs.setString("Expression", edits % 2 ? kLiquid : "1000*X");
        tdm.tblGibbs.post();
        tdm.tblPhases.insert();
        tdm.tblPhases.setString("Phase_designation", "Extra");
        tdm.tblPhases.post();
        tdm.tblPhases.deleteRecord();
        tdm.tblSystems.last();
        tdm.tblSystems.first();
        ++edits;
    } while (!done);
    thread.join();
    ASSERT_EQ(outcome, Outcome::Completed);
    EXPECT_GT(edits, 0);
    EXPECT_EQ(resultOf(worker), resultOf(here));
    EXPECT_TRUE(workerDialogs.shown.empty());
    EXPECT_FALSE(worker.running());
}

TEST_F(CalculationTest, StopFromAnotherThreadKeepsTheRowsAndDropsTheOldSpecialPoints) {
    const auto snapshot = engine::Calculation::takeSnapshot(tdm);
    engine::Calculation calculation(dialogs, '.');
    ASSERT_EQ(calculation.run(snapshot), Outcome::Completed);
    ASSERT_FALSE(calculation.findSpecialPoints().nodes().empty());  // the eutectic

    // The second run is stopped from this thread once the worker has finished its third row.
    class Signal : public calc::RowObserver {
    public:
        std::atomic<int> rows = 0;
        std::atomic<bool> stopSeen = false;
        void rowDone(const calc::RowFrame&) override {
            ++rows;
            while (rows >= 3 && !stopSeen) std::this_thread::yield();
        }
    } signal;
    Outcome outcome = Outcome::Completed;
    std::thread thread([&] { outcome = calculation.run(snapshot, signal); });
    while (signal.rows < 3) std::this_thread::yield();
    EXPECT_TRUE(calculation.running());
    calculation.requestStop();
    signal.stopSeen = true;
    thread.join();
    EXPECT_EQ(outcome, Outcome::Stopped);
    EXPECT_EQ(calculation.parameters().RowIndex, 2);
    EXPECT_EQ(calculation.results().matrix.rowCount(), 4);
    EXPECT_TRUE(calculation.specialPoints().nodes().empty());
    EXPECT_TRUE(calculation.specialPoints().otherPoints().empty());
}

TEST_F(CalculationTest, EutecticNodeGridOverrideAndPhaseEnergies) {
    engine::Calculation calculation(dialogs, ',');
    ASSERT_EQ(calculation.run(engine::Calculation::takeSnapshot(tdm)), Outcome::Completed);
    const results::SpecialPoints& found = calculation.findSpecialPoints();
    ASSERT_EQ(found.nodes().size(), 1u);
    const results::TNode& node = found.nodes()[0];
    EXPECT_LT(node.XLeft, node.X);
    EXPECT_LT(node.X, node.XRight);
    EXPECT_GT(node.Y, 400);
    EXPECT_LT(node.Y, 900);
    EXPECT_EQ(calculation.results().matrix.text(2, 0), "0,02");
    EXPECT_EQ(calculation.results().matrix.columnValue(2), 0.02);
    EXPECT_EQ(calculation.compositions().size(), 51u);

    // G of the phases of the last run at any composition and temperature.
    const double sid = 8.31441 * std::log(2.0);
    EXPECT_NEAR(*calculation.gibbsEnergy("liquid", 0.5, 1000), -1000 * sid, 1e-9);
    EXPECT_NEAR(*calculation.gibbsEnergy("ALPHA", 0.5, 800), 0.5 * -2000 + 1500 - 800 * sid + 5000, 1e-9);
    EXPECT_EQ(calculation.gibbsEnergy("GAMMA", 0.5, 800), std::nullopt);
    EXPECT_EQ(calculation.gibbsEnergy("ALPHA", 0.5, 5000), std::nullopt);
    EXPECT_EQ(calculation.compositions().size(), 51u);  // the grid is left as it was

    calculation.setGridOverride(4, 2);
    ASSERT_EQ(calculation.run(engine::Calculation::takeSnapshot(tdm)), Outcome::Completed);
    EXPECT_EQ(calculation.results().matrix.colCount(), 6);
    EXPECT_EQ(calculation.results().matrix.rowCount(), 4);
    EXPECT_TRUE(dialogs.shown.empty());
}

// Between Alpha (0 to 0.2) and Beta (0.8 to 1) only the compound is defined: those compositions
// lie in two-phase fields, and rows that do not change give no special point.
TEST_F(CalculationTest, IdenticalRowsOverAPhaseGapGiveNoSpecialPoint) {
    select("Gap+Phases");
    engine::Calculation calculation(dialogs, '.');
    ASSERT_EQ(calculation.run(engine::Calculation::takeSnapshot(tdm)), Outcome::Completed);
    const calc::PhaseMatrix& m = calculation.results().matrix;
    for (int r = 1; r < m.rowCount(); ++r) {
        EXPECT_EQ(m.text(8, r), "E") << r;   // x = 0.35
        EXPECT_EQ(m.text(11, r), "AB-(C)") << r;
    }
    const results::SpecialPoints& found = calculation.findSpecialPoints();
    EXPECT_TRUE(found.nodes().empty());
    EXPECT_TRUE(found.otherPoints().empty());
    EXPECT_EQ(calculation.gibbsEnergy("Alpha", 0.5, 500), 1e30);  // outside its window
    EXPECT_EQ(calculation.gibbsEnergy("AB-(C)", 0.1, 500), -1000);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(CalculationTest, SecondRunDuringARunIsRefusedAndKeepsTheSpecialPoints) {
    const auto snapshot = engine::Calculation::takeSnapshot(tdm);
    engine::Calculation calculation(dialogs, '.');
    ASSERT_EQ(calculation.run(snapshot), Outcome::Completed);
    const size_t nodes = calculation.findSpecialPoints().nodes().size();
    class Reentrant : public calc::RowObserver {
    public:
        engine::Calculation* calculation = nullptr;
        std::shared_ptr<const engine::RunSnapshot> snapshot;
        std::optional<Outcome> inner;
        std::optional<size_t> nodesDuring;
        void rowDone(const calc::RowFrame&) override {
            if (inner) return;
            inner = calculation->run(snapshot);
            nodesDuring = calculation->specialPoints().nodes().size();
        }
    } reentrant;
    reentrant.calculation = &calculation;
    reentrant.snapshot = snapshot;
    // The outer run clears the old points when it starts; the refused one touches nothing.
    EXPECT_EQ(calculation.run(snapshot, reentrant), Outcome::Completed);
    EXPECT_EQ(reentrant.inner, Outcome::NotStarted);
    EXPECT_EQ(reentrant.nodesDuring, 0u);
    EXPECT_EQ(dialogs.texts("warning"), std::vector<std::string>{"The calculation is already running"});
    EXPECT_EQ(calculation.findSpecialPoints().nodes().size(), nodes);
}

TEST_F(CalculationTest, AllocationFailureDuringARunBecomesAClearMessageAndKeepsTheRows) {
    // An observer whose storage runs out in the fifth row stands for any allocation of the run.
    class Exhausting : public calc::RowObserver {
    public:
        int rows = 0;
        void rowDone(const calc::RowFrame&) override {
            if (++rows == 5) throw std::bad_alloc();
        }
    } exhausting;
    engine::Calculation calculation(dialogs, '.');
    try {
        calculation.run(engine::Calculation::takeSnapshot(tdm), exhausting);
        FAIL() << "the run went on after its allocation failed";
    } catch (const util::Error& e) {
        EXPECT_STREQ(e.what(), "Not enough memory for the calculation of A+B");
    }
    EXPECT_FALSE(calculation.running());
    EXPECT_EQ(calculation.results().matrix.rowCount(), 1 + 5);
}

}  // namespace
