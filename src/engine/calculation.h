#pragma once
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "calc/row_observer.h"
#include "calc/run_parameters.h"
#include "calc/run_results.h"
#include "calc/system_record.h"
#include "util/dialogs.h"

namespace db { class TDM; }
namespace results { class SpecialPoints; }


namespace engine {

// Everything one run reads of the database, copied out of the tables: the system record and the
// system's phases, Gibbs-energy records and the element (stability) data they refer to.
struct RunSnapshot;  // defined by the implementation

// The calculation of one system's phase diagram, for every front end (ravo-cli, the desktop
// program, tests, benchmarks). Owns the phase functions, the grid run, the results and the special
// points of the last run.
//
// Threading contract:
// - takeSnapshot() reads the tables and must be called on the thread that owns them; it moves no
//   cursor and fires no table event.
// - run() may execute on any one thread (a worker); it touches no table. The observer and the
//   dialogs are called on that thread.
// - requestStop(), running() may be called from any thread at any time.
// - results(), compositions(), specialPoints(), parameters() are read only while no run executes
//   (after run() returned, or before the first one).
class Calculation {
public:
    enum class Outcome { Completed, Stopped, NotStarted };

    Calculation(util::Dialogs& dialogs, char decimalSeparator);
    ~Calculation();

    // Copies what a run of the given system reads (the current system of tdm when key is empty).
    static std::shared_ptr<const RunSnapshot> takeSnapshot(const db::TDM& tdm /*, system key */);

    // Clears the special points, assembles the phase functions from the snapshot (assembly messages
    // unchanged), runs the grid and, when it completed, leaves the results for the views. Grid
    // overrides (xpoints / ypoints of ravo-cli) are applied to the snapshot's system record beforehand.
    Outcome run(std::shared_ptr<const RunSnapshot> snapshot, calc::RowObserver& observer);

    void requestStop();                  // atomic; seen before the next row
    bool askStop();                      // "Остановить расчет?" through the dialogs; Yes requests the stop
    bool running() const;                // atomic

    const calc::RunParameters& parameters() const;
    const calc::RunResults& results() const;
    const std::vector<double>& compositions() const;
    // The special point search on the last run's matrix, filled when asked (the diagram command).
    const results::SpecialPoints& findSpecialPoints();
};

}  // namespace engine
