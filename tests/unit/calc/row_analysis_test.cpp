#include "calc/row_analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>

#include "support/scripted_dialogs.h"

namespace {

using testsupport::ScriptedDialogs;
using GFunction = std::function<double(double)>;

std::vector<double> grid(int intervals, std::vector<double> extra = {}) {
    std::vector<double> x;
    for (int k = 0; k <= intervals; ++k) x.push_back(static_cast<double>(k) / intervals);
    x.insert(x.end(), extra.begin(), extra.end());
    std::sort(x.begin(), x.end());
    return x;
}

struct PointPhase {
    std::string name;
    double x;
    double g;
};

struct Boundary {
    double x;
    std::string name;
    bool operator==(const Boundary&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Boundary& b) { return out << "(" << b.x << " " << b.name << ")"; }

// One row analysed on plain inputs.
class RowFixture {
public:
    RowFixture(std::vector<double> compositions, double xStep, std::vector<std::pair<std::string, GFunction>> phases,
               std::vector<PointPhase> points = {})
        : x_(std::move(compositions)), phases_(std::move(phases)), points_(std::move(points)) {
        params.XMin = x_.front();
        params.XMax = x_.back();
        params.XStep = xStep;
        params.YCurrent = 1000;
        params.YText = "Temperature";
        params.RowIndex = -1;
        std::vector<std::string> names;
        for (const auto& phase : phases_) names.push_back(phase.first);
        std::vector<calc::PointPhaseEntry> entries;
        for (const auto& p : points_) entries.push_back({p.name, p.x});
        analysis.begin(results, params, x_, names, entries, '.');
    }

    // With `chart` / `mosaic` the analysis keeps the convex line / the point-phase marks.
    void row(bool chart = false, bool mosaic = false) {
        std::vector<std::vector<double>> gs;
        for (const auto& phase : phases_) {
            gs.emplace_back();
            for (double x : x_) gs.back().push_back(phase.second(x));
        }
        std::vector<double> pointG;
        for (const auto& p : points_) pointG.push_back(p.g);
        analysis.analyse(params, gs, pointG, chart, mosaic, dialogs);
    }

    // Data cells of matrix row r, separated by blanks; "-" for an empty cell.
    std::string cells(int r) const {
        std::string out;
        for (int c = 1; c < results.matrix.colCount(); ++c) {
            if (c > 1) out += ' ';
            const std::string& t = results.matrix.text(c, r);
            out += t.empty() ? "-" : t;
        }
        return out;
    }
    std::vector<Boundary> boundaries() const {
        std::vector<Boundary> out;
        for (const calc::TZPoint& p : results.boundaries()) out.push_back({p.X, std::string(p.PhaseName)});
        return out;
    }

    calc::RunParameters params;
    calc::RunResults results;
    calc::RowAnalysis analysis;
    ScriptedDialogs dialogs;

private:
    std::vector<double> x_;
    std::vector<std::pair<std::string, GFunction>> phases_;
    std::vector<PointPhase> points_;
};

const GFunction convex = [](double x) { return 1000 * (x - 0.5) * (x - 0.5); };
const GFunction alpha = [](double x) { return 10000 * (x - 0.2) * (x - 0.2); };
const GFunction beta = [](double x) { return 10000 * (x - 0.8) * (x - 0.8); };
const GFunction doubleWell = [](double x) { return 10000 * std::pow((x - 0.2) * (x - 0.8), 2); };
const GFunction line = [](double x) { return 100 * x; };
const GFunction undefinedAbove07 = [](double x) { return x > 0.75 ? 1e30 : convex(x); };
const GFunction nowhere = [](double) { return 1e30; };
const std::string longName(70, 'Q');

struct RowCase {
    const char* name;
    std::vector<double> compositions;
    std::vector<std::pair<std::string, GFunction>> phases;
    std::vector<PointPhase> points;
    std::string cells;  // "-" for an empty cell
    std::vector<Boundary> boundaries;
    std::vector<std::string> messages;
    std::vector<double> markers;  // point phases marked in the mosaic
};

class RowCases : public ::testing::TestWithParam<RowCase> {};

TEST_P(RowCases, MatrixRowAndBoundaryPoints) {
    const RowCase& c = GetParam();
    const double step = c.compositions.size() == 5 ? 0.25 : 0.1;  // grid(4) or grid(10)
    RowFixture f(c.compositions, step, c.phases, c.points);
    f.row(false, true);
    EXPECT_EQ(f.analysis.pointPhaseMarks(), c.markers);
    EXPECT_TRUE(f.analysis.hullLineX().empty());
    EXPECT_EQ(f.params.RowIndex, 0);
    EXPECT_EQ(f.results.matrix.text(0, 1), "1000");
    EXPECT_EQ(f.cells(1), c.cells);
    EXPECT_EQ(f.boundaries(), c.boundaries);
    EXPECT_EQ(f.results.segmentCount * 2, static_cast<int>(c.boundaries.size()));
    for (const calc::TZPoint& p : f.results.boundaries()) EXPECT_EQ(p.Y, 1000);
    EXPECT_EQ(f.dialogs.texts("message"), c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowCases,
    ::testing::Values(
        RowCase{"ConvexSinglePhase", grid(10), {{"A", convex}}, {}, "A A A A A A A A A A A", {}, {}, {}},
        RowCase{"CommonTangent", grid(10), {{"ALPHA", alpha}, {"BETA", beta}}, {},
                "ALPHA ALPHA ALPHA E E E E E BETA BETA BETA", {{0.8, "BETA"}, {0.2, "ALPHA"}}, {}, {}},
        RowCase{"MiscibilityGap", grid(10), {{"FCC", doubleWell}}, {}, "FCC FCC FCC E E E E E FCC FCC FCC",
                {{0.8, "FCC"}, {0.2, "FCC"}}, {}, {}},
        RowCase{"StraightLineHasOnlyItsEnds", grid(10), {{"A", line}}, {}, "A E E E E E E E E E A",
                {{1, "A"}, {0, "A"}}, {}, {}},
        RowCase{"EqualMinimaGoToTheFirstListed", grid(4), {{"FIRST", convex}, {"SECOND", convex}}, {},
                "FIRST FIRST FIRST FIRST FIRST", {}, {}, {}},
        RowCase{"PointPhaseBelowTheTangent", grid(10), {{"ALPHA", alpha}, {"BETA", beta}}, {{"AB-(C)", 0.5, -100}},
                "ALPHA ALPHA ALPHA E E AB-(C) E E BETA BETA BETA",
                {{0.8, "BETA"}, {0.5, "AB-(C)"}, {0.5, "AB-(C)"}, {0.2, "ALPHA"}}, {}, {0.5}},
        // The right end of the second field writes the first 60 characters at the phase's column.
        RowCase{"LongPointPhaseNameAsRightEnd", grid(10), {{"ALPHA", alpha}, {"BETA", beta}}, {{longName, 0.5, -100}},
                "ALPHA ALPHA ALPHA E E " + longName.substr(0, 60) + " E E BETA BETA BETA",
                {{0.8, "BETA"}, {0.5, longName}, {0.5, longName}, {0.2, "ALPHA"}}, {}, {0.5}},
        // One step or less from both neighbours: marked in the mosaic, but no field and no name.
        RowCase{"PointPhaseCloseToItsNeighbours", grid(10, {0.25}), {{"A", convex}}, {{"P-(C)", 0.25, 61.5}},
                "A A A E A A A A A A A A", {}, {}, {0.25}},
        RowCase{"InteriorPointWithinToleranceOfChord", grid(10), {{"A", [](double x) { return x == 0.5 ? 50 - 5e-9 : line(x); }}},
                {}, "A E E E E E E E E E A", {{1, "A"}, {0, "A"}}, {}, {}},
        RowCase{"InteriorPointJustBelowTolerance", grid(10), {{"A", [](double x) { return x == 0.5 ? 50 - 2e-8 : line(x); }}},
                {}, "A E E E E A E E E E A", {{1, "A"}, {0.5, "A"}, {0.5, "A"}, {0, "A"}}, {}, {}},
        // Beyond XMax but below the chord's extension: it becomes the right end of the hull, the end
        // at XMax an upper vertex, and it ends a field without a column of its own.
        RowCase{"PointPhaseOutsideTheRange", grid(10), {{"A", convex}}, {{"P-(C)", 1.2, 0}},
                "A A A A A A E E E E A", {{1.2, "P-(C)"}, {1, "A"}, {1, "A"}, {0.5, "A"}}, {}, {}},
        // Beyond the last hull vertex no phase reaches the end of the range: no field there.
        RowCase{"CompositionsWithoutAPhaseStayEmpty", grid(10), {{"A", undefinedAbove07}}, {},
                "A A A A A A A A - - -", {}, {}, {}},
        // Between two hull vertices a composition without a phase lies inside a two-phase field.
        RowCase{"GapBetweenPhaseWindowsIsTwoPhase", grid(10),
                {{"ALPHA", [](double x) { return x <= 0.2 ? alpha(x) : 1e30; }},
                 {"BETA", [](double x) { return x >= 0.8 ? beta(x) : 1e30; }}},
                {{"AB-(C)", 0.5, -100}}, "ALPHA ALPHA ALPHA E E AB-(C) E E BETA BETA BETA",
                {{0.8, "BETA"}, {0.5, "AB-(C)"}, {0.5, "AB-(C)"}, {0.2, "ALPHA"}}, {}, {0.5}},
        // The message counts what the analysis holds (the last candidate's index), not what it kept.
        RowCase{"NoCandidateAtAll", grid(4), {{"A", nowhere}}, {}, "- - - - -", {}, {"Number of points equals to -1"}, {}},
        RowCase{"OnlyAPointPhase", grid(4), {{"A", nowhere}}, {{"P-(C)", 0.5, -10}}, "- - - - -", {}, {}, {}}),
    [](const ::testing::TestParamInfo<RowCase>& info) { return std::string(info.param.name); });

TEST(RowAnalysis, HullIsSortedRightToLeftAndLowerGFirstAtEqualX) {
    // A point phase at a grid composition, below the solution phase there: equal X, lower G first.
    RowFixture f(grid(10), 0.1, {{"ALPHA", alpha}, {"BETA", beta}}, {{"AB-(C)", 0.5, -100}, {"CD-(C)", 0.8, -1}});
    f.row();
    std::vector<std::pair<double, double>> hull;
    for (const calc::TDPoint& p : f.results.hull()) hull.emplace_back(p.X, p.G);
    ASSERT_GE(hull.size(), 2u);
    for (size_t k = 1; k < hull.size(); ++k) {
        EXPECT_TRUE(hull[k - 1].first > hull[k].first ||
                    (hull[k - 1].first == hull[k].first && hull[k - 1].second <= hull[k].second))
            << k;
    }
    EXPECT_EQ(f.results.hull().front().X, 1);
    EXPECT_EQ(f.results.hull().back().X, 0);
    EXPECT_EQ(f.cells(1), "ALPHA ALPHA ALPHA E E AB-(C) E E CD-(C) BETA BETA");
}

TEST(RowAnalysis, RowWithoutCandidatesDropsThePreviousHull) {
    bool defined = true;
    RowFixture f(grid(4), 0.25, {{"A", [&](double x) { return defined ? convex(x) : 1e30; }}});
    f.row();
    EXPECT_EQ(f.results.hullLast, 4);
    defined = false;
    f.params.YCurrent = 900;
    f.row();
    EXPECT_EQ(f.results.hullLast, -1);
    EXPECT_TRUE(f.results.hull().empty());
    EXPECT_EQ(f.cells(2), "- - - - -");
    EXPECT_EQ(f.cells(1), "A A A A A");
}

TEST(RowAnalysis, RowsGrowTheMatrixWithTheirYHeaders) {
    RowFixture f(grid(2), 0.5, {{"A", convex}});
    const double ys[] = {1000, 987.654321, 0.1234567, -2.5};
    const char* headers[] = {"1000", "987.654321", "0.123457", "-2.5"};
    for (double y : ys) {
        f.params.YCurrent = y;
        f.row();
    }
    EXPECT_EQ(f.params.RowIndex, 3);
    EXPECT_EQ(f.results.matrix.rowCount(), 5);
    EXPECT_EQ(f.results.matrix.colCount(), 4);
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(f.results.matrix.text(0, r), headers[r - 1]);
        EXPECT_EQ(f.cells(r), "A A A");
    }
}

TEST(RowAnalysis, DisplayDataIsKeptOnlyWhenAsked) {
    RowFixture f(grid(10), 0.1, {{"ALPHA", alpha}, {"BETA", beta}}, {{"AB-(C)", 0.5, -100}});
    f.row(true, true);
    // The convex line right to left; the point phase is marked once, when the walk reaches it as a left end.
    EXPECT_EQ(f.analysis.hullLineX(), (std::vector<double>{1, 0.9, 0.8, 0.5, 0.2, 0.1, 0}));
    const std::vector<double> line{400, 100, 0, -100, 0, 100, 400};
    ASSERT_EQ(f.analysis.hullLineG().size(), line.size());
    for (size_t k = 0; k < line.size(); ++k) EXPECT_NEAR(f.analysis.hullLineG()[k], line[k], 1e-9) << k;
    EXPECT_EQ(f.analysis.pointPhaseMarks(), std::vector<double>{0.5});

    RowFixture g(grid(10), 0.1, {{"ALPHA", alpha}, {"BETA", beta}}, {{"AB-(C)", 0.5, -100}});
    g.row();
    EXPECT_TRUE(g.analysis.hullLineX().empty());
    EXPECT_TRUE(g.analysis.pointPhaseMarks().empty());
    EXPECT_EQ(g.cells(1), f.cells(1));
    EXPECT_EQ(g.boundaries(), f.boundaries());
    // A second row with displays starts its lists afresh.
    f.params.YCurrent = 900;
    f.row(true, true);
    EXPECT_EQ(f.analysis.hullLineX().size(), 7u);
    EXPECT_EQ(f.analysis.pointPhaseMarks().size(), 1u);
}

}  // namespace
