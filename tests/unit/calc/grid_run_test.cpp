#include "calc/grid_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "support/scripted_dialogs.h"

namespace {

using testsupport::ScriptedDialogs;
using Outcome = calc::GridRun::Outcome;

// Phases given as G(x, T, y) functions; records what the run asks.
class FakePhases : public calc::PhaseSource {
public:
    using G = std::function<double(double x, double t, double y)>;

    const calc::RunParameters* params = nullptr;  // for the y the evaluators see
    std::vector<std::pair<std::string, G>> solutions;
    std::vector<std::pair<calc::PointPhaseEntry, G>> points;
    bool buildResult = true;
    int builds = 0;
    std::vector<double> temperatures;  // per evaluation of solution phase 0
    std::vector<double> grid;

    bool build() override {
        ++builds;
        return buildResult;
    }
    std::vector<std::string> solutionPhases() override {
        std::vector<std::string> names;
        for (auto& s : solutions) names.push_back(s.first);
        return names;
    }
    std::vector<calc::PointPhaseEntry> pointPhases() override {
        std::vector<calc::PointPhaseEntry> entries;
        for (auto& p : points) entries.push_back(p.first);
        return entries;
    }
    void setCompositions(std::span<const double> x, std::span<const std::string>) override {
        grid.assign(x.begin(), x.end());
    }
    void evaluateSolution(int phase, std::vector<double>& g, double t) override {
        if (phase == 0) temperatures.push_back(t);
        for (size_t c = 0; c < grid.size(); ++c) g[c] = solutions[phase].second(grid[c], t, params->YCurrent);
    }
    double evaluatePoint(int phase, double t) override {
        return points[phase].second(points[phase].first.x, t, params->YCurrent);
    }
};

double convex(double x, double, double) { return 1000 * (x - 0.5) * (x - 0.5); }

// Two phases with a common tangent that tilts as T changes: one two-phase field in every row.
double alpha(double x, double t, double) { return 10000 * (x - 0.2) * (x - 0.2) + (t - 500) * x * 0.1; }
double beta(double x, double, double) { return 10000 * (x - 0.8) * (x - 0.8); }

calc::SystemRecord system(int xpoints, int ypoints, double ymin, double ymax, std::string abbreviations = "") {
    calc::SystemRecord s;
    s.Xpoints = xpoints;
    s.Ypoints = ypoints;
    s.Ymin = ymin;
    s.Ymax = ymax;
    s.Yparameter = "Temperature";
    s.Zvalue = 1;
    s.Abbreviations = std::move(abbreviations);
    return s;
}

// What the run reports, with the display data of every row copied out of the call.
class ObserverStub : public calc::RowObserver {
public:
    struct Row {
        int rowIndex = 0;
        double y = 0;
        std::vector<std::vector<double>> curveX, curveG;
        std::vector<double> hullX, hullG, pointPhaseX;
        std::vector<std::pair<double, double>> segments;
    };
    std::function<void()> onRow;
    std::vector<std::string> statuses;
    std::vector<Row> rows;
    std::vector<std::string> prepared;  // solution phases announced before the first row
    std::vector<double> preparedGrid;
    bool displays = false;
    std::vector<bool> finished;
    bool wantsChart() override { return displays; }
    bool wantsMosaic() override { return displays; }
    void runPrepared(const calc::RunStart& start) override {
        prepared = start.solutionPhases;
        preparedGrid = start.compositions;
    }
    void statusText(const std::string& text) override { statuses.push_back(text); }
    void rowDone(const calc::RowFrame& frame) override {
        Row row{frame.rowIndex, frame.y, {}, {}, {}, {}, {}, {}};
        for (const auto& curve : frame.curves) {
            row.curveX.emplace_back(curve.x.begin(), curve.x.end());
            row.curveG.emplace_back(curve.g.begin(), curve.g.end());
        }
        row.hullX.assign(frame.hullX.begin(), frame.hullX.end());
        row.hullG.assign(frame.hullG.begin(), frame.hullG.end());
        row.pointPhaseX.assign(frame.pointPhaseX.begin(), frame.pointPhaseX.end());
        for (const auto& segment : frame.segments) row.segments.emplace_back(segment.x1, segment.x2);
        rows.push_back(std::move(row));
        if (onRow) onRow();
    }
    void runFinished(bool completed) override { finished.push_back(completed); }
};

struct RunFixture {
    RunFixture() { phases.params = &run.parameters(); }
    Outcome go(const calc::SystemRecord& s) { return run.run(s, phases, observer, dialogs); }
    std::vector<std::string> row(int r) const {
        std::vector<std::string> out;
        for (int c = 0; c < run.results().matrix.colCount(); ++c) out.push_back(run.results().matrix.text(c, r));
        return out;
    }
    calc::GridRun run{'.'};
    FakePhases phases;
    ObserverStub observer;
    ScriptedDialogs dialogs;
};

TEST(GridRun, TinyGridOfOneConvexPhase) {
    for (char separator : {'.', ','}) {
        calc::GridRun run(separator);
        FakePhases phases;
        phases.params = &run.parameters();
        phases.solutions = {{"LIQUID", convex}};
        calc::RowObserver none;
        ScriptedDialogs dialogs;
        ASSERT_EQ(run.run(system(2, 1, 500, 1000), phases, none, dialogs), Outcome::Completed);
        const calc::PhaseMatrix& m = run.results().matrix;
        ASSERT_EQ(m.colCount(), 4);
        ASSERT_EQ(m.rowCount(), 3);  // the header and both rows, YMin included
        std::string half = std::string("0") + separator + "5";
        EXPECT_EQ(m.text(0, 0), " Y/X");
        EXPECT_EQ(m.text(1, 0), "0");
        EXPECT_EQ(m.text(2, 0), half);
        EXPECT_EQ(m.text(3, 0), "1");
        EXPECT_EQ(m.text(0, 1), "1000");
        EXPECT_EQ(m.text(0, 2), "500");
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 3; ++c) EXPECT_EQ(m.text(c, r), "LIQUID") << c << "," << r;
        EXPECT_TRUE(dialogs.shown.empty());
    }
}

TEST(GridRun, PointPhaseCompositionsGetColumnsOfTheirOwn) {
    struct Case {
        const char* name;
        std::vector<double> pointX;
        std::vector<std::string> headers;
    };
    const Case cases[] = {
        {"OneInsideAnInterval", {0.25}, {"0", "0.1", "0.2", "0.25", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"}},
        {"TwoInOneIntervalFirstListedWins", {0.27, 0.25}, {"0", "0.1", "0.2", "0.27", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"}},
        {"CloseToAGridCompositionUsesIt", {0.3 + 5e-9}, {"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"}},
        {"OutsideTheRangeGetsNone", {1.2}, {"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"}},
    };
    for (const Case& c : cases) {
        RunFixture f;
        f.phases.solutions = {{"A", convex}};
        for (double x : c.pointX) f.phases.points.push_back({{"P-(C)", x}, [](double, double, double) { return 1e3; }});
        ASSERT_EQ(f.go(system(10, 1, 300, 400)), Outcome::Completed) << c.name;
        std::vector<std::string> headers = f.row(0);
        headers.erase(headers.begin());
        EXPECT_EQ(headers, c.headers) << c.name;
        EXPECT_EQ(f.run.compositionTexts(), c.headers) << c.name;
        EXPECT_EQ(f.phases.grid.size(), c.headers.size()) << c.name;
    }
}

TEST(GridRun, RowsRunFromYmaxDownToExactlyYmin) {
    RunFixture f;
    f.phases.solutions = {{"A", convex}};
    ASSERT_EQ(f.go(system(2, 3, 0, 1)), Outcome::Completed);
    const double step = 1.0 / 3;
    // The steps accumulate; the last lands 1.1e-16 above YMin and is computed at YMin itself.
    EXPECT_EQ(f.phases.temperatures, (std::vector<double>{1, 1 - step, 1 - step - step, 0}));
    EXPECT_EQ(f.run.results().matrix.rowCount(), 5);
    EXPECT_EQ(f.row(2)[0], "0.666667");
    EXPECT_EQ(f.row(4)[0], "0");
    ASSERT_EQ(f.observer.rows.size(), 4u);
    EXPECT_EQ(f.observer.rows[3].rowIndex, 3);
    EXPECT_EQ(f.observer.rows[3].y, 0);
    EXPECT_EQ(f.observer.finished, std::vector<bool>{true});

    // Here the three steps leave Y 5.8e-11 above YMin: that row is computed where it lies, and one
    // more row at YMin follows.
    RunFixture g;
    g.phases.solutions = {{"A", convex}};
    ASSERT_EQ(g.go(system(2, 3, 300000, 370000)), Outcome::Completed);
    ASSERT_EQ(g.phases.temperatures.size(), 5u);
    EXPECT_GT(g.phases.temperatures[3] - 300000, 1e-11);
    EXPECT_EQ(g.phases.temperatures[4], 300000);
    EXPECT_EQ(g.run.results().matrix.rowCount(), 6);
}

TEST(GridRun, EqualYLimitsComputeOneRow) {
    RunFixture f;
    f.phases.solutions = {{"A", convex}};
    ASSERT_EQ(f.go(system(4, 10, 700, 700)), Outcome::Completed);
    EXPECT_EQ(f.phases.temperatures, std::vector<double>{700});
    EXPECT_EQ(f.run.results().matrix.rowCount(), 2);
}

TEST(GridRun, StatusEveryTenthRow) {
    RunFixture f;
    f.phases.solutions = {{"A", convex}};
    ASSERT_EQ(f.go(system(2, 20, 900, 1100)), Outcome::Completed);
    // Before the 2nd and the 12th row (Y = 1090 and 990); the 22nd never comes.
    EXPECT_EQ(f.observer.statuses, (std::vector<std::string>{"Temperature = 1090", "Temperature = 990"}));
    EXPECT_EQ(f.run.statusText(123.456789), "Temperature = 123.4568");
    EXPECT_EQ(f.run.statusText(5e-5), "Temperature = 5 e-05");
}

TEST(GridRun, StopEndsTheRunBetweenRowsKeepingFinishedRows) {
    RunFixture f;
    f.phases.solutions = {{"ALPHA", alpha}, {"BETA", beta}};
    int rowsDone = 0;
    // The stop button is pressed after the first row and answered No, then after the second: Yes.
    f.dialogs.answerConfirm(false);
    f.dialogs.answerConfirm(true);
    f.observer.onRow = [&] {
        if (f.observer.rows.size() == 1) {
            EXPECT_FALSE(f.run.askStop(f.dialogs));
        }
        if (f.observer.rows.size() == 2) {
            EXPECT_TRUE(f.run.askStop(f.dialogs));
        }
        rowsDone = f.run.parameters().RowIndex + 1;
    };
    ASSERT_EQ(f.go(system(10, 10, 300, 1300)), Outcome::Stopped);
    EXPECT_EQ(f.dialogs.texts("confirm"), (std::vector<std::string>{"Остановить расчет?", "Остановить расчет?"}));
    EXPECT_EQ(rowsDone, 2);
    EXPECT_EQ(f.run.parameters().RowIndex, 1);
    EXPECT_EQ(f.run.results().matrix.rowCount(), 3);
    EXPECT_EQ(f.run.results().boundaryLast, 3);  // one field in each finished row
    EXPECT_EQ(f.observer.finished, std::vector<bool>{false});
    // The next run is not stopped by the old request.
    f.observer.onRow = nullptr;
    EXPECT_EQ(f.go(system(10, 10, 300, 1300)), Outcome::Completed);
    EXPECT_EQ(f.run.results().matrix.rowCount(), 12);
    EXPECT_EQ(f.run.results().boundaryLast, 21);
}

TEST(GridRun, RefusalsBeforeAnyWork) {
    struct Case {
        const char* name;
        calc::SystemRecord system;
        bool buildResult;
        std::vector<ScriptedDialogs::Shown> shown;
        int builds;
    };
    const ScriptedDialogs::Shown reversedY{"warning", "Ymax must be more that Ymin"};
    const ScriptedDialogs::Shown unusable{"error", "Invalid thermodynamic properties"};
    const Case cases[] = {
        // A reversed Y range still has the phases assembled before the run ends.
        {"ReversedY", system(4, 4, 900, 800), true, {reversedY}, 1},
        {"ReversedYAndPhasesUnusable", system(4, 4, 900, 800), false, {reversedY, unusable}, 1},
        {"EmptyXRange", system(4, 4, 300, 800, "#XMIN=0.5\n#XMAX=0.5"), true, {{"warning", "Xmax must be more than Xmin"}}, 0},
        {"PhasesUnusable", system(4, 4, 300, 800), false, {unusable}, 1},
    };
    for (const Case& c : cases) {
        RunFixture f;
        f.phases.solutions = {{"A", convex}};
        f.phases.buildResult = c.buildResult;
        EXPECT_EQ(f.go(c.system), Outcome::NotStarted) << c.name;
        EXPECT_EQ(f.dialogs.shown, c.shown) << c.name;
        EXPECT_EQ(f.phases.builds, c.builds) << c.name;
        EXPECT_TRUE(f.phases.temperatures.empty()) << c.name;
        EXPECT_FALSE(f.run.running()) << c.name;
    }
}

TEST(GridRun, SecondStartDuringARunIsRefused) {
    RunFixture f;
    f.phases.solutions = {{"A", convex}};
    Outcome inner = Outcome::Completed;
    f.observer.onRow = [&] {
        if (f.observer.rows.size() == 1) inner = f.go(system(2, 1, 0, 1));
    };
    EXPECT_EQ(f.go(system(2, 4, 300, 400)), Outcome::Completed);
    EXPECT_EQ(inner, Outcome::NotStarted);
    EXPECT_EQ(f.dialogs.texts("warning"), std::vector<std::string>{"The calculation is already running"});
    EXPECT_EQ(f.run.results().matrix.rowCount(), 6);
    EXPECT_FALSE(f.run.running());
}

TEST(GridRun, EvaluationFaultEndsTheRunKeepingFinishedRows) {
    RunFixture f;
    f.phases.solutions = {{"A", convex}};
    f.phases.points = {{{"P-(C)", 0.5}, [](double, double t, double) {
                            if (t < 350) throw std::runtime_error("fault");
                            return -1000.0;
                        }}};
    EXPECT_THROW(f.go(system(4, 4, 300, 400)), std::runtime_error);
    EXPECT_FALSE(f.run.running());
    EXPECT_EQ(f.run.parameters().RowIndex, 2);  // rows 400, 375, 350 finished
}

TEST(GridRun, DisplaysOnAndOffGiveIdenticalResults) {
    auto compute = [](bool displays) {
        RunFixture f;
        f.phases.solutions = {{"ALPHA", alpha}, {"BETA", beta}};
        f.phases.points = {{{"AB-(C)", 0.45}, [](double, double t, double) { return -50 + 0.2 * (t - 300); }}};
        f.observer.displays = displays;
        EXPECT_EQ(f.go(system(20, 10, 300, 1300)), Outcome::Completed);
        std::vector<std::string> cells;
        const calc::PhaseMatrix& m = f.run.results().matrix;
        for (int r = 0; r < m.rowCount(); ++r)
            for (int c = 0; c < m.colCount(); ++c) cells.push_back(m.text(c, r));
        std::vector<std::tuple<double, double, int, std::string>> boundaries;
        for (const calc::TZPoint& p : f.run.results().boundaries())
            boundaries.emplace_back(p.X, p.Y, p.Column, std::string(p.PhaseName));
        return std::make_pair(cells, boundaries);
    };
    auto on = compute(true);
    auto off = compute(false);
    EXPECT_EQ(on.first, off.first);
    EXPECT_EQ(on.second, off.second);
    EXPECT_FALSE(on.second.empty());
}

TEST(GridRun, RowFramesCarryCurvesHullMarksAndSegments) {
    RunFixture f;
    f.phases.solutions = {{"ALPHA", alpha}, {"BETA", beta}};
    f.phases.points = {{{"AB-(C)", 0.45}, [](double, double, double) { return -500.0; }}};
    f.observer.displays = true;
    ASSERT_EQ(f.go(system(10, 2, 500, 700)), Outcome::Completed);
    EXPECT_EQ(f.observer.prepared, (std::vector<std::string>{"ALPHA", "BETA"}));
    EXPECT_EQ(f.observer.preparedGrid, f.run.compositions());
    ASSERT_EQ(f.observer.rows.size(), 3u);
    size_t boundary = 0;
    const auto boundaries = f.run.results().boundaries();
    for (size_t r = 0; r < 3; ++r) {
        const ObserverStub::Row& row = f.observer.rows[r];
        SCOPED_TRACE(r);
        EXPECT_EQ(row.rowIndex, static_cast<int>(r));
        EXPECT_EQ(row.y, 700 - 100.0 * static_cast<double>(r));
        // One curve per solution phase over the whole grid, as evaluated for this row's T.
        ASSERT_EQ(row.curveX.size(), 2u);
        EXPECT_EQ(row.curveX[1], f.run.compositions());
        for (size_t c = 0; c < row.curveX[0].size(); ++c)
            EXPECT_EQ(row.curveG[0][c], alpha(row.curveX[0][c], row.y, 0));
        // The convex line runs right to left from XMax to XMin through the compound.
        ASSERT_FALSE(row.hullX.empty());
        EXPECT_EQ(row.hullX.front(), 1);
        EXPECT_EQ(row.hullX.back(), 0);
        EXPECT_TRUE(std::is_sorted(row.hullX.rbegin(), row.hullX.rend()));
        EXPECT_EQ(row.pointPhaseX, std::vector<double>{0.45});
        // Segments are the row's boundary pairs, left end first.
        ASSERT_EQ(row.segments.size(), 2u);
        for (const auto& [x1, x2] : row.segments) {
            EXPECT_EQ(x2, boundaries[boundary].X);
            EXPECT_EQ(x1, boundaries[boundary + 1].X);
            EXPECT_LT(x1, x2);
            boundary += 2;
        }
    }
    EXPECT_EQ(boundary, boundaries.size());
}

}  // namespace
