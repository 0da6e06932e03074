// The search on a matrix computed by the grid run for a real eutectic system: Pb-Sn after
// T.L. Ngai, Y.A. Chang, CALPHAD 5 (1981) 267, with the Gibbs energies written out natively here
// (x = mole fraction of Sn). The assessment puts the eutectic L = FCC + BCT at 454.562 K with
// x(FCC) 0.2632, x(L) 0.7373, x(BCT) 0.9755, and the melting points at 600.65 K (Pb) and
// 505.06 K (Sn).
#include <gtest/gtest.h>

#include <cmath>

#include "calc/grid_run.h"
#include "results/special_point_search.h"
#include "results/special_points.h"
#include "support/scripted_dialogs.h"

namespace {

constexpr double R = 8.31441;

double ghserPb(double T) {
    const double l = std::log(T);
    if (T <= 600.65) return -7650.085 + 101.715188 * T - 24.5242231 * T * l - 3.65895E-3 * T * T - 0.24395E-6 * T * T * T;
    return -10531.115 + 154.258155 * T - 32.4913959 * T * l + 1.54613E-3 * T * T + 805.644E23 * std::pow(T, -9);
}
double gPbLiquid(double T) {
    if (T <= 600.65) return 4672.157 - 7.750257 * T - 6.0144E-19 * std::pow(T, 7) + ghserPb(T);
    return 4853.112 - 8.066587 * T - 8.05644E25 * std::pow(T, -9) + ghserPb(T);
}
double ghserSn(double T) {
    const double l = std::log(T);
    if (T <= 505.08)
        return -5855.135 + 65.427891 * T - 15.961 * T * l - .0188702 * T * T + 3.121167E-06 * T * T * T - 61960 / T;
    return 2524.724 + 3.989845 * T - 8.2590486 * T * l - .016814429 * T * T + 2.623131E-06 * T * T * T -
           1081244 / T - 1.2307E+25 * std::pow(T, -9);
}
double gSnLiquid(double T) {
    if (T <= 505.06) return 7104.222 - 14.09088 * T + 1.49316649E-18 * std::pow(T, 7) + ghserSn(T);
    return 6970.705 - 13.813302 * T + 1.24912E+25 * std::pow(T, -9) + ghserSn(T);
}
double idealMixing(double x, double T) {
    double s = 0;
    if (x > 0) s += x * std::log(x);
    if (x < 1) s += (1 - x) * std::log(1 - x);
    return R * T * s;
}

// Liquid, Fcc_A1 and Bct_A5 as substitutional solutions with Redlich-Kister excess terms.
class PbSnPhases : public calc::PhaseSource {
public:
    bool build() override { return true; }
    std::vector<std::string> solutionPhases() override { return {"Liquid", "Fcc_A1", "Bct_A5"}; }
    std::vector<calc::PointPhaseEntry> pointPhases() override { return {}; }
    void setCompositions(std::span<const double> x, std::span<const std::string>) override { x_.assign(x.begin(), x.end()); }
    void evaluateSolution(int phase, std::vector<double>& g, double T) override {
        for (size_t i = 0; i < x_.size(); ++i) g[i] = G(phase, x_[i], T);
    }
    double evaluatePoint(int, double) override { return 0; }

private:
    static double G(int phase, double x, double T) {
        const double a = 1 - x;
        switch (phase) {
            case 0: return a * gPbLiquid(T) + x * gSnLiquid(T) + idealMixing(x, T) + a * x * (5125 + 1.46424 * T + 293.82 * (a - x));
            case 1: return a * ghserPb(T) + x * (4150 - 5.2 * T + ghserSn(T)) + idealMixing(x, T) + a * x * (5132.41 + 1.56312 * T);
            default: return a * (489 + 3.52 * T + ghserPb(T)) + x * ghserSn(T) + idealMixing(x, T) + a * x * (17117.78 - 11.8066 * T);
        }
    }
    std::vector<double> x_;
};

TEST(RealEutectic, PbSnEutecticIsANodeWithinOneGridStep) {
    calc::SystemRecord system;
    system.System_designation = "Pb+Sn";
    system.Ymin = 300;
    system.Ymax = 650;
    system.Ypoints = 175;  // 2 K a row
    system.Xpoints = 200;
    system.Zvalue = 1;
    system.Yparameter = "Temperature";
    PbSnPhases phases;
    calc::RowObserver quiet;
    testsupport::ScriptedDialogs dialogs;
    calc::GridRun run(',');
    ASSERT_EQ(run.run(system, phases, quiet, dialogs), calc::GridRun::Outcome::Completed);

    results::SpecialPoints found;
    results::FindSpecialPoints(run.results().matrix, calc::kYTemperature, ',', found);
    ASSERT_EQ(found.nodes().size(), 1u);
    const results::TNode& eutectic = found.nodes()[0];
    EXPECT_NEAR(eutectic.Y, 454.562, 2.0);
    EXPECT_NEAR(eutectic.XLeft, 0.2632, 0.01);
    EXPECT_NEAR(eutectic.X, 0.7373, 0.01);
    EXPECT_NEAR(eutectic.XRight, 0.9755, 0.01);
    // The melting points, midway between the rows where the solid first appears.
    ASSERT_EQ(found.otherPoints().size(), 2u);
    EXPECT_EQ(found.otherPoints()[0].text, "T(X = 0) = 601 ");
    EXPECT_NEAR(found.otherPoints()[1].point.Y, 505.06, 1.0);
    EXPECT_EQ(found.otherPoints()[1].point.X, 1);
    EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
