// The 1,001 x 1,001 run of the calculation benchmark inside the program's windows, offscreen: the
// whole run with both live displays on and with both off, against the same run of the calculation
// object alone on one thread (what ravo-cli calc does); the longest time the event loop went
// without serving events during each windowed run; and opening the matrix view on the result.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <memory>

#include "calc/run_results.h"
#include "engine/calculation.h"
#include "figure_reporter.h"
#include "gui/models/phase_matrix_model.h"
#include "gui/run/calculation_engine.h"
#include "gui/run/run_controller.h"
#include "gui/windows/tfm_cells.h"
#include "gui/windows/tfm_m_diagram.h"
#include "gui/windows/tfm_special_points.h"
#include "gui/windows/tfm_w_diagram.h"
#include "sgte_system.h"
#include "util/silent_dialogs.h"

namespace {

// CPU seconds of each measured run (run, search and GUI work), by benchmark name.
std::map<std::string, double> cpuOf;

// CPU time of the calling thread: on a machine shared with other work, wall times swing with the
// load while the CPU each thread spends stays comparable.
double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

// The program's engine, timing the CPU its run and search take on the worker thread.
class TimedEngine : public gui::CalculationEngine {
public:
    using CalculationEngine::CalculationEngine;
    Outcome run(calc::RowObserver& observer) override {
        const double start = threadCpuSeconds();
        const Outcome outcome = CalculationEngine::run(observer);
        workerCpu += threadCpuSeconds() - start;
        return outcome;
    }
    const results::SpecialPoints& findSpecialPoints() override {
        const double start = threadCpuSeconds();
        const results::SpecialPoints& found = CalculationEngine::findSpecialPoints();
        workerCpu += threadCpuSeconds() - start;
        return found;
    }
    double workerCpu = 0;
};

std::shared_ptr<const engine::RunSnapshot> benchSnapshot() {
    static const auto snapshot = [] {
        auto s = std::make_shared<engine::RunSnapshot>();
        s->system = bench::grid1001();
        s->phases = bench::sgteSystem();
        return s;
    }();
    return snapshot;
}

// The windows of a run and the controller over them, as the program builds them.
struct Windows {
    util::SilentDialogs dialogs;
    QWidget mainWindow;
    gui::TfmMDiagram mosaic;
    gui::TfmWDiagram chart;
    gui::TfmCells cells;
    gui::TfmSpecPoints specPoints;
    std::unique_ptr<gui::RunController> controller;
    TimedEngine* engine = nullptr;

    explicit Windows(bool displays) {
        mainWindow.resize(300, 200);
        mainWindow.show();
        gui::RunController::Host host;
        host.mainWindow = &mainWindow;
        host.showMosaic = [displays] { return displays; };
        host.showChart = [displays] { return displays; };
        host.mosaicColor = [] { return QColor(0xC0, 0xDC, 0xC0); };
        host.designation = [] { return QString("A-B"); };
        controller = std::make_unique<gui::RunController>(
            dialogs,
            [this](util::Dialogs& workerDialogs) {
                auto made = std::make_unique<TimedEngine>(benchSnapshot(), workerDialogs, '.');
                engine = made.get();
                return made;
            },
            gui::RunController::Windows{&mosaic, &chart, &cells, &specPoints}, host);
    }

    // Runs to the end; the wall time and the longest gap between two heartbeats of the event loop.
    struct Figures {
        double seconds = 0;
        double guiCpu = 0;  // GUI thread, from the click to the end of the run
        double longestGapMs = 0;
        double longestGapCpuMs = 0;  // CPU the GUI thread spent during that gap
        double longestWorkMs = 0;    // the most CPU it spent between two beats
        bool completed = false;
    };
    Figures run() {
        Figures f;
        QEventLoop loop;
        QObject::connect(controller.get(), &gui::RunController::runFinished, &loop, [&](bool completed) {
            f.completed = completed;
            loop.quit();
        });
        QElapsedTimer sinceBeat;
        QTimer heartbeat;
        heartbeat.setTimerType(Qt::PreciseTimer);
        heartbeat.setInterval(1);
        // Each gap between two beats, and how much of it the GUI thread spent working (the rest it
        // waited for a processor, which on a loaded machine can be most of it).
        double cpuAtBeat = threadCpuSeconds();
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            const double gap = sinceBeat.nsecsElapsed() / 1e6;
            const double cpuNow = threadCpuSeconds();
            if (gap > f.longestGapMs) {
                f.longestGapMs = gap;
                f.longestGapCpuMs = (cpuNow - cpuAtBeat) * 1e3;
            }
            f.longestWorkMs = std::max(f.longestWorkMs, (cpuNow - cpuAtBeat) * 1e3);
            cpuAtBeat = cpuNow;
            sinceBeat.restart();
        });
        QElapsedTimer wall;
        wall.start();
        const double cpu = threadCpuSeconds();
        sinceBeat.start();
        heartbeat.start();
        controller->sbRunClick();
        loop.exec();
        f.seconds = wall.nsecsElapsed() / 1e9;
        f.guiCpu = threadCpuSeconds() - cpu;
        heartbeat.stop();
        return f;
    }
};

// The run and the search on this thread, as ravo-cli calc makes them.
void BM_CalculationAlone(benchmark::State& state) {
    for (auto _ : state) {
        util::SilentDialogs dialogs;
        engine::Calculation calculation(dialogs, '.');
        calc::RowObserver none;
        const double cpu = threadCpuSeconds();
        calculation.run(benchSnapshot(), none);
        calculation.findSpecialPoints();
        state.counters["cpu_s"] = cpuOf["BM_CalculationAlone"] = threadCpuSeconds() - cpu;
        state.counters["rows"] = calculation.results().matrix.rowCount() - 1;
    }
}
BENCHMARK(BM_CalculationAlone)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void windowRun(benchmark::State& state, bool displays, const char* name) {
    for (auto _ : state) {
        Windows windows(displays);
        const Windows::Figures f = windows.run();
        if (!f.completed) state.SkipWithError("the run did not complete");
        state.SetIterationTime(f.seconds);
        state.counters["cpu_s"] = cpuOf[name] = windows.engine->workerCpu + f.guiCpu;
        state.counters["worker_cpu_s"] = windows.engine->workerCpu;
        state.counters["gui_cpu_s"] = f.guiCpu;
        state.counters["longest_gap_ms"] = f.longestGapMs;
        state.counters["gap_cpu_ms"] = f.longestGapCpuMs;
        state.counters["longest_work_ms"] = f.longestWorkMs;
        state.counters["chart_replots"] = windows.chart.replotCount();
    }
}

void BM_WindowRunDisplaysOff(benchmark::State& state) { windowRun(state, false, "BM_WindowRunDisplaysOff"); }
BENCHMARK(BM_WindowRunDisplaysOff)->Iterations(1)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_WindowRunDisplaysOn(benchmark::State& state) { windowRun(state, true, "BM_WindowRunDisplaysOn"); }
BENCHMARK(BM_WindowRunDisplaysOn)->Iterations(1)->Unit(benchmark::kMillisecond)->UseManualTime();

// Opening the matrix view ("Матрица") on the finished 1,001 x 1,001 result, first paint included.
void BM_OpenMatrixView(benchmark::State& state) {
    Windows windows(false);
    windows.run();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        windows.controller->sbGridClick();
        windows.cells.repaint();
        QCoreApplication::processEvents();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        windows.cells.hide();
    }
    state.counters["cells"] = double(windows.cells.model()->rowCount()) * windows.cells.model()->columnCount();
}
BENCHMARK(BM_OpenMatrixView)->Iterations(5)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // Wall times of the same program run after run; the CPU figures are the ones to compare when
    // the machine is busy with other work.
    const auto* alone = reporter.find("BM_CalculationAlone");
    const auto* off = reporter.find("BM_WindowRunDisplaysOff");
    const auto* on = reporter.find("BM_WindowRunDisplaysOn");
    const auto* matrix = reporter.find("BM_OpenMatrixView");
    std::printf("\n");
    if (alone && off)
        std::printf("windows, displays off / calculation alone: wall %.3f, cpu %.3f\n", off->realSeconds / alone->realSeconds,
                    cpuOf["BM_WindowRunDisplaysOff"] / cpuOf["BM_CalculationAlone"]);
    if (off && on)
        std::printf("windows, displays on / displays off:      wall %.3f, cpu %.3f\n", on->realSeconds / off->realSeconds,
                    cpuOf["BM_WindowRunDisplaysOn"] / cpuOf["BM_WindowRunDisplaysOff"]);
    if (matrix) std::printf("opening the matrix view: %.1f ms\n", matrix->realSeconds * 1e3);
    benchmark::Shutdown();
    return 0;
}
