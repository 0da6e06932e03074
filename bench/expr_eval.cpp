// The expression evaluator against the same formulas written in C++: a pure-element Gibbs energy
// over 1,000 temperatures and a solution-phase Gibbs energy over 1,001 and 10,001 compositions,
// ns per evaluation and the ratio to native code. Also the compile time of a 2,000-character
// expression, valid and with a syntax error at its end.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "expr/parser.h"
#include "figure_reporter.h"

namespace {

constexpr double R = 8.31441;

// Sn below its melting point (J/mol, G - H(SER)).
const char* const Element =
    "+2524.724+3.989845*T-8.2590486*T*LN(T)-.016814429*T^2+2.623131E-06*T^3-1081244*T^(-1)-1.2307E+25*T^(-9)";
double nativeElement(double t) {
    return 2524.724 + 3.989845 * t - 8.2590486 * t * std::log(t) - .016814429 * t * t + 2.623131E-06 * t * t * t -
           1081244 / t - 1.2307E+25 / std::pow(t, 9);
}

// Two element functions substituted as bracketed text, ideal mixing scaled by the variable R,
// a two-term Redlich-Kister excess.
const char* const ElementA = "-7650.085+101.715188*T-24.5242231*T*LN(T)-3.65895E-3*T^2-0.24395E-6*T^3";
const char* const ElementB =
    "-5855.135+65.427891*T-15.961*T*LN(T)-.0188702*T^2+3.121167E-06*T^3-61960*T^(-1)";
const std::string Solution = std::string("X*(") + ElementB + ")+(1-X)*(" + ElementA +
                             ")+R*T*(X*LN(X)+(1-X)*LN(1-X))+X*(1-X)*((6200-0.5*T)+(-500+1.2*T)*(1-2*X))";

double ln0(double x) { return x == 0 ? 0 : std::log(x); }
double nativeSolution(double x, double t) {
    const double ga = -7650.085 + 101.715188 * t - 24.5242231 * t * std::log(t) - 3.65895E-3 * t * t -
                      0.24395E-6 * t * t * t;
    const double gb = -5855.135 + 65.427891 * t - 15.961 * t * std::log(t) - .0188702 * t * t +
                      3.121167E-06 * t * t * t - 61960 / t;
    return x * gb + (1 - x) * ga + R * t * (x * ln0(x) + (1 - x) * ln0(1 - x)) +
           x * (1 - x) * ((6200 - 0.5 * t) + (-500 + 1.2 * t) * (1 - 2 * x));
}

bool close(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::fabs(b) + 1e-9; }

void BM_PureElementParser(benchmark::State& state) {
    expr::TParser parser;
    parser.setExpression(Element);
    double* t = parser.variableCell("T");
    std::vector<double> g(1000);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            *t = 298.15 + i * 0.2;
            g[i] = parser.value();
        }
        benchmark::DoNotOptimize(g.data());
        benchmark::ClobberMemory();
    }
    for (int i = 0; i < 1000; i += 100)
        if (!close(g[i], nativeElement(298.15 + i * 0.2))) state.SkipWithError("differs from the native formula");
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_PureElementParser);

void BM_PureElementNative(benchmark::State& state) {
    std::vector<double> g(1000);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) g[i] = nativeElement(298.15 + i * 0.2);
        benchmark::DoNotOptimize(g.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_PureElementNative);

void BM_SolutionParser(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    expr::TParser parser;
    parser.setVariable("R", R);
    parser.setVariable("T", 700);
    parser.setExpression(Solution);
    double* x = parser.variableCell("X");
    std::vector<double> g(n);
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) {
            *x = static_cast<double>(i) / (n - 1);
            g[i] = parser.value();
        }
        benchmark::DoNotOptimize(g.data());
        benchmark::ClobberMemory();
    }
    for (int i = 0; i < n; i += n / 10)
        if (!close(g[i], nativeSolution(static_cast<double>(i) / (n - 1), 700)))
            state.SkipWithError("differs from the native formula");
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_SolutionParser)->Arg(1001)->Arg(10001);

void BM_SolutionNative(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<double> g(n);
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) {
            // The temperature is opaque per composition, as it is to the compiled expression, so
            // the element functions are not hoisted out of the loop.
            double t = 700;
            benchmark::DoNotOptimize(t);
            g[i] = nativeSolution(static_cast<double>(i) / (n - 1), t);
        }
        benchmark::DoNotOptimize(g.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_SolutionNative)->Arg(1001)->Arg(10001);

// Six solution phases with literals in fixed notation, summed right-nested: over 2,000 characters
// yet within 20 levels of at most 50 operations.
std::string longExpression() {
    auto element = [](double shift) {
        char text[400];
        std::snprintf(text, sizeof text, "%.12f%+.12f*T%+.12f*T*LN(T)%+.12f*T^2%+.12f*T^3%+.12f*T^(-1)",
                      -7650.085 + shift, 101.715188 - shift / 100, -24.5242231, -3.65895e-3, -0.24395e-6,
                      69460.0 + shift);
        return std::string(text);
    };
    std::string text;
    for (int i = 5; i >= 0; --i) {
        const std::string phase = "X*(" + element(i) + ")+(1-X)*(" + element(-i) +
                                  ")+R*T*(X*LN(X)+(1-X)*LN(1-X))+X*(1-X)*((6200-0.5*T)+(-500+1.2*T)*(1-2*X))";
        text = text.empty() ? "(" + phase + ")" : "(" + phase + ")+(" + text + ")";
    }
    return text;
}

void compileBenchmark(benchmark::State& state, const std::string& text, bool valid) {
    expr::TParser parser;
    parser.setVariable("R", R);
    for (auto _ : state) {
        try {
            parser.setExpression(text);
            if (!valid) state.SkipWithError("compiled despite the syntax error");
        } catch (const expr::ESyntaxError&) {
            if (valid) state.SkipWithError("syntax error in the valid expression");
        }
    }
    state.counters["chars"] = static_cast<double>(text.size());
}

void BM_CompileValid2000(benchmark::State& state) { compileBenchmark(state, longExpression(), true); }
BENCHMARK(BM_CompileValid2000)->Unit(benchmark::kMillisecond);

void BM_CompileErrorAtEnd2000(benchmark::State& state) { compileBenchmark(state, longExpression() + "*", false); }
BENCHMARK(BM_CompileErrorAtEnd2000)->Unit(benchmark::kMillisecond);

// Flat text of Gibbs-energy terms without brackets, the worst ordinary case for splitting; it
// fails (too deep) after being read, or with the error at its end.
std::string flatExpression() {
    std::string text = Element;
    while (text.size() < 2000) text += Element;
    return text;
}

void BM_CompileFlat2000(benchmark::State& state) {
    const std::string text = flatExpression() + "*";
    expr::TParser parser;
    for (auto _ : state) {
        try {
            parser.setExpression(text);
        } catch (const expr::EMathParserError&) {
        }
    }
    state.counters["chars"] = static_cast<double>(text.size());
}
BENCHMARK(BM_CompileFlat2000)->Unit(benchmark::kMillisecond);

// A chain of one operator 1 MB long, "T-T-T-…": refused (too deep) after being read. Each operator
// must cost about what "+" costs; a chain read from the left must not be read once per operator.
constexpr const char* kChainOperators[] = {"+", "-", "*", "/", "DIV", "MOD"};

std::string chain(const std::string& op) {
    std::string text = "T";
    while (text.size() < (1u << 20)) text += op + "T";
    return text;
}

void BM_CompileChain1MB(benchmark::State& state) {
    const std::string op = kChainOperators[state.range(0)];
    const std::string text = chain(op);
    expr::TParser parser;
    for (auto _ : state) {
        try {
            parser.setExpression(text);
            state.SkipWithError("a chain this long compiled");
        } catch (const expr::EMathParserError&) {
        }
    }
    state.SetLabel("'" + op + "'");
    state.counters["chars"] = static_cast<double>(text.size());
}
BENCHMARK(BM_CompileChain1MB)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->Iterations(1);

// A 1 MB text whose reading would take time growing with the cube of its length, "W/-W/-…": it
// is refused once the reading has spent its bounded work.
void BM_CompileCostly1MB(benchmark::State& state) {
    std::string text;
    while (text.size() < (1u << 20)) text += "W/-";
    expr::TParser parser;
    parser.setVariable("W", 1);
    for (auto _ : state) {
        try {
            parser.setExpression(text);
            state.SkipWithError("the text compiled");
        } catch (const expr::EMathParserError&) {
        }
    }
    state.counters["chars"] = static_cast<double>(text.size());
}
BENCHMARK(BM_CompileCostly1MB)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    auto ratio = [&](const char* label, const std::string& parser, const std::string& native) {
        const FigureReporter::Figures* p = reporter.find(parser);
        const FigureReporter::Figures* n = reporter.find(native);
        if (!p || !n) return;
        std::printf("%s: %.1f ns per evaluation, native %.1f ns, ratio %.2f (target <= 4)\n", label, p->cpuNsPerItem,
                    n->cpuNsPerItem, p->cpuNsPerItem / n->cpuNsPerItem);
    };
    ratio("pure element, 1000 temperatures", "BM_PureElementParser", "BM_PureElementNative");
    ratio("solution phase, 1001 compositions", "BM_SolutionParser/1001", "BM_SolutionNative/1001");
    ratio("solution phase, 10001 compositions", "BM_SolutionParser/10001", "BM_SolutionNative/10001");
    for (const char* name : {"BM_CompileValid2000", "BM_CompileErrorAtEnd2000", "BM_CompileFlat2000"}) {
        const FigureReporter::Figures* f = reporter.find(name);
        if (f) std::printf("%s: %.2f ms CPU (target < 50)\n", name, f->cpuNsPerItem / 1e6);
    }
    if (const FigureReporter::Figures* f = reporter.find("BM_CompileCostly1MB"))
        std::printf("1 MB text refused after bounded work: %.1f ms CPU (target < 1000 ms)\n", f->cpuNsPerItem / 1e6);
    const FigureReporter::Figures* sum = reporter.find("BM_CompileChain1MB/0");
    for (int i = 0; i < 6; ++i) {
        const FigureReporter::Figures* f = reporter.find("BM_CompileChain1MB/" + std::to_string(i));
        if (f && sum)
            std::printf("1 MB chain of '%s': %.1f ms CPU, ratio to '+' %.2f (target < 1000 ms)\n", kChainOperators[i],
                        f->cpuNsPerItem / 1e6, f->cpuNsPerItem / sum->cpuNsPerItem);
    }
    return 0;
}
