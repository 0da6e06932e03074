#include "gui/program_windows.h"

#include "db/tdm.h"
#include "db/terminate_request.h"
#include "gui/dialogs/error_handler.h"
#include "gui/windows/tfm_about.h"
#include "gui/windows/tfm_experiment.h"
#include "gui/windows/tfm_main.h"
#include "gui/windows/tfm_stability.h"

namespace gui {

ProgramWindows::ProgramWindows(util::Dialogs& dialogs, char decimalSeparator, std::string programDirectory)
    : dialogs_(dialogs), separator_(decimalSeparator), programDirectory_(std::move(programDirectory)) {
    tdm_ = std::make_unique<db::TDM>(dialogs_);
    main_ = std::make_unique<TfmMain>(*tdm_, dialogs_, separator_, programDirectory_);
}

// Windows are destroyed before the data module whose tables they observe.
ProgramWindows::~ProgramWindows() {
    experiment_.reset();
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

    // >>> The mosaic window (TfmMDiagram) is created here.
    // >>> The working chart window (TfmWDiagram) is created here.
    // >>> The diagram window (TfmDiagram2) is created here.
    // >>> The special points window (TfmSpecPoints) is created here.
    // >>> The matrix window (TfmCells) is created here.

    experiment_ = std::make_unique<TfmExperiment>(*tdm_, dialogs_, separator_);
    main_->setExperimentWindow(experiment_.get());
    return true;
}

}  // namespace gui
