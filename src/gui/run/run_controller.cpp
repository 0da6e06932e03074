#include "gui/run/run_controller.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QEventLoop>
#include <QThread>
#include <QWidget>
#include <utility>

#include "calc/run_parameters.h"
#include "calc/run_results.h"
#include "gui/run/worker_dialogs.h"
#include "gui/windows/tfm_cells.h"
#include "gui/windows/tfm_m_diagram.h"
#include "gui/windows/tfm_invariants.h"
#include "gui/windows/tfm_special_points.h"
#include "gui/windows/tfm_w_diagram.h"
#include "util/errors.h"

namespace gui {

RunController::RunController(util::Dialogs& dialogs, const EngineFactory& makeEngine, Windows windows, Host host,
                             QObject* parent)
    : QObject(parent),
      dialogs_(dialogs),
      workerDialogs_(new WorkerDialogs(dialogs, this)),
      engine_(makeEngine(*workerDialogs_)),
      relay_(new RowRelay(this)),
      windows_(windows),
      host_(std::move(host)) {
    qRegisterMetaType<std::shared_ptr<const RunStartBatch>>();
    qRegisterMetaType<std::shared_ptr<const RowBatch>>();
    connect(relay_, &RowRelay::prepared, this, &RunController::onPrepared, Qt::QueuedConnection);
    connect(relay_, &RowRelay::rowReady, this, &RunController::onRow, Qt::QueuedConnection);
    connect(
        relay_, &RowRelay::statusChanged, this,
        [this](const QString& text) {
            if (host_.setStatusText) host_.setStatusText(text);
        },
        Qt::QueuedConnection);
    if (host_.sbStop) host_.sbStop->setEnabled(false);
}

RunController::~RunController() {
    closing_ = true;
    stopAndWait();
}

void RunController::syncSwitches() {
    relay_->showMosaic = hostShowMosaic();
    relay_->showChart = hostShowChart();
}

void RunController::sbRunClick() {
    if (running()) {
        dialogs_.warning("The calculation is already running");
        return;
    }
    try {
        engine_->prepare();
    } catch (const util::SilentAbort&) {
        return;
    } catch (const std::exception& e) {
        dialogs_.error(e.what());
        return;
    }
    // The captions name the system whose snapshot was just taken.
    designation_ = host_.designation ? host_.designation() : QString();
    syncSwitches();
    invariants_.clear();
    invariantsReady_ = false;
    fault_ = nullptr;
    outcome_ = RunEngine::Outcome::NotStarted;
    if (host_.sbStop) host_.sbStop->setEnabled(true);
    // The diagram reads the results the worker is now rewriting: it waits for the run's end.
    diagramWasEnabled_ = host_.sbDiagram && host_.sbDiagram->isEnabled();
    if (host_.sbDiagram) host_.sbDiagram->setEnabled(false);
    searched_ = nullptr;
    searchFault_ = nullptr;
    worker_ = QThread::create([this] {
        try {
            outcome_ = engine_->run(*relay_);
        } catch (...) {
            fault_ = std::current_exception();
            return;
        }
        // The search of a completed run reads the million cells of a large matrix: it is done
        // here, so the GUI thread only shows its result.
        if (outcome_ != RunEngine::Outcome::Completed) return;
        try {
            searched_ = &engine_->findSpecialPoints();
        } catch (...) {
            searchFault_ = std::current_exception();
        }
    });
    worker_->setObjectName("calculation");
    // Queued: posted behind the last row the worker sent. The serial keeps a late notice of an
    // earlier worker (already handled by stopAndWait) from ending a newer run.
    const int serial = ++runSerial_;
    connect(
        worker_, &QThread::finished, this,
        [this, serial] {
            if (serial == runSerial_) onWorkerFinished();
        },
        Qt::QueuedConnection);
    emit runStarted();
    worker_->start();
}

void RunController::sbStopClick() {
    if (!running()) return;
    engine_->askStop();
}

void RunController::prepareWindow(QWidget* window, bool show) {
    if (!window) return;
    window->hide();
    if (!show) return;
    window->show();
    if (host_.mainWindow) {
        host_.mainWindow->raise();
        host_.mainWindow->activateWindow();
    }
}

void RunController::onPrepared(const std::shared_ptr<const RunStartBatch>& start) {
    if (!worker_) return;
    syncSwitches();
    const calc::RunParameters& p = start->parameters;
    prepareWindow(windows_.chart, hostShowChart());
    prepareWindow(windows_.mosaic, hostShowMosaic());
    if (windows_.mosaic) windows_.mosaic->setWindowTitle(designation_);
    if (windows_.cells) windows_.cells->setWindowTitle(designation_);
    if (host_.setDiagramCaption) host_.setDiagramCaption(designation_);
    if (windows_.chart) {
        windows_.chart->resetChart(start->solutionPhases);
        windows_.chart->setBottomAxisIncrement(p.BottomAxisIncrement);
        windows_.chart->addConvexSeries();
    }
    if (windows_.mosaic) windows_.mosaic->resetMosaic({p.XMin, p.XMax, p.YMin, p.YMax, p.YStep});
}

void RunController::onRow(const std::shared_ptr<const RowBatch>& row) {
    syncSwitches();
    if (row->hasMosaic && windows_.mosaic && hostShowMosaic()) {
        TfmMDiagram& mosaic = *windows_.mosaic;
        const int pixelRow = mosaic.pixelRow(row->rowIndex);
        for (double x : row->pointPhaseX) mosaic.drawPointPhase(x, pixelRow);
        for (const calc::RowFrame::Segment& segment : row->segments) {
            const QColor colour = host_.mosaicColor ? host_.mosaicColor() : QColor(0xC0, 0xDC, 0xC0);
            mosaic.drawSegment(segment.x1, segment.x2, pixelRow, colour);
        }
    }
    if (row->hasChart && windows_.chart && hostShowChart()) {
        std::vector<TfmWDiagram::Curve> curves(row->curveX.size());
        for (size_t i = 0; i < curves.size(); ++i) curves[i] = {row->curveX[i], row->curveG[i]};
        windows_.chart->showRow(curves, row->hullX, row->hullG);
    }
}

void RunController::onWorkerFinished() {
    if (!worker_) return;
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    if (host_.sbStop) host_.sbStop->setEnabled(false);
    if (windows_.chart) windows_.chart->flush();
    const bool completed = !fault_ && outcome_ == RunEngine::Outcome::Completed;
    if (closing_) return;

    if (fault_) {
        // The run ended at a fault the calculation does not handle itself: show it and go on with
        // the rows finished before it.
        try {
            std::rethrow_exception(fault_);
        } catch (const util::SilentAbort&) {
        } catch (const std::exception& e) {
            dialogs_.error(e.what());
        } catch (...) {
            dialogs_.error("Unknown error");
        }
        fault_ = nullptr;
        if (host_.sbDiagram) host_.sbDiagram->setEnabled(diagramWasEnabled_);
    } else if (outcome_ == RunEngine::Outcome::NotStarted) {
        if (host_.sbDiagram) host_.sbDiagram->setEnabled(diagramWasEnabled_);
    } else {
        if (host_.sbDiagram) host_.sbDiagram->setEnabled(true);
        if (completed) completeRun();
    }
    emit runFinished(completed);
}

void RunController::completeRun() {
    try {
        if (searchFault_) std::rethrow_exception(std::exchange(searchFault_, nullptr));
        if (host_.diagramCommand)
            host_.diagramCommand();
        else
            findSpecialPoints();
        if (windows_.specPoints && windows_.specPoints->isVisible()) sbSpecialPointsClick();
        if (windows_.invariants && windows_.invariants->isVisible()) sbInvariantsClick();
    } catch (const util::SilentAbort&) {
    } catch (const std::exception& e) {
        dialogs_.error(e.what());
    }
}

const results::SpecialPoints& RunController::findSpecialPoints() {
    // While a worker runs, the calculation's own list is being cleared and rewritten.
    if (running()) return lastFound_;
    // The search the worker made at the end of the run serves the first request after it.
    const results::SpecialPoints& found =
        searched_ ? *std::exchange(searched_, nullptr) : engine_->findSpecialPoints();
    lastFound_ = found;
    nodes_ = found.nodes();
    yParameter_ = engine_->parameters().YParameter;
    if (windows_.specPoints) windows_.specPoints->showOtherPoints(found.otherPoints());
    return found;
}

void RunController::sbGridClick() {
    if (!windows_.cells) return;
    if (running()) {
        windows_.cells->show();
        windows_.cells->raise();
        return;
    }
    windows_.cells->showMatrix(&engine_->results().matrix);
}

void RunController::sbSpecialPointsClick() {
    if (!windows_.specPoints) return;
    const int yIndex = host_.yParameterIndex ? host_.yParameterIndex() : yParameter_;
    windows_.specPoints->fillNodes(nodes_, yIndex, results::NodeYFormat::Fixed, host_.decimalSeparator);
}

const std::vector<results::Invariant>& RunController::invariants() {
    static const std::vector<results::Invariant> none;
    if (running()) return none;
    if (!invariantsReady_) {
        invariants_ = engine_->findInvariants();
        invariantsReady_ = true;
    }
    return invariants_;
}

void RunController::sbInvariantsClick() {
    if (!windows_.invariants) return;
    if (!running()) {
        const int yIndex = host_.yParameterIndex ? host_.yParameterIndex() : engine_->parameters().YParameter;
        windows_.invariants->setTable(invariants(), yIndex, host_.decimalSeparator);
    }
    windows_.invariants->show();
    windows_.invariants->raise();
}

void RunController::stopAndWait() {
    if (!worker_) return;
    const bool wasClosing = closing_;
    closing_ = true;
    workerDialogs_->setSilent(true);
    engine_->requestStop();
    {
        QEventLoop loop;
        connect(worker_, &QThread::finished, &loop, &QEventLoop::quit);
        if (!worker_->isFinished()) loop.exec();
    }
    onWorkerFinished();
    workerDialogs_->setSilent(false);
    closing_ = wasClosing;
}

void RunController::watchForClose(QWidget* mainWindow) {
    if (mainWindow) mainWindow->installEventFilter(this);
}

bool RunController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && watched->isWidgetType() && running()) {
        closing_ = true;
        stopAndWait();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace gui
