#include "gui/program_windows.h"

#include "db/tdm.h"
#include "db/terminate_request.h"
#include "gui/dialogs/error_handler.h"
#include "gui/run/calculation_engine.h"
#include "gui/run/run_controller.h"
#include "gui/windows/tfm_about.h"
#include "gui/windows/diagram_command.h"
#include "gui/windows/tfm_cells.h"
#include "gui/windows/tfm_diagram2.h"
#include "gui/windows/tfm_experiment.h"
#include "gui/windows/tfm_invariants.h"
#include "gui/windows/tfm_m_diagram.h"
#include "gui/windows/tfm_main.h"
#include "gui/windows/tfm_special_points.h"
#include "gui/windows/tfm_stability.h"
#include "gui/windows/tfm_w_diagram.h"

#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QPushButton>

namespace gui {

ProgramWindows::ProgramWindows(util::Dialogs& dialogs, char decimalSeparator, std::string programDirectory)
    : dialogs_(dialogs), separator_(decimalSeparator), programDirectory_(std::move(programDirectory)) {
    tdm_ = std::make_unique<db::TDM>(dialogs_);
    main_ = std::make_unique<TfmMain>(*tdm_, dialogs_, separator_, programDirectory_);
}

// Windows are destroyed before the data module whose tables they observe.
ProgramWindows::~ProgramWindows() {
    run_.reset();
    experiment_.reset();
    invariants_.reset();
    cells_.reset();
    specPoints_.reset();
    diagram_.reset();  // writes "Chart.cfg" and "fntLabel.cfg"
    workingChart_.reset();
    mosaic_.reset();
    about_.reset();
    stability_.reset();
    main_.reset();
    tdm_.reset();
}

bool ProgramWindows::start() {
    try {
        tdm_->Start(programDirectory_);
    } catch (const db::TerminateRequest&) {
        return false;
    }
    main_->databaseOpened();

    // The other windows, hidden, in the program's order.
    stability_ = std::make_unique<TfmStability>(*tdm_, dialogs_, separator_, programDirectory_);
    stability_->busy = [this] { return main_->busy && main_->busy(); };
    main_->setStabilityWindow(stability_.get());
    about_ = std::make_unique<TfmAbout>(main_.get());
    main_->setAboutBox(about_.get());

    mosaic_ = std::make_unique<TfmMDiagram>();
    workingChart_ = std::make_unique<TfmWDiagram>();
    // The chart's settings files live in the current directory.
    diagram_ = std::make_unique<TfmDiagram2>(dialogs_, separator_, QDir::currentPath());
    specPoints_ = std::make_unique<TfmSpecPoints>();
    cells_ = std::make_unique<TfmCells>();
    invariants_ = std::make_unique<TfmInvariants>();
    startRunBridge();

    experiment_ = std::make_unique<TfmExperiment>(*tdm_, dialogs_, separator_);
    main_->setExperimentWindow(experiment_.get());
    return true;
}

void ProgramWindows::attachDiagram(TfmDiagram2& diagram) {
    RunController* run = run_.get();
    QObject::connect(&diagram, &TfmDiagram2::invariantsRequested, run, &RunController::sbInvariantsClick);
    diagram.setInvariantSource([run]() -> const std::vector<results::Invariant>& { return run->invariants(); });
}

void ProgramWindows::startRunBridge() {
    TfmMain& main = *main_;
    auto* chbMosaic = main.findChild<QCheckBox*>("chbMosaic");
    auto* chbChart = main.findChild<QCheckBox*>("chbChart");
    RunController::Host host;
    host.mainWindow = &main;
    host.sbStop = main.sbStop();
    host.sbDiagram = main.sbDiagram();
    host.showMosaic = [chbMosaic] { return chbMosaic && chbMosaic->isChecked(); };
    host.showChart = [chbChart] { return chbChart && chbChart->isChecked(); };
    host.mosaicColor = [&main] { return main.mosaicColor(); };
    host.setStatusText = [&main](const QString& text) { main.setStatusText(text); };
    host.designation = [this]() -> QString {
        const auto& systems = tdm_->tblSystems;
        if (!systems.active() || systems.recordCount() == 0) return {};
        return QString::fromStdString(systems.asString("System_designation"));
    };
    host.yParameterIndex = [&main] { return main.dbcbY()->currentIndex(); };
    host.decimalSeparator = separator_;

    // The diagram command: at the end of a completed run and from "Диаграмма". The nodes it drew
    // are the ones the diagram window's "Особые точки" lists.
    auto diagramNodes = std::make_shared<std::vector<results::TNode>>();
    host.setDiagramCaption = [this](const QString& caption) { diagram_->setWindowTitle(caption); };
    host.diagramCommand = [this, diagramNodes] {
        if (run_->running()) return;
        DiagramRequest request;
        request.results = &run_->engine().results();
        request.parameters = &run_->engine().parameters();
        const results::SpecialPoints& found = run_->findSpecialPoints();
        *diagramNodes = found.nodes();
        request.special = &found;
        request.experiment = results::experimentPoints(tdm_->tblExperiment);
        request.running = [this] { return run_->running(); };
        request.decimalSeparator = separator_;
        sbDiagramClick(*diagram_, std::move(request));
    };
    QObject::connect(&main, &TfmMain::diagramRequested, diagram_.get(), host.diagramCommand);
    QObject::connect(diagram_.get(), &TfmDiagram2::specialPointsRequested, specPoints_.get(),
                     [this, diagramNodes, &main] {
                         specPoints_->fillNodes(*diagramNodes, main.dbcbY()->currentIndex(),
                                                results::NodeYFormat::SmallScientific, separator_);
                     });
    run_ = std::make_unique<RunController>(
        dialogs_,
        [this](util::Dialogs& workerDialogs) {
            return std::make_unique<CalculationEngine>(*tdm_, workerDialogs, separator_);
        },
        RunController::Windows{mosaic_.get(), workingChart_.get(), cells_.get(), specPoints_.get(), invariants_.get()},
        host);
    run_->watchForClose(&main);
    main.busy = [this] { return run_->running(); };
    QObject::connect(&main, &TfmMain::runRequested, run_.get(), &RunController::sbRunClick);
    QObject::connect(&main, &TfmMain::stopRequested, run_.get(), &RunController::sbStopClick);
    QObject::connect(&main, &TfmMain::matrixRequested, run_.get(), &RunController::sbGridClick);
    QObject::connect(&main, &TfmMain::specialPointsRequested, run_.get(), &RunController::sbSpecialPointsClick);
    QObject::connect(&main, &TfmMain::invariantsRequested, run_.get(), &RunController::sbInvariantsClick);
    attachDiagram(*diagram_);
}

}  // namespace gui
