// The refinement on analytic phases whose equilibria are known in closed form or found by the
// fine-hull bisection of the test oracle.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "calc/grid_run.h"
#include "support/fine_hull_oracle.h"
#include "results/invariant_refinement.h"
#include "results/invariant_table.h"
#include "results/invariant_texts.h"
#include "results/special_point_search.h"
#include "results/special_points.h"
#include "support/scripted_dialogs.h"
#include "util/errors.h"

namespace {

constexpr double R = 8.31441;

double mixing(double x, double T) {
    double s = 0;
    if (x > 0) s += x * std::log(x);
    if (x < 1) s += (1 - x) * std::log(1 - x);
    return R * T * s;
}

// Phases given as plain functions G(x, T); Y is the temperature.
struct AnalyticPhase {
    std::string name;
    std::function<std::optional<double>(double x, double T)> g;
    bool point = false;
    double x = -1;
};

class AnalyticModel : public results::PhaseModel {
public:
    explicit AnalyticModel(std::vector<AnalyticPhase> phases) : phases_(std::move(phases)) {}
    int phaseCount() const override { return static_cast<int>(phases_.size()); }
    const std::string& phaseName(int phase) const override { return phases_[phase].name; }
    bool isPointPhase(int phase) const override { return phases_[phase].point; }
    double pointComposition(int phase) const override { return phases_[phase].x; }
    double windowMin(int) const override { return 0; }
    double windowMax(int) const override { return 1; }
    std::optional<double> gibbs(int phase, double x, double y) override {
        return phases_[phase].g(phases_[phase].point ? phases_[phase].x : x, y);
    }
    std::vector<AnalyticPhase> phases_;
};

// The same phases for a grid run (solution phases only).
class AnalyticSource : public calc::PhaseSource {
public:
    explicit AnalyticSource(AnalyticModel& model) : model_(model) {}
    bool build() override { return true; }
    std::vector<std::string> solutionPhases() override {
        std::vector<std::string> names;
        for (const AnalyticPhase& p : model_.phases_) names.push_back(p.name);
        return names;
    }
    std::vector<calc::PointPhaseEntry> pointPhases() override { return {}; }
    void setCompositions(std::span<const double> x, std::span<const std::string>) override { x_.assign(x.begin(), x.end()); }
    void evaluateSolution(int phase, std::vector<double>& g, double T) override {
        for (size_t i = 0; i < x_.size(); ++i) g[i] = model_.phases_[phase].g(x_[i], T).value_or(1e30);
    }
    double evaluatePoint(int, double) override { return 0; }

private:
    AnalyticModel& model_;
    std::vector<double> x_;
};

// A regular solution with interaction omega and the pure components at G = 0.
AnalyticPhase regular(const std::string& name, double omega) {
    return {name, [omega](double x, double T) -> std::optional<double> { return mixing(x, T) + omega * x * (1 - x); }};
}

// A terminal solid of A (or of B): it melts at tm with the entropy of fusion 10 J/(mol K) and
// dissolves the other component with the excess omega.
AnalyticPhase solid(const std::string& name, double tmA, double tmB, double omega) {
    return {name, [=](double x, double T) -> std::optional<double> {
                return (1 - x) * 10 * (T - tmA) + x * 10 * (T - tmB) + mixing(x, T) + omega * x * (1 - x);
            }};
}

// The end of the symmetric gap of a regular solution below 0.5: RT ln(x/(1-x)) + omega (1-2x) = 0,
// found by bisection.
double symmetricGapEnd(double omega, double T) {
    double lo = 1e-15, hi = 0.5 - 1e-12;
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        (R * T * std::log(mid / (1 - mid)) + omega * (1 - 2 * mid) > 0 ? hi : lo) = mid;
    }
    return 0.5 * (lo + hi);
}

TEST(InvariantRefinement, RegularSolutionGapTieLineAndCriticalPoint) {
    const double omega = 20000;
    AnalyticModel model({regular("Alpha", omega)});
    results::InvariantRefinement refinement(model);
    for (double T : {600.0, 1000.0, 1190.0}) {
        const double end = symmetricGapEnd(omega, T);
        const auto tie = refinement.tieLine(0, end + 0.004, 0, 1 - end - 0.003, T);
        ASSERT_TRUE(tie.ok) << T << ": " << tie.reason;
        EXPECT_NEAR(tie.value.x1, end, 1e-8) << T;
        EXPECT_NEAR(tie.value.x2, 1 - end, 1e-8) << T;
    }
    // The gap closes at omega / 2R, x = 0.5, here between the rows 1200 and 1210.
    const auto critical = refinement.critical(0, 0.3, 0.7, 1200, 1210);
    ASSERT_TRUE(critical.ok) << critical.reason;
    EXPECT_NEAR(critical.value.y, omega / (2 * R), 1e-4);
    EXPECT_NEAR(critical.value.x, 0.5, 1e-6);
}

TEST(InvariantRefinement, PointPhaseMeltingAndASolubilityOfThirtyPpm) {
    // A compound at x = 1/3 melting at 1200 K from an ideal liquid: 10 (T - 1200) + G_L(1/3).
    AnalyticModel model({regular("Liquid", 0),
                         {"AB2-(C)", [](double x, double T) -> std::optional<double> { return 10 * (T - 1200) + mixing(x, T); }, true, 1.0 / 3},
                         // A solid that barely dissolves B: its end at the tie line to the compound
                         // lies near exp(-omega / RT).
                         solid("Alpha", 1500, 3000, 80000)});
    results::InvariantRefinement refinement(model);
    const auto melting = refinement.congruent(1, 0, 1.0 / 3, 0.2, 0.5, 1190, 1195);  // widened to reach 1200
    ASSERT_TRUE(melting.ok) << melting.reason;
    EXPECT_NEAR(melting.value.y, 1200, 1e-6);
    EXPECT_DOUBLE_EQ(melting.value.x, 1.0 / 3);

    const auto tie = refinement.tieLine(2, 0, 1, 1.0 / 3, 900);
    ASSERT_TRUE(tie.ok) << tie.reason;
    // Exact: the slope of Alpha at x1 equals the chord slope to the compound; solved by bisection
    // on the chord condition in x1 alone.
    auto chordGap = [&](double x1) {
        const double h = 1e-9;
        const double slope = (*model.gibbs(2, x1 + h, 900) - *model.gibbs(2, x1 - h, 900)) / (2 * h);
        return slope - (*model.gibbs(1, 0, 900) - *model.gibbs(2, x1, 900)) / (1.0 / 3 - x1);
    };
    double lo = 1e-8, hi = 1e-2;
    for (int i = 0; i < 100; ++i) {
        const double mid = std::sqrt(lo * hi);
        (chordGap(mid) > 0 ? hi : lo) = mid;
    }
    EXPECT_GT(lo, 1e-6);
    EXPECT_NEAR(tie.value.x1, lo, 1e-3 * lo);
}

// A eutectic system of two terminal solids and an ideal liquid, through the whole chain: grid
// run, special points, table; the eutectic against the fine hull, the melting points exact.
TEST(InvariantTable, AnalyticEutecticFromAGridRun) {
    AnalyticModel model({regular("L", 0), solid("Alpha", 1000, 600, 22000), solid("Beta", 700, 900, 25000)});
    AnalyticSource source(model);
    calc::SystemRecord system;
    system.System_designation = "A+B";
    system.Ymin = 400;
    system.Ymax = 1100;
    system.Ypoints = 120;
    system.Xpoints = 100;
    system.Zvalue = 1;
    system.Yparameter = "Temperature";
    calc::RowObserver quiet;
    testsupport::ScriptedDialogs dialogs;
    calc::GridRun run('.');
    ASSERT_EQ(run.run(system, source, quiet, dialogs), calc::GridRun::Outcome::Completed);
    results::SpecialPoints special;
    results::FindSpecialPoints(run.results().matrix, calc::kYTemperature, '.', special);
    const auto table = results::findInvariants(model, results::rowsOfRun(run.results()),
                                               special.nodes(), 0, 1, run.parameters().XStep);

    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0].reaction, "L = Alpha");
    EXPECT_EQ(table[0].kind, results::InvariantKind::CongruentMelting);
    EXPECT_NEAR(table[0].y, 1000, 1e-6);
    EXPECT_EQ(table[1].reaction, "L = Beta");
    EXPECT_NEAR(table[1].y, 900, 1e-6);
    const results::Invariant& eutectic = table[2];
    EXPECT_EQ(eutectic.reaction, "L = Alpha + Beta");
    EXPECT_EQ(eutectic.kind, results::InvariantKind::Eutectic);
    ASSERT_TRUE(eutectic.refined) << eutectic.reason;
    EXPECT_TRUE(eutectic.fromNode);

    const oracle::Sampler sampler = [&](int phase, const std::vector<double>& xs, double T) {
        std::vector<double> g;
        for (double x : xs) g.push_back(*model.gibbs(phase, x, T));
        return g;
    };
    // The oracle over the whole range every 1e-3, then every 1e-5 around what it found.
    const oracle::ThreePhase coarse =
        oracle::threePhase(sampler, {{1, 0, 1}, {0, 0, 1}, {2, 0, 1}}, eutectic.gridY - 10, eutectic.gridY + 10, 1e-3);
    std::vector<oracle::Window> windows;
    for (int i = 0; i < 3; ++i)
        windows.push_back({i == 0 ? 1 : i == 1 ? 0 : 2, std::max(0.0, coarse.x[i] - 0.01), std::min(1.0, coarse.x[i] + 0.01)});
    const oracle::ThreePhase exact = oracle::threePhase(sampler, windows, coarse.T - 1, coarse.T + 1);
    EXPECT_NEAR(eutectic.y, exact.T, 0.01);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(eutectic.phases[i].x, exact.x[i], 1e-4) << i;

    // Every tie line of the run refined onto its row, within the grid step of where the grid saw it.
    const auto boundaries = results::refineBoundaries(model, run.results().boundaries(), run.parameters().XStep);
    ASSERT_EQ(boundaries.size(), run.results().boundaries().size());
    for (const results::RefinedBoundary& b : boundaries) {
        EXPECT_TRUE(b.refined) << b.point.Y << " " << b.point.PhaseName << ": " << b.reason;
        EXPECT_LE(std::abs(b.point.X - b.gridX), run.parameters().XStep + 1e-9);
    }
}

// The eutectic of L, Alpha and Beta, with a fourth phase Gamma added around it. Gamma is built on
// the common tangent of the three at their eutectic: `offset` J/mol above it at x0, curving up
// with `curvature` (0: a point phase at x0).
struct Undercut {
    const char* name;
    double x0;
    double offset;
    double curvature;
    bool definedAtEutectic;
    bool refused;
};

AnalyticModel eutecticWith(const Undercut& gamma, const results::ThreePhaseEquilibrium& e) {
    AnalyticModel plain({regular("L", 0), solid("Alpha", 1000, 600, 22000), solid("Beta", 700, 900, 25000)});
    const double g1 = *plain.gibbs(1, e.x[0], e.y), g3 = *plain.gibbs(2, e.x[2], e.y);
    const double x1 = e.x[0], s = (g3 - g1) / (e.x[2] - e.x[0]), te = e.y;
    auto phases = plain.phases_;
    phases.push_back({"Gamma", [=](double x, double T) -> std::optional<double> {
                          if (!gamma.definedAtEutectic && std::abs(T - te) < 5) return std::nullopt;
                          return g1 + s * (x - x1) + gamma.offset + gamma.curvature * (x - gamma.x0) * (x - gamma.x0);
                      },
                      gamma.curvature == 0, gamma.x0});
    return AnalyticModel(phases);
}

results::ThreePhaseEquilibrium plainEutectic() {
    AnalyticModel plain({regular("L", 0), solid("Alpha", 1000, 600, 22000), solid("Beta", 700, 900, 25000)});
    results::InvariantRefinement refinement(plain);
    const auto e = refinement.threePhase(1, 0.1, 0, 0.5, 2, 0.9, 600, 610);
    if (!e.ok) throw std::runtime_error(e.reason);
    return e.value;
}

// A tangent that another phase undercuts at its Y is no stable equilibrium: refused with the phase
// and where it lies below, however narrow its dip; a phase above the tangent, or undefined there,
// changes nothing.
TEST(InvariantRefinement, ConfirmationRefusesATangentAnotherPhaseUndercuts) {
    const results::ThreePhaseEquilibrium e = plainEutectic();
    const Undercut cases[] = {
        {"point phase 30 J/mol below", 0.6, -30, 0, true, true},
        {"point phase 1 J/mol above", 0.6, 1, 0, true, false},
        {"solution phase dipping between the samples", 0.4005, -5, 1e8, true, true},
        {"solution phase near x = 0", 2e-6, -1, 1e12, true, true},
        {"solution phase just above", 0.4005, 0.5, 1e8, true, false},
        {"phase undefined at the eutectic", 0.6, -30, 0, false, false},
    };
    for (const Undercut& c : cases) {
        AnalyticModel model = eutecticWith(c, e);
        results::InvariantRefinement refinement(model);
        const auto result = refinement.threePhase(1, 0.1, 0, 0.5, 2, 0.9, 600, 610);
        EXPECT_EQ(result.ok, !c.refused) << c.name << ": " << result.reason;
        if (c.refused) {
            EXPECT_EQ(result.reason.rfind("phase Gamma lies below the common tangent at x = ", 0), 0u)
                << c.name << ": " << result.reason;
        } else if (result.ok) {
            EXPECT_NEAR(result.value.y, e.y, 1e-9) << c.name;
        }
    }
}

// In the table the refused eutectic keeps what the grid saw, says why, and is still classified.
TEST(InvariantTable, UndercutEutecticKeepsItsGridValues) {
    const results::ThreePhaseEquilibrium e = plainEutectic();
    AnalyticModel model = eutecticWith({"", 0.6, -30, 0, true, true}, e);
    const double above = std::ceil(e.y) + 4, below = std::floor(e.y) - 1;
    std::vector<results::RunRow> rows(2);
    rows[0].y = above;
    rows[0].segments = {{e.x[0] + 0.004, "Alpha", false, e.x[1] - 0.02, "L", false},
                        {e.x[1] + 0.02, "L", false, e.x[2] - 0.002, "Beta", false}};
    rows[1].y = below;
    rows[1].segments = {{e.x[0] - 0.003, "Alpha", false, e.x[2] + 0.002, "Beta", false}};
    const auto table = results::findInvariants(model, rows, {results::TNode{below, e.x[1], e.x[0], e.x[2]}}, 0, 1, 0.01);
    ASSERT_EQ(table.size(), 1u);
    const results::Invariant& entry = table[0];
    EXPECT_FALSE(entry.refined);
    EXPECT_NE(entry.reason.find("phase Gamma lies below the common tangent"), std::string::npos) << entry.reason;
    EXPECT_EQ(entry.y, entry.gridY);
    EXPECT_EQ(entry.reaction, "L = Alpha + Beta");
    EXPECT_EQ(entry.kind, results::InvariantKind::Eutectic);
    EXPECT_TRUE(entry.fromNode);
    ASSERT_EQ(entry.phases.size(), 3u);
    // The node's Y and compositions, as the grid showed them.
    EXPECT_EQ(entry.y, below);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(entry.phases[i].x, e.x[i]) << i;
}

// Faults of the model end a refinement with its reason, never with an exception or a hang.
TEST(InvariantRefinement, BadInputIsNotRefinedWithItsReason) {
    struct Case {
        const char* name;
        std::function<std::optional<double>(double x, double T)> beta;
        double yLow, yHigh;
        const char* reason;
    };
    const AnalyticPhase betaPhase = solid("Beta", 700, 900, 25000);
    std::mt19937 random(7);
    const Case cases[] = {
        {"no piece above 800 K", [&](double x, double T) -> std::optional<double> {
             if (T > 800) return std::nullopt;
             return betaPhase.g(x, T);
         }, 790, 810, "phase Beta is not defined at x = "},
        {"evaluation fault", [](double, double) -> std::optional<double> { throw util::Error("Division by zero"); }, 700, 710,
         "evaluation fault: Division by zero"},
        {"no eutectic between the rows", betaPhase.g, 1000, 1005, "no equilibrium of these phases between Y = "},
        {"not a number", [](double, double) -> std::optional<double> { return std::nan(""); }, 700, 710,
         "the tangent conditions are singular"},
        {"noise", [&](double, double) -> std::optional<double> { return std::uniform_real_distribution<>(-1e4, 1e4)(random); },
         700, 710, ""},
    };
    for (const Case& c : cases) {
        AnalyticModel model({regular("L", 0), solid("Alpha", 1000, 600, 22000), {"Beta", c.beta}});
        results::InvariantRefinement refinement(model);
        const auto result = refinement.threePhase(1, 0.1, 0, 0.5, 2, 0.9, c.yLow, c.yHigh);
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_EQ(result.reason.rfind(c.reason, 0), 0u) << c.name << ": " << result.reason;
        EXPECT_LT(refinement.evaluations(), 200000) << c.name;
    }
}

TEST(InvariantTable, NodeWithoutThreePhaseChangeIsListedNotRefined) {
    AnalyticModel model({regular("L", 0)});
    const auto table = results::findInvariants(model, {}, {results::TNode{750, 0.5, 0.2, 0.8}}, 0, 1, 0.01);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_FALSE(table[0].refined);
    EXPECT_TRUE(table[0].fromNode);
    EXPECT_EQ(table[0].y, 750);
    EXPECT_EQ(table[0].gridX, (std::vector<double>{0.2, 0.5, 0.8}));
    EXPECT_EQ(table[0].reason, "the rows around this node show no three phases sharing a tie line");
}

TEST(InvariantTable, ClassificationAndNames) {
    using K = results::InvariantKind;
    struct Case {
        const char *a, *b, *c;
        bool middleAbove;
        K kind;
    };
    const Case cases[] = {
        {"Fcc_A1", "Liquid", "Bct_A5", true, K::Eutectic},
        {"Alpha", "Gamma", "Beta", true, K::Eutectoid},
        {"Fcc_A1", "Fcc_A1", "Hcp_A3", true, K::Monotectoid},
        {"Alpha", "L", "L", true, K::Monotectic},
        {"Alpha", "Beta", "L", true, K::Metatectic},
        {"Alpha", "Beta", "Liquid", false, K::Peritectic},
        {"Alpha", "Beta", "Gamma", false, K::Peritectoid},
        {"L", "Beta", "L", false, K::Syntectic},
        {"\xD0\x96", "Beta", "\xD0\x96", false, K::Syntectic},
    };
    for (const Case& c : cases)
        EXPECT_EQ(results::classifyThreePhase(c.a, c.b, c.c, c.middleAbove), c.kind) << c.a << " " << c.b << " " << c.c;
    for (const char* liquid : {"L", "l1", "L'", "Liquid", "LIQ", "\xD0\x96\xD0\xB8\xD0\xB4\xD0\xBA\xD0\xBE\xD1\x81\xD1\x82\xD1\x8C"})
        EXPECT_TRUE(results::isLiquidName(liquid)) << liquid;
    for (const char* solid : {"Laves", "Fcc_A1", "", "Mg2Si-(C)"}) EXPECT_FALSE(results::isLiquidName(solid)) << solid;
    EXPECT_EQ(results::displayName("Mg2Si-(C)"), "Mg2Si");
    EXPECT_EQ(results::displayName("Cu3Sn"), "Cu3Sn");
}

// The row texts with either decimal separator; phases are parted by "; " so that a decimal comma
// stays readable, and an unrefined row carries its reason.
TEST(InvariantTable, RowTextsWithEitherSeparator) {
    results::Invariant entry;
    entry.y = 454.5625;
    entry.phases = {{"Fcc_A1", 0.263214}, {"Liquid", 0.73733}, {"Bct_A5", 1}};
    entry.gridY = 456;
    entry.gridX = {0.26, 0.74, 0.975};
    entry.refined = true;
    entry.reason = "left from an earlier try";
    const results::InvariantTexts dot = results::invariantTexts(entry, '.');
    EXPECT_EQ(dot.y, "454.563");
    EXPECT_EQ(dot.compositions, "Fcc_A1 0.26321; Liquid 0.73733; Bct_A5 1");
    EXPECT_EQ(dot.grid, "456 (0.26 | 0.74 | 0.975)");
    EXPECT_EQ(dot.reason, "");
    entry.refined = false;
    entry.gridY = 455.5;
    entry.gridX = {0.5};
    const results::InvariantTexts comma = results::invariantTexts(entry, ',');
    EXPECT_EQ(comma.y, "454,563");
    EXPECT_EQ(comma.compositions, "Fcc_A1 0,26321; Liquid 0,73733; Bct_A5 1");
    EXPECT_EQ(comma.grid, "455,5 (0,5)");
    EXPECT_EQ(comma.reason, "left from an earlier try");
}

}  // namespace
