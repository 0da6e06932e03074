#pragma once
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "calc/points.h"
#include "results/special_points.h"

namespace store { class Table; }

namespace results {

// What the phase diagram chart shows after the diagram command, decided without a window: the
// title and foot texts and the series in the chart's index order. The plotting code only draws it.
enum class DiagramSeriesKind { Boundaries, SpecialPoints, NodeLine, Experiment };

struct DiagramSeries {
    DiagramSeriesKind kind = DiagramSeriesKind::Boundaries;
    std::string title;
    std::vector<double> x;  // in the order the points were added (not sorted)
    std::vector<double> y;
};

struct DiagramContent {
    std::string title;  // one line: the Y axis caption
    std::string foot;   // the x axis caption
    // 0 "Границы фаз", 1 "Особые точки", one "Нода при …K" line per node, and last the
    // experimental points when the system has any.
    std::vector<DiagramSeries> series;
    // The calculated grid (XMin..XMax, YMin..YMax); automatic axis ranges take it in besides the
    // points, so the single-phase fields at the edges stay visible and can be labelled. Empty
    // (min > max) before any run.
    double gridXMin = 1, gridXMax = 0;
    double gridYMin = 1, gridYMax = 0;
};

struct ExperimentPoint {
    double x = 0;
    double y = 0;
};

// The inputs of the diagram command.
struct DiagramInputs {
    std::span<const calc::TZPoint> boundaries;  // the run's boundary points, entries 0 ... BoundaryLast
    const SpecialPoints* special = nullptr;     // the special point search on the run's matrix
    std::vector<ExperimentPoint> experiment;    // the current system's measured points, table order
    std::string xCaption;                       // "#XCAP=" directive, "" when absent
    std::string yCaption;                       // "#YCAP=" directive, "" when absent
    int yParameterIndex = -1;                   // item index of the Y selector (calc::YMeaning)
    std::string defaultFoot;                    // the chart's foot as its settings or editor left it
    double gridXMin = 1, gridXMax = 0;          // the run's grid; min > max when there was no run
    double gridYMin = 1, gridYMax = 0;
    char decimalSeparator = ',';                // for the node line titles
};

DiagramContent buildDiagramContent(const DiagramInputs& inputs);

// The measured points of the system whose records the experimental data table shows (it is a
// detail of the systems table), in record order. Reads without moving the table's cursor;
// an inactive table has no points. Empty X_value or Y_value read as 0.
std::vector<ExperimentPoint> experimentPoints(const store::Table& tblExperiment);

// The chart's points as CSV for other programs: a header "Series,X,Y" and one line per point,
// series by series in chart order, numbers in the general format with "." as decimal separator.
// Code page 1251 with CR LF line ends, like every text file of the program.
void writeDiagramCsv(std::ostream& out, const DiagramContent& content);

}  // namespace results
