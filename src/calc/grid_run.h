#pragma once
#include <atomic>
#include <string>
#include <vector>

#include "calc/phase_source.h"
#include "calc/row_analysis.h"
#include "calc/row_observer.h"
#include "calc/run_parameters.h"
#include "calc/run_results.h"
#include "calc/system_record.h"
#include "util/dialogs.h"

namespace calc {

// The calculation of a phase diagram on a grid: reads the run parameters of the system, assembles
// its phases, builds the composition grid (point-phase compositions inserted between their grid
// neighbours), and computes the Y rows from YMax down to YMin, one row analysis each. The run
// reports every row to its observer (on the run's thread); a stop requested meanwhile, from any
// thread, ends it before the next row, keeping the rows computed so far.
//
// Decisions beyond the plain scheme:
// - the finished matrix keeps every computed row, YMin included (rowCount = rows + 1), and so does
//   a stopped one;
// - XMax <= XMin is refused before any work, YMax < YMin after the phases are assembled (so a
//   fault in them is reported too) and before any row; YMax = YMin computes one row;
// - a stop request left from an earlier run is cleared when a run starts;
// - a run started while one is in progress (from an observer call or another thread) is refused
//   with a warning;
// - a step that lands within 1e-11 of YMin computes that row at YMin exactly, and a Y step too
//   small to change YCurrent ends the walk at YMin instead of looping.
// Faults from the evaluators propagate to the caller; the rows finished before stay.
class GridRun {
public:
    enum class Outcome { Completed, Stopped, NotStarted };

    explicit GridRun(char decimalSeparator = '.') : separator_(decimalSeparator) {}

    Outcome run(const SystemRecord& system, PhaseSource& phases, RowObserver& observer, util::Dialogs& dialogs);
    // Seen at the start of the next row. Any thread.
    void requestStop() { stopRequested_ = true; }
    // The stop button: asks "Остановить расчет?" (Yes/No); Yes requests the stop. True for Yes.
    bool askStop(util::Dialogs& dialogs);
    // Any thread.
    bool running() const { return running_; }

    // The parameters are also the values the evaluators read: bind them before the run.
    RunParameters& parameters() { return params_; }
    const RunParameters& parameters() const { return params_; }
    const RunResults& results() const { return results_; }
    // The grid compositions of the last run and their header texts (matrix column c + 1).
    const std::vector<double>& compositions() const { return compositions_; }
    const std::vector<std::string>& compositionTexts() const { return compositionTexts_; }

    // "Temperature = 1234.5": the status text of a row ("0.####", or "0.#### e-00" for |Y| <= 1e-4).
    std::string statusText(double y) const;

private:
    void buildGrid(const std::vector<PointPhaseEntry>& pointPhases);
    void addComposition(double x);
    void reportRow(RowObserver& observer, bool chart, bool mosaic);
    void closeMatrix();

    char separator_;
    std::atomic<bool> running_ = false;
    std::atomic<bool> stopRequested_ = false;
    RunParameters params_;
    RunResults results_;
    RowAnalysis analysis_;
    std::vector<double> compositions_;
    std::vector<std::string> compositionTexts_;
    std::vector<std::vector<double>> gs_;
    std::vector<double> pointG_;
    std::vector<RowFrame::Curve> curves_;
    std::vector<RowFrame::Segment> segments_;
};

}  // namespace calc
