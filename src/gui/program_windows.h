#pragma once
#include <memory>
#include <string>

namespace db { class TDM; }
namespace util { class Dialogs; }

namespace gui {

class RunController;
class TfmAbout;
class TfmCells;
class TfmDiagram2;
class TfmExperiment;
class TfmInvariants;
class TfmMDiagram;
class TfmMain;
class TfmSpecPoints;
class TfmStability;
class TfmWDiagram;

// The data module and every window of the program, created at start in the program's order and
// kept until it ends: the main window first (it fixes the database directory and the lock), then
// the data module opens the tables, then the other windows are created hidden. Used by the
// program's start and by the tests, which pass their own dialogs.
class ProgramWindows {
public:
    ProgramWindows(util::Dialogs& dialogs, char decimalSeparator, std::string programDirectory);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // Opens the six tables of the database directory (the program's directory) and creates the
    // other windows. False when the database could not be opened ("Can not open database files"
    // has been shown): the program ends.
    bool start();

    db::TDM& tdm() const { return *tdm_; }
    TfmMain& main() const { return *main_; }
    TfmStability& stability() const { return *stability_; }
    TfmAbout& about() const { return *about_; }
    TfmExperiment& experiment() const { return *experiment_; }
    // The phase diagram window; null until start() succeeded.
    TfmDiagram2* diagram() const { return diagram_.get(); }
    TfmMDiagram& mosaic() const { return *mosaic_; }
    TfmWDiagram& workingChart() const { return *workingChart_; }
    TfmSpecPoints& specPoints() const { return *specPoints_; }
    TfmCells& cells() const { return *cells_; }
    TfmInvariants& invariants() const { return *invariants_; }
    // The calculation's bridge to the windows (Расчет, СТОП, Матрица, Особые точки).
    RunController& run() const { return *run_; }

    // Wires the diagram window's "Нонвариантные равновесия" button to the invariants window and its
    // "Уточнить ноды" box to the refined invariants of the last run. Call it after start(); the
    // diagram window is not to be used once this object is gone.
    void attachDiagram(TfmDiagram2& diagram);

private:
    // The run bridge over the windows of the run, wired to the main window's commands.
    void startRunBridge();

    util::Dialogs& dialogs_;
    char separator_;
    std::string programDirectory_;
    std::unique_ptr<db::TDM> tdm_;
    std::unique_ptr<TfmMain> main_;
    std::unique_ptr<TfmStability> stability_;
    std::unique_ptr<TfmAbout> about_;
    std::unique_ptr<TfmMDiagram> mosaic_;
    std::unique_ptr<TfmWDiagram> workingChart_;
    std::unique_ptr<TfmDiagram2> diagram_;
    std::unique_ptr<TfmSpecPoints> specPoints_;
    std::unique_ptr<TfmCells> cells_;
    std::unique_ptr<TfmInvariants> invariants_;
    std::unique_ptr<TfmExperiment> experiment_;
    // Destroyed first: a run still working is stopped before any window or table goes.
    std::unique_ptr<RunController> run_;
};

}  // namespace gui
