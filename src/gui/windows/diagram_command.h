#pragma once
#include <functional>
#include <vector>

#include "calc/run_parameters.h"
#include "calc/run_results.h"
#include "results/diagram_content.h"
#include "results/special_points.h"
#include "util/dialogs.h"

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
    util::Dialogs* dialogs = nullptr;              // ParseNumber's message for a bad header text
    char decimalSeparator = ',';
};

// The diagram command (sbDiagramClick): builds the chart's content (title, foot, boundary points,
// special points, node lines, measured points last) and shows it in the window, with region labels
// read from the run's matrix.
void sbDiagramClick(TfmDiagram2& window, DiagramRequest request);

}  // namespace gui
