// The diagram command and the replot of the phase diagram chart on a large result, drawn offscreen.
// Baseline: the same chart drawn without adaptive sampling, i.e. every marker painted.
#include <QApplication>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "figure_reporter.h"
#include "gui/plot/diagram_plot.h"
#include "gui/windows/tfm_diagram2.h"
#include "results/diagram_content.h"
#include "util/silent_dialogs.h"

namespace {

// Boundary points of a large run: eight boundary curves crossing every row, as many rows as needed.
results::DiagramContent largeDiagram(int points) {
    using Kind = results::DiagramSeriesKind;
    results::DiagramContent content;
    content.title = "T, K";
    content.foot = "x";
    results::DiagramSeries boundaries{Kind::Boundaries, "Границы фаз", {}, {}};
    const int rows = points / 8;
    for (int r = 0; r < rows; ++r) {
        const double t = static_cast<double>(r) / rows;
        for (int k = 0; k < 8; ++k) {
            boundaries.x.push_back(std::fmod(0.125 * k + 0.1 * std::sin(6 * t + k), 1.0));
            boundaries.y.push_back(300 + 700 * t);
        }
    }
    content.series.push_back(std::move(boundaries));
    content.series.push_back({Kind::SpecialPoints, "Особые точки", {0.3, 0.6}, {456, 456}});
    for (int n = 0; n < 5; ++n) content.series.push_back({Kind::NodeLine, "Нода", {0.1, 0.9}, {400.0 + 100 * n, 400.0 + 100 * n}});
    return content;
}

gui::TfmDiagram2* theWindow = nullptr;  // made in main, after the application object
gui::TfmDiagram2& window() { return *theWindow; }

void BM_DiagramCommand(benchmark::State& state) {
    const results::DiagramContent content = largeDiagram(static_cast<int>(state.range(0)));
    gui::TfmDiagram2& w = window();
    w.resize(900, 680);
    for (auto _ : state) {
        w.showDiagram(content, {});
        w.Chart1->replot(QCustomPlot::rpImmediateRefresh);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void replot(benchmark::State& state, bool adaptive, bool pan) {
    plot::DiagramPlot chart;
    chart.resize(900, 600);
    chart.setContent(largeDiagram(static_cast<int>(state.range(0))));
    chart.graph(0)->setAdaptiveSampling(adaptive);
    chart.replot();
    int step = 0;
    for (auto _ : state) {
        if (pan) chart.scrollBy(QPoint(++step % 2 ? 10 : -10, 0));
        chart.replot(QCustomPlot::rpImmediateRefresh);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReplotEveryMarker(benchmark::State& state) { replot(state, false, false); }
void BM_Replot(benchmark::State& state) { replot(state, true, false); }
void BM_PanAndReplot(benchmark::State& state) { replot(state, true, true); }

BENCHMARK(BM_DiagramCommand)->Arg(10000)->Arg(400000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplotEveryMarker)->Arg(400000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Replot)->Arg(400000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanAndReplot)->Arg(400000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    util::SilentDialogs dialogs;
    QTemporaryDir settings;  // the window writes its two settings files there at the end
    gui::TfmDiagram2 diagram(dialogs, '.', settings.path());
    theWindow = &diagram;
    benchmark::Initialize(&argc, argv);
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto* base = reporter.find("BM_ReplotEveryMarker/400000");
    const auto* sampled = reporter.find("BM_Replot/400000");
    if (base && sampled)
        std::printf("replot of 400000 boundary points: %.1f ms, every marker painted %.1f ms (%.1fx faster)\n",
                    sampled->realSeconds * 1e3, base->realSeconds * 1e3, base->realSeconds / sampled->realSeconds);
    benchmark::Shutdown();
    return 0;
}
