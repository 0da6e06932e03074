// The size bound of a grid run and the memory guard of the commands.
#include "calc/grid_limits.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "calc/grid_run.h"
#include "support/scripted_dialogs.h"
#include "support/test_helpers.h"
#include "util/memory_guard.h"

namespace {

using testsupport::ScriptedDialogs;

constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;

TEST(GridLimits, GridsBeyondTheCellOrMemoryLimitAreRefused) {
    struct Case {
        const char* name;
        int xIntervals;
        int yIntervals;
        std::size_t pointPhases;
        std::uint64_t memory;
        bool refused;
    };
    const Case cases[] = {
        {"default grid", 100, 100, 3, 8 * kGiB, false},
        {"large but within", 9000, 9000, 5, 16 * kGiB, false},
        {"just over the cell limit", 10000, 10000, 0, 64 * kGiB, true},
        {"20000 x 20000", 20000, 20000, 2, 64 * kGiB, true},
        {"2e9 x 1", 2000000000, 1, 0, 64 * kGiB, true},
        {"fits the cells, not half the memory", 5000, 5000, 0, 256 * 1024 * 1024, true},
        {"memory unknown: the cell limit alone", 5000, 5000, 0, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(calc::GridRefusal(c.xIntervals, c.yIntervals, 4, c.pointPhases, c.memory).has_value(), c.refused)
            << c.name;
}

TEST(GridLimits, RefusalNamesTheGridAndTheLimit) {
    EXPECT_EQ(calc::GridRefusal(20000, 20000, 4, 0, 8 * kGiB),
              "The grid Xpoints = 20000 x Ypoints = 20000 is too large: 400080004 cells, about 3 GB of memory.\r"
              "The limit is 100000000 cells and 4 GB (half of this computer's memory).");
}

// A phase source that must never be evaluated.
struct UntouchedPhases : calc::PhaseSource {
    bool build() override { return true; }
    std::vector<std::string> solutionPhases() override { return {"A"}; }
    std::vector<calc::PointPhaseEntry> pointPhases() override { return {}; }
    void setCompositions(std::span<const double>, std::span<const std::string>) override { ADD_FAILURE(); }
    void evaluateSolution(int, std::vector<double>&, double) override { ADD_FAILURE(); }
    double evaluatePoint(int, double) override { return 0; }
};

struct FinishRecorder : calc::RowObserver {
    std::vector<bool> finished;
    void runFinished(bool completed) override { finished.push_back(completed); }
};

TEST(GridLimits, RunRefusesTheGridBeforeAllocatingIt) {
    for (const auto& [x, y] : {std::pair{20000, 20000}, std::pair{2000000000, 1}}) {
        calc::SystemRecord system;
        system.Xpoints = x;
        system.Ypoints = y;
        system.Ymin = 300;
        system.Ymax = 800;
        system.Yparameter = "Temperature";
        calc::GridRun run('.');
        UntouchedPhases phases;
        FinishRecorder observer;
        ScriptedDialogs dialogs;
        EXPECT_EQ(run.run(system, phases, observer, dialogs), calc::GridRun::Outcome::NotStarted);
        ASSERT_EQ(dialogs.texts("error").size(), 1u);
        EXPECT_EQ(dialogs.texts("error").front().rfind("The grid Xpoints = " + std::to_string(x) + " x Ypoints = " +
                                                           std::to_string(y) + " is too large",
                                                       0),
                  0u);
        EXPECT_EQ(observer.finished, std::vector<bool>{false});
        EXPECT_EQ(run.results().matrix.colCount(), 0);
    }
}

TEST(MemoryGuard, AllocationFailureBecomesAClearMessage) {
    EXPECT_EQ(util::WithMemoryGuard("the calculation", [] { return 7; }), 7);
    EXPECT_EQ(testsupport::errorOf([] { util::WithMemoryGuard("the calculation", []() -> int { throw std::bad_alloc(); }); }),
              "Not enough memory for the calculation");
    EXPECT_EQ(testsupport::errorOf([] {
                  util::WithMemoryGuard("the matrix", [] {
                      std::vector<double> v;
                      v.resize(v.max_size() + 1);  // more than a vector can ever hold
                  });
              }),
              "Not enough memory for the matrix");
}

}  // namespace
