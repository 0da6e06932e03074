#pragma once
#include <memory>
#include <string>

namespace db { class TDM; }
namespace util { class Dialogs; }

namespace gui {

class TfmAbout;
class TfmExperiment;
class TfmMain;
class TfmStability;

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

private:
    util::Dialogs& dialogs_;
    char separator_;
    std::string programDirectory_;
    std::unique_ptr<db::TDM> tdm_;
    std::unique_ptr<TfmMain> main_;
    std::unique_ptr<TfmStability> stability_;
    std::unique_ptr<TfmAbout> about_;
    // ---- windows of the run and its results, created by their own code (see start()) ----
    // TfmMDiagram, TfmWDiagram, TfmDiagram2, TfmSpecPoints, TfmCells
    std::unique_ptr<TfmExperiment> experiment_;
};

}  // namespace gui
