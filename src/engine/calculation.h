#pragma once
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/grid_run.h"
#include "calc/row_observer.h"
#include "calc/run_parameters.h"
#include "calc/run_results.h"
#include "calc/system_record.h"
#include "functions/memory_source.h"
#include "functions/phase_functions.h"
#include "results/special_points.h"
#include "util/dialogs.h"

namespace db {
class TDM;
}

namespace engine {

// Everything one run reads of the database, copied out of the tables: the system record and the
// system's phases, Gibbs-energy records and the element (stability) data they refer to. Never
// changed once taken, so it may be handed to another thread.
struct RunSnapshot {
    calc::SystemRecord system;
    functions::MemorySource phases;
};

// The calculation of one system's phase diagram, for every front end (ravo-cli, the desktop
// program, tests, benchmarks). Owns the phase functions, the grid run, the results and the special
// points of the last run.
//
// Threading contract:
// - takeSnapshot() reads the tables and must be called on the thread that owns them; it moves no
//   cursor and fires no table event. Post pending edits (TDM::PostPendingEdits) before it.
// - run() may execute on any one thread (a worker); it touches no table. The observer and the
//   dialogs are called on that thread, during run().
// - requestStop() and running() may be called from any thread at any time.
// - Everything else (the accessors, findSpecialPoints(), gibbsEnergy(), setGridOverride()) is
//   called only while no run executes: before the first run or after run() returned. A front end
//   that runs on a worker reads the results after the worker has finished.
//
// A second run() while one executes is refused with the warning "The calculation is already
// running" and changes nothing.
class Calculation {
public:
    using Outcome = calc::GridRun::Outcome;

    Calculation(util::Dialogs& dialogs, char decimalSeparator);
    ~Calculation();
    Calculation(const Calculation&) = delete;
    Calculation& operator=(const Calculation&) = delete;

    // Copies what a run of the current system of tdm reads.
    static std::shared_ptr<const RunSnapshot> takeSnapshot(const db::TDM& tdm);

    // Grid sizes that replace the system's Xpoints / Ypoints in every later run (nullopt: the
    // system's own). Values below 1 are the caller's to refuse.
    void setGridOverride(std::optional<int> xpoints, std::optional<int> ypoints);

    // Clears the special points of the previous run, assembles the phase functions from the
    // snapshot (with the assembly's messages), and runs the grid, reporting each row to the
    // observer. The results stay for the views however the run ends (a stopped run keeps the rows
    // computed so far). Faults of the evaluators propagate to the caller.
    Outcome run(std::shared_ptr<const RunSnapshot> snapshot, calc::RowObserver& observer);
    Outcome run(std::shared_ptr<const RunSnapshot> snapshot);

    void requestStop() { grid_.requestStop(); }
    // The stop button: "Остановить расчет?" (Yes/No) through the dialogs; Yes requests the stop.
    bool askStop() { return grid_.askStop(dialogs_); }
    bool running() const { return grid_.running(); }

    // The last run's snapshot (null before the first run), parameters and results.
    const RunSnapshot* snapshot() const { return snapshot_.get(); }
    const calc::RunParameters& parameters() const { return grid_.parameters(); }
    const calc::RunResults& results() const { return grid_.results(); }
    // The grid compositions (matrix column c + 1) and their header texts.
    const std::vector<double>& compositions() const { return grid_.compositions(); }
    const std::vector<std::string>& compositionTexts() const { return grid_.compositionTexts(); }
    // "Temperature = 1234.5", as the status line shows a row's Y.
    std::string statusText(double y) const { return grid_.statusText(y); }

    // The phase functions of the last run: SolutionList and PointPhaseList name the phases.
    const functions::PhaseFunctions& phaseFunctions() const { return functions_; }
    // G of a phase of the last run at composition x and temperature T, evaluated as the run does
    // (pressure and Y as the last row left them; 1e30 outside a solution phase's composition
    // window). A point phase is evaluated at its own composition and x is ignored. nullopt for a
    // name that is no phase of the last run or a temperature no piece covers. Evaluation faults
    // of a solution phase are shown through the dialogs as in a run, those of a point phase thrown.
    std::optional<double> gibbsEnergy(std::string_view phase, double x, double T);

    // The special point search on the last run's matrix (the diagram command); the result stays
    // until the next search or the next run. A header text that is not a number throws util::Error.
    const results::SpecialPoints& findSpecialPoints();
    const results::SpecialPoints& specialPoints() const { return specialPoints_; }

private:
    util::Dialogs& dialogs_;
    char separator_;
    std::optional<int> xpoints_;
    std::optional<int> ypoints_;
    calc::GridRun grid_;
    functions::MemorySource source_;
    functions::PhaseFunctions functions_;
    std::shared_ptr<const RunSnapshot> snapshot_;
    results::SpecialPoints specialPoints_;
};

}  // namespace engine
