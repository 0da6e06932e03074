#pragma once
#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "gui/run/row_relay.h"
#include "gui/run/run_engine.h"
#include "results/special_points.h"

class QAbstractButton;
class QThread;
class QWidget;

namespace util { class Dialogs; }

namespace gui {

class TfmCells;
class TfmInvariants;
class TfmMDiagram;
class TfmSpecPoints;
class TfmWDiagram;
class WorkerDialogs;

// The bridge between the calculation and the windows: starts a run ("Расчет (F9)"), stops it
// ("СТОП"), feeds the live displays while it works and finishes it (the diagram command, the
// special points).
//
// Threading contract
// - The controller, its windows, the tables and the GUI dialogs belong to the GUI thread; every
//   public method is called there.
// - sbRunClick() posts pending edits and copies what the run reads (RunEngine::prepare) on the GUI
//   thread, then runs the calculation on one worker thread (a QThread owned by the controller).
// - The worker touches no widget and no table. What it reports crosses to the GUI thread as plain
//   data through queued signals of RowRelay: one RunStartBatch before the first row, one RowBatch
//   per row, the status text every tenth row. They arrive in order, and the worker's end is posted
//   after the last of them.
// - A message the run raises (an evaluation fault, a warning) is shown by the GUI dialogs on the
//   GUI thread while the worker waits for the box to be closed (WorkerDialogs).
// - The stop request is an atomic flag of the calculation, seen before the next row. The display
//   switches are atomics the worker reads once per row; MosaicColor and the check boxes are read
//   again on the GUI thread at every drawing step.
// - After a completed run the worker also makes the special point search, so the GUI thread does
//   not stall on a large matrix; the result is taken over when the worker's end is handled.
// - The results, the parameters and the special points of the calculation are read only while no
//   worker runs; until the worker's end has been handled here, running() is true.
// - Closing the main window during a run (watchForClose) or destroying the controller requests the
//   stop, keeps serving the event loop until the worker has ended (nothing more is shown), and only
//   then lets the window close.
class RunController : public QObject {
    Q_OBJECT
public:
    struct Windows {
        TfmMDiagram* mosaic = nullptr;
        TfmWDiagram* chart = nullptr;
        TfmCells* cells = nullptr;
        TfmSpecPoints* specPoints = nullptr;
        TfmInvariants* invariants = nullptr;
    };

    // What the controller needs of the main window; every function is called on the GUI thread.
    struct Host {
        QWidget* mainWindow = nullptr;      // brought back to the front after a display is shown
        QAbstractButton* sbStop = nullptr;  // enabled while a run works
        QAbstractButton* sbDiagram = nullptr;  // disabled while a run works; enabled when it completes or is stopped
        std::function<bool()> showMosaic;   // "Мозаичная диаграмма"
        std::function<bool()> showChart;    // "Рабочая диаграмма"
        std::function<QColor()> mosaicColor;
        std::function<void(const QString&)> setStatusText;
        std::function<QString()> designation;  // the current system's designation: window captions
        std::function<int()> yParameterIndex;  // the Y selector's item index (node grid heading)
        std::function<void(const QString&)> setDiagramCaption;
        // The diagram command run when a run completes; it is expected to call findSpecialPoints().
        // Without it the special point search alone runs.
        std::function<void()> diagramCommand;
        char decimalSeparator = '.';
    };

    // Makes the engine, handing it the dialogs it may use from the worker thread.
    using EngineFactory = std::function<std::unique_ptr<RunEngine>(util::Dialogs& workerDialogs)>;

    RunController(util::Dialogs& dialogs, const EngineFactory& makeEngine, Windows windows, Host host,
                  QObject* parent = nullptr);
    ~RunController() override;

    // "Расчет (F9)": refused with a warning while a run is in progress.
    void sbRunClick();
    // "СТОП": asks "Остановить расчет?"; Yes stops the run before its next row.
    void sbStopClick();
    // "Матрица": the matrix of the last finished run (during a run the view keeps its last copy).
    void sbGridClick();
    // "Особые точки" of the main window: the nodes of the last search, Y as "0.###".
    void sbSpecialPointsClick();

    // The special point search over the last run's matrix; its other points go to the special
    // points window's list at once. The first call after a completed run takes the search the
    // worker made right after the rows; during a run it gives the last search's result again.
    const results::SpecialPoints& findSpecialPoints();

    // "Нонвариантные равновесия": fills the invariants window with the refined invariants of the
    // last run and shows it; during a run it shows the table it holds. An open invariants window
    // is refilled when a run completes.
    void sbInvariantsClick();
    // The refined invariants of the last run: refined once per run, on first request, and empty
    // while a run works (its results are being rewritten) or before the first run.
    const std::vector<results::Invariant>& invariants();

    bool running() const { return worker_ != nullptr; }
    // Stops a run in progress and waits for its worker while serving events; shows nothing more.
    void stopAndWait();
    // Closing this window during a run stops the run first.
    void watchForClose(QWidget* mainWindow);

    RunEngine& engine() { return *engine_; }
    const RunEngine& engine() const { return *engine_; }
    RowRelay& relay() { return *relay_; }

signals:
    void runStarted();
    // After the worker's end has been handled (buttons set, diagram command run).
    void runFinished(bool completed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onPrepared(const std::shared_ptr<const RunStartBatch>& start);
    void onRow(const std::shared_ptr<const RowBatch>& row);
    void onWorkerFinished();
    void syncSwitches();
    void prepareWindow(QWidget* window, bool show);
    void completeRun();
    bool hostShowMosaic() const { return host_.showMosaic && host_.showMosaic(); }
    bool hostShowChart() const { return host_.showChart && host_.showChart(); }

    util::Dialogs& dialogs_;
    WorkerDialogs* workerDialogs_;
    std::unique_ptr<RunEngine> engine_;
    RowRelay* relay_;
    Windows windows_;
    Host host_;
    QThread* worker_ = nullptr;
    int runSerial_ = 0;
    RunEngine::Outcome outcome_ = RunEngine::Outcome::NotStarted;
    std::exception_ptr fault_;
    QString designation_;  // of the system being run
    bool closing_ = false;
    // The special point search made by the worker after a completed run, until first used.
    const results::SpecialPoints* searched_ = nullptr;
    results::SpecialPoints lastFound_;  // a copy, readable while the worker runs
    bool diagramWasEnabled_ = false;
    std::exception_ptr searchFault_;
    std::vector<results::TNode> nodes_;  // of the last search, for the main window's "Особые точки"
    std::vector<results::Invariant> invariants_;  // of the last run, when invariantsReady_
    bool invariantsReady_ = false;
    int yParameter_ = 0;
};

}  // namespace gui
