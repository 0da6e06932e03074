#pragma once
#include <functional>
#include <vector>

#include "calc/run_parameters.h"
#include "calc/run_results.h"
#include "results/diagram_content.h"
#include "results/special_points.h"
#include "util/dialogs.h"

namespace db { class TDM; }
namespace engine { class Calculation; }

namespace gui {

class TfmDiagram2;

// What the diagram command reads: the last run's results and parameters, the special points the
// search found in its matrix, and the current system's measured points.
struct DiagramRequest {
    const calc::RunResults* results = nullptr;     // nullptr before any run
    const calc::RunParameters* parameters = nullptr;
    const results::SpecialPoints* special = nullptr;
    std::vector<results::ExperimentPoint> experiment;
    // True while a new run writes the results; region labels are then placed from nothing, since
    // the matrix is being rewritten on the run's thread. Empty: never running.
    std::function<bool()> running;
    char decimalSeparator = ',';
};

// The diagram command (sbDiagramClick): builds the chart's content (title, foot, boundary points,
// special points, node lines, measured points last) and shows it in the window, with region labels
// read from the run's matrix.
void sbDiagramClick(TfmDiagram2& window, DiagramRequest request);

// The same for the program's calculation object: runs the special point search on the last run's
// matrix and takes the measured points of the current system of tdm. Call it on the GUI thread
// while no run executes (at the end of a run, or from the "Диаграмма" button, which is disabled
// during a run). A header text that is no number stops with util::Error before anything changes.
void sbDiagramClick(TfmDiagram2& window, engine::Calculation& calculation, const db::TDM& tdm,
                    char decimalSeparator);

}  // namespace gui
