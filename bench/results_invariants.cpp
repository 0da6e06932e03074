// The refinement of a run's results against the run itself, on the systems of the default
// database (the table files beside this program): refining every invariant of a run at the stored
// grid, and refining every boundary point of a 1,001 x 1,001 run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "db/tdm.h"
#include "engine/calculation.h"
#include "figure_reporter.h"
#include "results/invariant_table.h"
#include "util/silent_dialogs.h"

namespace {

const char* const kSystems[] = {"Pb+Sn", "Al+Zn", "Cu+Ni", "Mg+Si", "Al+Si"};

std::string databaseDirectory() {
    return std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/";
}

// One system computed once; `points` 0 keeps the stored grid.
struct Computed {
    util::SilentDialogs dialogs;
    db::TDM tdm{dialogs};
    engine::Calculation calculation{dialogs, '.'};
    std::shared_ptr<const engine::RunSnapshot> snapshot;

    Computed(const std::string& designation, int points) {
        tdm.Start(databaseDirectory());
        if (!tdm.tblSystems.locate("System_designation", store::Value{designation}))
            throw std::runtime_error("no system " + designation);
        snapshot = engine::Calculation::takeSnapshot(tdm);
        if (points > 0) calculation.setGridOverride(points, points);
        compute();
        calculation.findSpecialPoints();
    }
    void compute() {
        if (calculation.run(snapshot) != engine::Calculation::Outcome::Completed)
            throw std::runtime_error("the run did not complete");
    }
};

void BM_GridRun(benchmark::State& state) {
    Computed computed(kSystems[state.range(0)], 0);
    for (auto _ : state) computed.compute();
    state.SetLabel(kSystems[state.range(0)]);
}
BENCHMARK(BM_GridRun)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void BM_RefineInvariants(benchmark::State& state) {
    Computed computed(kSystems[state.range(0)], 0);
    size_t count = 0;
    for (auto _ : state) {
        const auto& table = computed.calculation.findInvariants();
        count = table.size();
        benchmark::DoNotOptimize(table.data());
    }
    state.counters["invariants"] = static_cast<double>(count);
    state.SetLabel(kSystems[state.range(0)]);
}
BENCHMARK(BM_RefineInvariants)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

std::unique_ptr<Computed> fine;
Computed& fineRun() {
    if (!fine) fine = std::make_unique<Computed>("Al+Zn", 1000);
    return *fine;
}

void BM_GridRun1001(benchmark::State& state) {
    Computed& computed = fineRun();
    for (auto _ : state) computed.compute();
}
BENCHMARK(BM_GridRun1001)->Iterations(2)->Unit(benchmark::kMillisecond);

void BM_RefineBoundaries1001(benchmark::State& state) {
    Computed& computed = fineRun();
    size_t refined = 0, all = 0;
    for (auto _ : state) {
        const auto boundaries = computed.calculation.refineBoundaries();
        all = boundaries.size();
        refined = 0;
        for (const auto& b : boundaries) refined += b.refined;
    }
    state.counters["points"] = static_cast<double>(all);
    state.counters["refined"] = static_cast<double>(refined);
}
BENCHMARK(BM_RefineBoundaries1001)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    for (int i = 0; i < 5; ++i) {
        const auto* run = reporter.find("BM_GridRun/" + std::to_string(i));
        const auto* refine = reporter.find("BM_RefineInvariants/" + std::to_string(i));
        if (run && refine)
            std::printf("%-6s refining every invariant: %.2f ms (target < 50 ms); the run at the stored grid: %.2f ms\n",
                        kSystems[i], refine->realSeconds * 1e3, run->realSeconds * 1e3);
    }
    const auto* run = reporter.find("BM_GridRun1001");
    const auto* refine = reporter.find("BM_RefineBoundaries1001");
    if (run && refine)
        std::printf("Al+Zn 1,001 x 1,001: refining every boundary point %.1f ms, the run %.1f ms, ratio %.3f (target < 1)\n",
                    refine->realSeconds * 1e3, run->realSeconds * 1e3, refine->realSeconds / run->realSeconds);
    return 0;
}
