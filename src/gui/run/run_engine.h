#pragma once
#include <vector>

#include "calc/row_observer.h"
#include "results/invariant_table.h"

namespace calc {
struct RunParameters;
class RunResults;
}  // namespace calc
namespace results { class SpecialPoints; }

namespace gui {

// The calculation as the run bridge drives it. The program's engine is the core's calculation
// object (CalculationEngine); tests drive the bridge with engines of their own.
//
// Threads: prepare() and askStop() run on the GUI thread, which owns the tables; run() runs on the
// bridge's worker thread and touches no table; requestStop() and running() may be called from any
// thread. parameters(), results() and findSpecialPoints() are used only while no run executes.
class RunEngine {
public:
    enum class Outcome { Completed, Stopped, NotStarted };

    virtual ~RunEngine() = default;

    // Posts pending table edits and copies what the run of the current system reads. Throws with
    // the system's message when that cannot be done; the run is then not started.
    virtual void prepare() = 0;
    // The whole run of what prepare() copied. The observer and the engine's dialogs are called on
    // the calling thread. Faults propagate; the rows finished before them stay in the results.
    virtual Outcome run(calc::RowObserver& observer) = 0;
    virtual void requestStop() = 0;
    // "Остановить расчет?" through the engine's dialogs; Yes requests the stop. True for Yes.
    virtual bool askStop() = 0;
    virtual bool running() const = 0;

    virtual const calc::RunParameters& parameters() const = 0;
    virtual const calc::RunResults& results() const = 0;
    // The special point search over the last run's matrix.
    virtual const results::SpecialPoints& findSpecialPoints() = 0;
    // The invariant equilibria of the last run, refined; an engine that cannot refine has none.
    virtual const std::vector<results::Invariant>& findInvariants() {
        static const std::vector<results::Invariant> none;
        return none;
    }
};

}  // namespace gui
