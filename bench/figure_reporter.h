#pragma once
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// The console output as usual, and the figures of every run kept by name, so that a benchmark
// program can print its ratios against the baseline measured in the same program at the end.
class FigureReporter : public benchmark::ConsoleReporter {
public:
    struct Figures {
        double realSeconds;   // wall time of one iteration
        double cpuNsPerItem;  // CPU time per item processed, or per iteration when no items are counted
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.iterations == 0) continue;
            const double perSecond = benchmark::GetTimeUnitMultiplier(run.time_unit);
            Figures f{run.GetAdjustedRealTime() / perSecond, run.GetAdjustedCPUTime() / perSecond * 1e9};
            const auto items = run.counters.find("items_per_second");
            if (items != run.counters.end() && items->second > 0) f.cpuNsPerItem = 1e9 / items->second;
            figures_[run.benchmark_name()] = f;
        }
    }

    // The run of that name, else the first whose name begins with it (for "/iterations:5" and the
    // like); nullptr when there is none.
    const Figures* find(const std::string& name) const {
        if (auto it = figures_.find(name); it != figures_.end()) return &it->second;
        for (const auto& [runName, f] : figures_)
            if (runName.rfind(name, 0) == 0) return &f;
        return nullptr;
    }

private:
    std::map<std::string, Figures> figures_;
};
