// Hot paths of the calculation: the row analysis of a realistic row and the convex hull of a large
// row, each against a plain baseline measured in the same program; and a whole 1,001 x 1,001 run
// over phase functions built from SGTE-style expressions, with the share spent in evaluation, and
// the same run through the calculation object with both live displays fed.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>

#include "calc/convex_hull.h"
#include "calc/functions_phase_source.h"
#include "calc/grid_run.h"
#include "calc/row_analysis.h"
#include "engine/calculation.h"
#include "functions/memory_source.h"
#include "functions/phase_functions.h"
#include "util/dialogs.h"
#include "util/silent_dialogs.h"

namespace {

constexpr int kCompositions = 1001;
constexpr double kR = 8.31441;

double mixing(double x, double t) {
    return x <= 0 || x >= 1 ? 0 : kR * t * (x * std::log(x) + (1 - x) * std::log1p(-x));
}

// A eutectic-like row at 700 K: liquid, two terminal solids and a compound at x = 0.4.
struct RealisticRow {
    std::vector<double> x;
    std::vector<std::vector<double>> gs;
    std::vector<double> pointG{-9500};
    RealisticRow() {
        const double t = 700;
        gs.assign(3, std::vector<double>(kCompositions));
        for (int c = 0; c < kCompositions; ++c) {
            const double xc = static_cast<double>(c) / (kCompositions - 1);
            x.push_back(xc);
            gs[0][c] = 3000 - 4 * t + mixing(xc, t) - 8000 * xc * (1 - xc);
            gs[1][c] = mixing(xc, t) + 22000 * xc * (1 - xc) + 900 * xc;
            gs[2][c] = 1500 + mixing(xc, t) + 25000 * xc * (1 - xc) - 600 * xc;
        }
    }
};

void BM_AnalyseRow(benchmark::State& state) {
    RealisticRow row;
    calc::RunParameters params;
    params.XMin = 0;
    params.XMax = 1;
    params.XStep = 1.0 / (kCompositions - 1);
    params.YCurrent = 700;
    params.YText = "Temperature";
    calc::RunResults results;
    calc::RowAnalysis analysis;
    analysis.begin(results, params, row.x, {"LIQUID", "FCC_A1", "HCP_A3"}, {{"AB-(C)", 0.4}}, '.');
    util::SilentDialogs dialogs;
    for (auto _ : state) {
        if (params.RowIndex > 2000) {  // keep the matrix from growing without end
            params.RowIndex = -1;
            results.matrix.resize(results.matrix.colCount(), 3);
        }
        analysis.analyse(params, row.gs, row.pointG, false, false, dialogs);
        benchmark::DoNotOptimize(results.boundaryLast);
        results.boundaryLast = -1;
    }
    state.counters["ns/point"] = benchmark::Counter(static_cast<double>(state.iterations()) * 3 * kCompositions,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["segments"] = results.segmentCount;
}
BENCHMARK(BM_AnalyseRow);

// Baseline: the least G over the phases at every composition, nothing more.
void BM_MinOverPhasesBaseline(benchmark::State& state) {
    RealisticRow row;
    std::vector<double> gmin(kCompositions);
    std::vector<int> phase(kCompositions);
    for (auto _ : state) {
        for (int c = 0; c < kCompositions; ++c) {
            double g = 1e10;
            int best = -1;
            for (int i = 0; i < 3; ++i)
                if (row.gs[i][c] < g) {
                    g = row.gs[i][c];
                    best = i;
                }
            gmin[c] = g;
            phase[c] = best;
        }
        benchmark::DoNotOptimize(gmin.data());
        benchmark::DoNotOptimize(phase.data());
    }
    state.counters["ns/point"] = benchmark::Counter(static_cast<double>(state.iterations()) * 3 * kCompositions,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MinOverPhasesBaseline);

// 10,000 points of a row below its chord: a wavy convex-plus-noise G(x) sorted by x.
struct HullPoints {
    std::vector<double> x, y;
    HullPoints() {
        std::mt19937 random(3);
        std::uniform_real_distribution<double> noise(-30, 30);
        for (int k = 0; k < 10000; ++k) {
            const double xk = k / 9999.0;
            x.push_back(xk);
            y.push_back(mixing(xk, 900) + 15000 * xk * (1 - xk) * std::sin(9 * xk) + noise(random));
        }
    }
};

void BM_ComputeHull(benchmark::State& state) {
    HullPoints p;
    calc::ConvexHull hull;
    for (auto _ : state) {
        hull.compute(p.x, p.y);
        benchmark::DoNotOptimize(hull.marks().data());
    }
    state.counters["ns/point"] = benchmark::Counter(static_cast<double>(state.iterations()) * p.x.size(),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["vertices"] = static_cast<double>(std::count(hull.marks().begin(), hull.marks().end(), 1));
}
BENCHMARK(BM_ComputeHull);

// Baseline: Andrew's monotone chain, lower hull only, on the same points (already sorted by x).
void BM_MonotoneChainBaseline(benchmark::State& state) {
    HullPoints p;
    std::vector<int> chain;
    chain.reserve(p.x.size());
    for (auto _ : state) {
        chain.clear();
        for (int k = 0; k < static_cast<int>(p.x.size()); ++k) {
            while (chain.size() >= 2) {
                const int a = chain[chain.size() - 2], b = chain.back();
                if ((p.x[b] - p.x[a]) * (p.y[k] - p.y[a]) - (p.y[b] - p.y[a]) * (p.x[k] - p.x[a]) > 0) break;
                chain.pop_back();
            }
            chain.push_back(k);
        }
        benchmark::DoNotOptimize(chain.data());
    }
    state.counters["ns/point"] = benchmark::Counter(static_cast<double>(state.iterations()) * p.x.size(),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["vertices"] = static_cast<double>(chain.size());
}
BENCHMARK(BM_MonotoneChainBaseline);

// ---- the whole run ----

// Element functions in the SGTE form, and three solution phases plus two compounds built on them.
functions::MemorySource sgteSystem() {
    const std::string ga = "(-7770.458+130.485235*T-24.112392*T*LN(T)-2.65684E-3*T^2+0.129223E-6*T^3+52478*T^(-1))";
    const std::string gb = "(-5179.159+117.854*T-22.096*T*LN(T)-4.8407E-3*T^2)";
    struct Phase {
        std::string name, x, expression;
    };
    const Phase phases[] = {
        {"LIQUID", "", "(1-X)*(" + ga + "+12964.735-9.511904*T)+X*(" + gb + "+16414.686-9.397*T)-T*SID+X*(1-X)*(-12000+2*T)"},
        {"FCC_A1", "", "(1-X)*" + ga + "+X*" + gb + "-T*SID+X*(1-X)*((8047.72+3.42217*T)+(-2041.30+0.99714*T)*(1-2*X))"},
        {"BCC_A2", "", "(1-X)*(" + ga + "+4017-1.255*T)+X*(" + gb + "+8715.084-3.556*T)-T*SID+X*(1-X)*(15000-4*T)"},
        {"AB3", "0.75", "0.25*" + ga + "+0.75*" + gb + "-9000+1.5*T"},
        {"A2B", "1/3", "(2*" + ga + "+" + gb + ")/3-8000+T"},
    };
    functions::MemorySource source;
    source.designation = "A-B";
    for (const Phase& phase : phases) {
        functions::GibbsRecord record;
        record.Tmin = 298.15;
        record.Tmax = 3000;
        record.X = phase.x;
        record.Expression = phase.expression;
        source.phases.push_back({phase.name, {record}});
    }
    return source;
}

calc::SystemRecord grid1001() {
    calc::SystemRecord record;
    record.Xpoints = 1000;
    record.Ypoints = 1000;
    record.Ymin = 300;
    record.Ymax = 2000;
    record.Zvalue = 1;
    record.Yparameter = "Temperature";
    return record;
}

// Times the evaluations the run asks for.
class TimedPhases : public calc::PhaseSource {
public:
    explicit TimedPhases(calc::PhaseSource& inner) : inner_(inner) {}
    double seconds = 0;
    bool build() override { return inner_.build(); }
    std::vector<std::string> solutionPhases() override { return inner_.solutionPhases(); }
    std::vector<calc::PointPhaseEntry> pointPhases() override { return inner_.pointPhases(); }
    void setCompositions(std::span<const double> x, std::span<const std::string> t) override {
        inner_.setCompositions(x, t);
    }
    void evaluateSolution(int phase, std::vector<double>& g, double t) override {
        const auto start = std::chrono::steady_clock::now();
        inner_.evaluateSolution(phase, g, t);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    double evaluatePoint(int phase, double t) override {
        const auto start = std::chrono::steady_clock::now();
        const double g = inner_.evaluatePoint(phase, t);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return g;
    }

private:
    calc::PhaseSource& inner_;
};

void BM_WholeRun1001x1001(benchmark::State& state) {
    for (auto _ : state) {
        util::SilentDialogs dialogs;
        calc::GridRun run('.');
        functions::PhaseFunctions functions(run.parameters(), dialogs, '.');
        functions::MemorySource system = sgteSystem();
        calc::FunctionsPhaseSource source(functions, system);
        TimedPhases phases(source);
        calc::RowObserver none;
        const auto start = std::chrono::steady_clock::now();
        run.run(grid1001(), phases, none, dialogs);
        const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["wall_s"] = total;
        state.counters["evaluation_share"] = phases.seconds / total;
        state.counters["analysis_share"] = 1 - phases.seconds / total;
        state.counters["boundaries"] = static_cast<double>(run.results().boundaries().size());
        state.counters["columns"] = run.results().matrix.colCount();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_WholeRun1001x1001)->Iterations(1)->Unit(benchmark::kMillisecond);

// A host with both live displays: it reads every curve, hull point, mark and segment of each row,
// as a window copying them for its own thread would.
class DisplayHost : public calc::RowObserver {
public:
    double sum = 0;
    bool wantsChart() override { return true; }
    bool wantsMosaic() override { return true; }
    void rowDone(const calc::RowFrame& row) override {
        for (const auto& curve : row.curves) sum += curve.g.back() + curve.x.back();
        for (double g : row.hullG) sum += g;
        for (double x : row.pointPhaseX) sum += x;
        for (const auto& segment : row.segments) sum += segment.x2 - segment.x1;
    }
};

// The same run through the calculation object, from a snapshot, with the live displays on.
void BM_CalculationWithDisplays1001x1001(benchmark::State& state) {
    auto snapshot = std::make_shared<engine::RunSnapshot>();
    snapshot->system = grid1001();
    snapshot->phases = sgteSystem();
    for (auto _ : state) {
        util::SilentDialogs dialogs;
        engine::Calculation calculation(dialogs, '.');
        DisplayHost host;
        calculation.run(snapshot, host);
        benchmark::DoNotOptimize(host.sum);
        state.counters["boundaries"] = static_cast<double>(calculation.results().boundaries().size());
    }
}
BENCHMARK(BM_CalculationWithDisplays1001x1001)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
