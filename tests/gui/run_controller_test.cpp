// The run bridge with an engine of the test's own: the worker thread, the displays fed from it,
// the stop button, messages raised on the worker, closing the program during a run.
#include <QCheckBox>
#include <QPushButton>
#include <QSemaphore>
#include <QThread>
#include <QtTest>
#include <atomic>
#include <qcustomplot.h>

#include "calc/run_parameters.h"
#include "calc/run_results.h"
#include "gui/run/run_controller.h"
#include "gui/windows/tfm_cells.h"
#include "gui/windows/tfm_m_diagram.h"
#include "gui/windows/tfm_special_points.h"
#include "gui/windows/tfm_w_diagram.h"
#include "gui/models/phase_matrix_model.h"
#include "support/scripted_dialogs.h"
#include "util/errors.h"

namespace {

// Rows from YMax = 400 down to YMin = 0 in steps of 100 (five rows), each with one two-phase
// segment from 0.3 to 0.5 and a point phase at 0.75. With `gated`, each row waits for a permit.
class FakeEngine : public gui::RunEngine {
public:
    explicit FakeEngine(util::Dialogs& dialogs) : dialogs_(dialogs) {
        params.XMin = 0;
        params.XMax = 1;
        params.YMin = 0;
        params.YMax = 400;
        params.YStep = 100;
        params.YParameter = calc::kYTemperature;
        params.BottomAxisIncrement = 0.1;
    }

    void prepare() override {
        ++prepared;
        if (!prepareFault.empty()) throw util::Error(prepareFault);
    }

    Outcome run(calc::RowObserver& observer) override {
        running_ = true;
        struct Done {
            std::atomic<bool>& flag;
            ~Done() { flag = false; }
        } done{running_};
        const std::vector<double> xs{0, 0.25, 0.5, 0.75, 1};
        const std::vector<std::string> phases{"LIQUID", "FCC"};
        observer.runPrepared({phases, xs, &params});
        const std::vector<double> g1{-1, -3, -2, -1, 0};
        const std::vector<double> g2{0, -2, -3, -2, -1};
        const std::vector<calc::RowFrame::Curve> curves{{xs, g1}, {xs, g2}};
        const std::vector<double> hullX{1, 0.5, 0};
        const std::vector<double> hullG{-1, -3, -1};
        const std::vector<double> pointX{0.75};
        const std::vector<calc::RowFrame::Segment> segments{{0.3, 0.5}};
        for (int row = 0; row < rows; ++row) {
            if (stop_) {
                stop_ = false;
                return Outcome::Stopped;
            }
            if (gated) permits.acquire();
            if (stop_) {
                stop_ = false;
                return Outcome::Stopped;
            }
            const bool chart = observer.wantsChart();
            const bool mosaic = observer.wantsMosaic();
            chartRows += chart;
            mosaicRows += mosaic;
            if (row == messageRow) {
                messageReturned = false;
                aboutToAsk.release();
                dialogs_.message("Number of points equals to 7");
                messageReturned = true;
            }
            if (row == faultRow) throw util::Error("Division by zero at X = 0.5");
            if (row % 10 == 0) observer.statusText("Temperature = " + std::to_string(400 - 100 * row));
            calc::RowFrame frame;
            frame.rowIndex = row;
            frame.y = 400 - 100 * row;
            if (chart) {
                frame.curves = curves;
                frame.hullX = hullX;
                frame.hullG = hullG;
            }
            if (mosaic) {
                frame.pointPhaseX = pointX;
                frame.segments = segments;
            }
            observer.rowDone(frame);
            ++rowsDone;
        }
        results_.matrix.resize(3, 3);
        results_.matrix.setText(0, 0, " Y/X");
        results_.matrix.setText(1, 1, "E");
        return Outcome::Completed;
    }

    void requestStop() override {
        stop_ = true;
        permits.release(1000);
    }
    bool askStop() override {
        if (!dialogs_.confirm("Остановить расчет?")) return false;
        requestStop();
        return true;
    }
    bool running() const override { return running_; }
    const calc::RunParameters& parameters() const override { return params; }
    const calc::RunResults& results() const override { return results_; }
    const results::SpecialPoints& findSpecialPoints() override {
        ++searches;
        special.begin();
        special.node({500, 0.26, 0.18, 0.97});
        special.otherPoint({0.3, 500}, "T(X = 0.3) = 500 ");
        return special;
    }

    int rows = 5;
    bool gated = false;
    int messageRow = -1;
    int faultRow = -1;
    std::string prepareFault;
    QSemaphore permits;
    QSemaphore aboutToAsk;
    std::atomic<bool> messageReturned{true};
    std::atomic<int> rowsDone{0};
    std::atomic<int> chartRows{0};
    std::atomic<int> mosaicRows{0};
    int prepared = 0;
    int searches = 0;
    calc::RunParameters params;
    results::SpecialPoints special;

private:
    util::Dialogs& dialogs_;
    calc::RunResults results_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
};

// GUI dialogs that record on which thread each message was shown and whether the worker was still
// waiting for it.
class ThreadCheckingDialogs : public testsupport::ScriptedDialogs {
public:
    void message(const std::string& text) override {
        ScriptedDialogs::message(text);
        onGuiThread = QThread::currentThread() == qApp->thread();
        workerWaited = engine && !engine->messageReturned;
    }
    FakeEngine* engine = nullptr;
    bool onGuiThread = false;
    bool workerWaited = false;
};

// The windows and the main window's pieces the bridge works with.
struct Bench {
    ThreadCheckingDialogs dialogs;
    QWidget mainWindow;
    QPushButton sbStop{"СТОП"};
    QPushButton sbDiagram{"Диаграмма"};
    gui::TfmMDiagram mosaic;
    gui::TfmWDiagram chart;
    gui::TfmCells cells;
    gui::TfmSpecPoints specPoints;
    bool showMosaic = true;
    bool showChart = true;
    QColor colour{0xC0, 0xDC, 0xC0};
    QStringList status;
    int diagrams = 0;
    QString diagramCaption;
    FakeEngine* engine = nullptr;
    std::unique_ptr<gui::RunController> controller;

    explicit Bench(bool withDiagram = false) {
        sbDiagram.setEnabled(false);
        mosaic.resize(300, 210);
        gui::RunController::Host host;
        host.mainWindow = &mainWindow;
        host.sbStop = &sbStop;
        host.sbDiagram = &sbDiagram;
        host.showMosaic = [this] { return showMosaic; };
        host.showChart = [this] { return showChart; };
        host.mosaicColor = [this] { return colour; };
        host.setStatusText = [this](const QString& text) { status << text; };
        host.designation = [] { return QString("Pb-Sn"); };
        host.setDiagramCaption = [this](const QString& caption) { diagramCaption = caption; };
        if (withDiagram)
            host.diagramCommand = [this] {
                ++diagrams;
                controller->findSpecialPoints();
            };
        controller = std::make_unique<gui::RunController>(
            dialogs,
            [this](util::Dialogs& workerDialogs) {
                auto made = std::make_unique<FakeEngine>(workerDialogs);
                engine = made.get();
                dialogs.engine = engine;
                return made;
            },
            gui::RunController::Windows{&mosaic, &chart, &cells, &specPoints}, host);
        controller->watchForClose(&mainWindow);
    }

    // Runs to the end and returns the completed flag of runFinished.
    bool runToEnd() {
        QSignalSpy finished(controller.get(), &gui::RunController::runFinished);
        controller->sbRunClick();
        if (!finished.wait(5000)) return false;
        return finished.front().front().toBool();
    }
};

}  // namespace

class RunControllerTest : public QObject {
    Q_OBJECT
private slots:
    void completedRunFeedsBothDisplaysAndEnablesTheDiagram();
    void bothBoxesClearedLeaveTheWindowsHiddenAndDrawNothing();
    void mosaicColourChangedDuringARunColoursTheLaterRows();
    void stopConfirmedEndsTheRunWithoutTheDiagram();
    void stopDeclinedLetsTheRunComplete();
    void secondRunIsRefusedWhileOneWorks();
    void messageFromTheWorkerWaitsForTheBox();
    void faultOnTheWorkerIsShownAndTheRunEnds();
    void failedPreparationStartsNothing();
    void closingTheMainWindowDuringARunStopsItFirst();
    void closingWhileTheWorkerWaitsForAMessageShowsNothing();
    void specialPointsWindowIsRefilledWhenVisible();
    void matrixViewShowsTheLastRun();
};

void RunControllerTest::completedRunFeedsBothDisplaysAndEnablesTheDiagram() {
    Bench bench;
    QVERIFY(!bench.sbStop.isEnabled());
    QSignalSpy started(bench.controller.get(), &gui::RunController::runStarted);
    QVERIFY(bench.runToEnd());
    QCOMPARE(started.size(), 1);
    QVERIFY(!bench.controller->running());
    QVERIFY(!bench.sbStop.isEnabled());
    QVERIFY(bench.sbDiagram.isEnabled());
    QVERIFY(bench.mosaic.isVisible());
    QVERIFY(bench.chart.isVisible());
    QCOMPARE(bench.mosaic.windowTitle(), QString("Pb-Sn"));
    QCOMPARE(bench.cells.windowTitle(), QString("Pb-Sn"));
    QCOMPARE(bench.diagramCaption, QString("Pb-Sn"));
    QCOMPARE(bench.status, QStringList({"Temperature = 400"}));

    // Every row's segment is in the mosaic, at its pixel row (ImageScale = 200 / 400).
    const QImage& image = bench.mosaic.image();
    for (int row : {0, 50, 100, 150}) QCOMPARE(image.pixelColor(120, row), bench.colour);
    QCOMPARE(image.pixelColor(120, 25), QColor(Qt::white));
    QCOMPARE(image.pixelColor(225, 150 - 2), QColor(255, 0, 0));

    // The chart holds the last row: the two phases and the hull.
    QCustomPlot* plot = bench.chart.chart();
    QCOMPARE(plot->graphCount(), 3);
    QCOMPARE(plot->graph(2)->name(), QString("Convex"));
    QCOMPARE(plot->graph(0)->data()->size(), 5);
    QCOMPARE(plot->graph(2)->data()->size(), 3);
    QVERIFY(bench.engine->chartRows >= 1);
    QCOMPARE(bench.engine->mosaicRows.load(), 5);
    QCOMPARE(bench.engine->searches, 1);  // without the chart window, the search alone runs
}

void RunControllerTest::bothBoxesClearedLeaveTheWindowsHiddenAndDrawNothing() {
    Bench bench;
    bench.showMosaic = false;
    bench.showChart = false;
    bench.mosaic.show();
    bench.chart.show();
    QVERIFY(bench.runToEnd());
    QVERIFY(!bench.mosaic.isVisible());
    QVERIFY(!bench.chart.isVisible());
    QCOMPARE(bench.engine->chartRows.load(), 0);
    QCOMPARE(bench.engine->mosaicRows.load(), 0);
    // The blank image and the series are still prepared.
    QVERIFY(!bench.mosaic.image().isNull());
    QCOMPARE(bench.mosaic.image().pixelColor(120, 0), QColor(Qt::white));
    QCOMPARE(bench.chart.chart()->graphCount(), 3);
    QCOMPARE(bench.chart.chart()->graph(0)->data()->size(), 0);
}

void RunControllerTest::mosaicColourChangedDuringARunColoursTheLaterRows() {
    Bench bench;
    bench.engine->gated = true;
    QSignalSpy finished(bench.controller.get(), &gui::RunController::runFinished);
    bench.controller->sbRunClick();
    bench.engine->permits.release(3);  // rows 0, 1, 2 (pixel rows 0, 0, 50)
    QTRY_COMPARE(bench.mosaic.image().pixelColor(120, 50), bench.colour);
    const QColor first = bench.colour;
    bench.colour = QColor(10, 20, 200);
    bench.engine->permits.release(2);
    QVERIFY(finished.wait(5000));
    const QImage& image = bench.mosaic.image();
    QCOMPARE(image.pixelColor(120, 0), first);
    QCOMPARE(image.pixelColor(120, 50), first);
    QCOMPARE(image.pixelColor(120, 100), bench.colour);
    QCOMPARE(image.pixelColor(120, 150), bench.colour);
}

void RunControllerTest::stopConfirmedEndsTheRunWithoutTheDiagram() {
    Bench bench(true);
    bench.engine->gated = true;
    QSignalSpy finished(bench.controller.get(), &gui::RunController::runFinished);
    bench.controller->sbRunClick();
    QVERIFY(bench.sbStop.isEnabled());
    bench.engine->permits.release(2);
    QTRY_COMPARE(bench.engine->rowsDone.load(), 2);
    bench.dialogs.answerConfirm(true);
    bench.controller->sbStopClick();
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.front().front().toBool(), false);
    QCOMPARE(bench.dialogs.texts("confirm"), std::vector<std::string>{"Остановить расчет?"});
    QCOMPARE(bench.engine->rowsDone.load(), 2);
    QVERIFY(!bench.sbStop.isEnabled());
    QVERIFY(bench.sbDiagram.isEnabled());
    QCOMPARE(bench.diagrams, 0);
    QVERIFY(!bench.controller->running());
}

void RunControllerTest::stopDeclinedLetsTheRunComplete() {
    Bench bench(true);
    bench.engine->gated = true;
    QSignalSpy finished(bench.controller.get(), &gui::RunController::runFinished);
    bench.controller->sbRunClick();
    bench.engine->permits.release(1);
    bench.dialogs.answerConfirm(false);
    bench.controller->sbStopClick();
    bench.engine->permits.release(4);
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.front().front().toBool(), true);
    QCOMPARE(bench.engine->rowsDone.load(), 5);
    QCOMPARE(bench.diagrams, 1);
    QCOMPARE(bench.engine->searches, 1);
}

void RunControllerTest::secondRunIsRefusedWhileOneWorks() {
    Bench bench;
    bench.engine->gated = true;
    QSignalSpy finished(bench.controller.get(), &gui::RunController::runFinished);
    bench.controller->sbRunClick();
    bench.controller->sbRunClick();
    QCOMPARE(bench.engine->prepared, 1);
    QCOMPARE(bench.dialogs.texts("warning"), std::vector<std::string>{"The calculation is already running"});
    bench.engine->permits.release(5);
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.size(), 1);
    // Once it has ended, the next run starts.
    bench.engine->gated = false;
    QVERIFY(bench.runToEnd());
    QCOMPARE(bench.engine->prepared, 2);
    QVERIFY(bench.sbDiagram.isEnabled());

    // During the next run the diagram waits, and a search asked for meanwhile gives the last
    // result without touching the calculation the worker is rewriting.
    bench.engine->gated = true;
    bench.controller->sbRunClick();
    QVERIFY(!bench.sbDiagram.isEnabled());
    const int searches = bench.engine->searches;
    QCOMPARE(bench.controller->findSpecialPoints().nodes().size(), size_t(1));
    QCOMPARE(bench.engine->searches, searches);
    bench.engine->permits.release(5);
    QVERIFY(finished.wait(5000));
    QVERIFY(bench.sbDiagram.isEnabled());
}

void RunControllerTest::messageFromTheWorkerWaitsForTheBox() {
    Bench bench;
    bench.engine->messageRow = 2;
    QVERIFY(bench.runToEnd());
    QCOMPARE(bench.dialogs.texts("message"), std::vector<std::string>{"Number of points equals to 7"});
    QVERIFY(bench.dialogs.onGuiThread);
    QVERIFY(bench.dialogs.workerWaited);
    QCOMPARE(bench.engine->rowsDone.load(), 5);
}

void RunControllerTest::faultOnTheWorkerIsShownAndTheRunEnds() {
    Bench bench(true);
    bench.engine->faultRow = 3;
    QVERIFY(!bench.runToEnd());
    QCOMPARE(bench.dialogs.texts("error"), std::vector<std::string>{"Division by zero at X = 0.5"});
    QVERIFY(!bench.controller->running());
    QVERIFY(!bench.sbStop.isEnabled());
    QVERIFY(!bench.sbDiagram.isEnabled());
    QCOMPARE(bench.diagrams, 0);
    // The rows before the fault were drawn.
    QCOMPARE(bench.mosaic.image().pixelColor(120, 50), bench.colour);
}

void RunControllerTest::failedPreparationStartsNothing() {
    Bench bench;
    bench.engine->prepareFault = "System not found";
    QSignalSpy started(bench.controller.get(), &gui::RunController::runStarted);
    bench.controller->sbRunClick();
    QCOMPARE(bench.dialogs.texts("error"), std::vector<std::string>{"System not found"});
    QCOMPARE(started.size(), 0);
    QVERIFY(!bench.controller->running());
    QVERIFY(!bench.sbStop.isEnabled());
}

void RunControllerTest::closingTheMainWindowDuringARunStopsItFirst() {
    Bench bench;
    bench.engine->gated = true;
    bench.engine->rows = 1000;
    bench.mainWindow.show();
    bench.controller->sbRunClick();
    bench.engine->permits.release(3);
    QTRY_COMPARE(bench.engine->rowsDone.load(), 3);
    QVERIFY(bench.mainWindow.close());
    QVERIFY(!bench.controller->running());
    QVERIFY(!bench.engine->running());
    QVERIFY(bench.engine->rowsDone < 1000);
    QVERIFY(bench.dialogs.shown.empty());
    bench.controller.reset();  // no worker left behind
}

void RunControllerTest::closingWhileTheWorkerWaitsForAMessageShowsNothing() {
    Bench bench;
    bench.engine->messageRow = 1;
    bench.engine->rows = 1000;
    bench.mainWindow.show();
    bench.controller->sbRunClick();
    // The worker is about to ask; the GUI thread has not served the box yet.
    QVERIFY(bench.engine->aboutToAsk.tryAcquire(1, 5000));
    QVERIFY(bench.mainWindow.close());
    QVERIFY(!bench.controller->running());
    QVERIFY(bench.dialogs.texts("message").empty());
    QVERIFY(bench.engine->rowsDone < 1000);
}

void RunControllerTest::specialPointsWindowIsRefilledWhenVisible() {
    Bench bench;
    // Before any search: the heading row and one empty row.
    bench.controller->sbSpecialPointsClick();
    QVERIFY(bench.specPoints.isVisible());
    QCOMPARE(bench.specPoints.gridRowCount(), 2);
    QVERIFY(bench.runToEnd());
    QCOMPARE(bench.specPoints.gridRowCount(), 2);
    QCOMPARE(bench.specPoints.gridText(0, 0), QString(" T"));
    QCOMPARE(bench.specPoints.gridText(0, 1), QString(" 500"));
    QCOMPARE(bench.specPoints.gridText(3, 1), QString(" 0.97"));
    QCOMPARE(bench.specPoints.listBox1()->count(), 1);

    // A hidden window is not filled by the run; its list still follows the search.
    bench.specPoints.hide();
    bench.specPoints.fillNodes({}, 0, results::NodeYFormat::Fixed, '.');
    bench.specPoints.hide();
    bench.specPoints.showOtherPoints({});
    QVERIFY(bench.runToEnd());
    QVERIFY(!bench.specPoints.isVisible());
    QCOMPARE(bench.specPoints.gridText(0, 1), QString());
    QCOMPARE(bench.specPoints.listBox1()->count(), 1);
}

void RunControllerTest::matrixViewShowsTheLastRun() {
    Bench bench;
    bench.controller->sbGridClick();  // before any run
    QVERIFY(bench.cells.isVisible());
    QCOMPARE(bench.cells.model()->rowCount(), 0);
    QVERIFY(bench.runToEnd());
    QCOMPARE(bench.cells.model()->rowCount(), 0);  // not refreshed until asked
    bench.controller->sbGridClick();
    QCOMPARE(bench.cells.model()->rowCount(), 2);
    QCOMPARE(bench.cells.model()->index(0, 0).data().toString(), QString("E"));
}

QTEST_MAIN(RunControllerTest)
#include "run_controller_test.moc"
