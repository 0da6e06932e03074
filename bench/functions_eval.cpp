// Evaluation of a solution phase over the composition grid (the inner loop of a calculation run),
// against the same Gibbs energy written in C++. Prints ns per composition and the ratio.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "functions/memory_source.h"
#include "functions/phase_functions.h"
#include "util/dialogs.h"
#include "figure_reporter.h"

namespace {

constexpr int Compositions = 10001;
constexpr double Temperature = 500;

// Pure-element functions of the kind stored as stability parameters (J/mol, G - H(SER)).
const char* const ElementA = "-7650.085+101.700244*T-24.5242231*T*LN(T)-3.65895E-3*T^2-2.4395E-7*T^3";
const char* const ElementB =
    "-5855.135+65.443315*T-15.961*T*LN(T)-0.0188702*T^2+3.121167E-6*T^3-61960*T^(-1)";
const char* const Phase = "(1-X)*({GA})+X*({GB})-T*SID+X*(1-X)*((5000-2*T)+(1000+T)*(1-2*X))";

double elementA(double t) {
    return -7650.085 + 101.700244 * t - 24.5242231 * t * std::log(t) - 3.65895E-3 * t * t - 2.4395E-7 * t * t * t;
}
double elementB(double t) {
    return -5855.135 + 65.443315 * t - 15.961 * t * std::log(t) - 0.0188702 * t * t + 3.121167E-6 * t * t * t -
           61960 / t;
}
double nativePhase(double x, double t) {
    const double sid = x <= 0 || x >= 1 ? 0 : 8.31441 * (-x * std::log(x) - (1 - x) * std::log(1 - x));
    return (1 - x) * elementA(t) + x * elementB(t) - t * sid + x * (1 - x) * ((5000 - 2 * t) + (1000 + t) * (1 - 2 * x));
}

class QuietDialogs : public util::Dialogs {
public:
    void error(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    void warning(const std::string& text) override { error(text); }
    void information(const std::string&) override {}
    void message(const std::string& text) override { error(text); }
    bool confirm(const std::string&) override { return false; }
    std::optional<std::string> input(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

// One liquid phase over the element data GA and GB.
functions::MemorySource benchSource() {
    functions::MemorySource source;
    source.designation = "A+B";
    functions::GibbsRecord r;
    r.Tmin = 298.15;
    r.Tmax = 3000;
    r.Expression = Phase;
    source.phases = {{"Liquid", {r}}};
    for (const auto& [name, expression] : {std::pair{"GA", ElementA}, std::pair{"GB", ElementB}}) {
        functions::StabilityDetail d;
        d.Tmin = 298.15;
        d.Tmax = 3000;
        d.Expression = expression;
        source.parameters.push_back({name, {d}});
    }
    return source;
}

struct Fixture {
    functions::RunValues run;
    QuietDialogs dialogs;
    functions::PhaseFunctions phases{run, dialogs, '.'};
    Fixture() {
        functions::MemorySource source = benchSource();
        if (!phases.BuildPhaseFunctions(source)) std::abort();
        for (int i = 0; i < Compositions; ++i)
            phases.CompositionList.add("x", std::make_unique<functions::TXclass>(functions::TXclass{i / 10000.0}));
    }
};

void BM_SolutionPhase(benchmark::State& state) {
    Fixture fixture;
    functions::TG g;
    for (auto _ : state) {
        fixture.phases.EvaluateSolutionPhase("Liquid", g, Temperature);
        benchmark::DoNotOptimize(g.data());
        benchmark::ClobberMemory();
    }
    // Both ways must give the same Gibbs energies.
    for (int i = 0; i < Compositions; i += 500)
        if (std::abs(g[i] - nativePhase(i / 10000.0, Temperature)) > 1e-6 * std::abs(g[i]) + 1e-6)
            state.SkipWithError("phase evaluation differs from the native formula");
    state.SetItemsProcessed(state.iterations() * Compositions);
}
BENCHMARK(BM_SolutionPhase);

void BM_NativeFormula(benchmark::State& state) {
    std::vector<double> xs(Compositions);
    for (int i = 0; i < Compositions; ++i) xs[i] = i / 10000.0;
    std::vector<double> g(Compositions);
    for (auto _ : state) {
        for (int i = 0; i < Compositions; ++i) {
            // The temperature is opaque per composition, as it is to the compiled expression, so
            // the element functions are not hoisted out of the loop.
            double t = Temperature;
            benchmark::DoNotOptimize(t);
            g[i] = nativePhase(xs[i], t);
        }
        benchmark::DoNotOptimize(g.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * Compositions);
}
BENCHMARK(BM_NativeFormula);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const FigureReporter::Figures* phase = reporter.find("BM_SolutionPhase");
    const FigureReporter::Figures* native = reporter.find("BM_NativeFormula");
    if (phase && native)
        std::printf("solution phase: %.2f ns (CPU) per composition, native formula: %.2f ns, ratio %.2f (target <= 4)\n",
                    phase->cpuNsPerItem, native->cpuNsPerItem, phase->cpuNsPerItem / native->cpuNsPerItem);
    return 0;
}
