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
#include <memory>

#include "calc/run_results.h"
#include "engine/calculation.h"
#include "figure_reporter.h"
#include "gui/models/phase_matrix_model.h"
#include "gui/run/calculation_engine.h"
#include "gui/run/run_controller.h"
#include "gui/windows/tfm_cells.h"
#include "gui/windows/tfm_m_diagram.h"
#include "gui/windows/tfm_spec_points.h"
#include "gui/windows/tfm_w_diagram.h"
#include "sgte_system.h"
#include "util/silent_dialogs.h"

namespace {

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
            [](util::Dialogs& workerDialogs) {
                return std::make_unique<gui::CalculationEngine>(benchSnapshot(), workerDialogs, '.');
            },
            gui::RunController::Windows{&mosaic, &chart, &cells, &specPoints}, host);
    }

    // Runs to the end; the wall time and the longest gap between two heartbeats of the event loop.
    struct Figures {
        double seconds = 0;
        double longestGapMs = 0;
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
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            f.longestGapMs = std::max(f.longestGapMs, sinceBeat.nsecsElapsed() / 1e6);
            sinceBeat.restart();
        });
        QElapsedTimer wall;
        wall.start();
        sinceBeat.start();
        heartbeat.start();
        controller->sbRunClick();
        loop.exec();
        f.seconds = wall.nsecsElapsed() / 1e9;
        heartbeat.stop();
        return f;
    }
};

void BM_CalculationAlone(benchmark::State& state) {
    for (auto _ : state) {
        util::SilentDialogs dialogs;
        engine::Calculation calculation(dialogs, '.');
        calc::RowObserver none;
        calculation.run(benchSnapshot(), none);
        state.counters["rows"] = calculation.results().matrix.rowCount() - 1;
    }
}
BENCHMARK(BM_CalculationAlone)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void windowRun(benchmark::State& state, bool displays) {
    for (auto _ : state) {
        Windows windows(displays);
        const Windows::Figures f = windows.run();
        if (!f.completed) state.SkipWithError("the run did not complete");
        state.SetIterationTime(f.seconds);
        state.counters["longest_gap_ms"] = f.longestGapMs;
        state.counters["chart_replots"] = windows.chart.replotCount();
    }
}

void BM_WindowRunDisplaysOff(benchmark::State& state) { windowRun(state, false); }
BENCHMARK(BM_WindowRunDisplaysOff)->Iterations(1)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_WindowRunDisplaysOn(benchmark::State& state) { windowRun(state, true); }
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
    const auto* alone = reporter.find("BM_CalculationAlone");
    const auto* off = reporter.find("BM_WindowRunDisplaysOff");
    const auto* on = reporter.find("BM_WindowRunDisplaysOn");
    const auto* matrix = reporter.find("BM_OpenMatrixView");
    std::printf("\n");
    if (alone && off) std::printf("windows, displays off / calculation alone: %.3f\n", off->realSeconds / alone->realSeconds);
    if (off && on) std::printf("windows, displays on / displays off:      %.3f\n", on->realSeconds / off->realSeconds);
    if (matrix) std::printf("opening the matrix view: %.1f ms\n", matrix->realSeconds * 1e3);
    benchmark::Shutdown();
    return 0;
}
