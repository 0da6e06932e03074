#pragma once
#include <span>
#include <string>
#include <vector>

namespace calc {

struct RunParameters;

// What the live displays need of a run before its first row.
struct RunStart {
    std::vector<std::string> solutionPhases;  // one working-chart series each, SolutionList order
    std::vector<double> compositions;         // the composition grid, increasing (matrix column c + 1)
    // XMin, XMax, YMax, YMin, YStep, YText, BottomAxisIncrement ...; valid until the run returns.
    const RunParameters* parameters = nullptr;
};

// One computed Y row as the live displays need it. Every span views arrays owned by the run and is
// valid only during the call: an observer that keeps the data (to hand it to another thread) copies it.
struct RowFrame {
    int rowIndex = 0;  // 0 for the first row (YMax)
    double y = 0;      // the row's Y value

    // Working G-x chart; empty unless the observer wanted the chart for this row.
    struct Curve {
        std::span<const double> x;  // the composition grid, increasing
        std::span<const double> g;  // the phase's G there, J/mol; 1e30 outside its composition window
    };
    std::span<const Curve> curves;  // one per solution phase, SolutionList order
    std::span<const double> hullX;  // the lower hull kept for the chart ("Convex"), x decreasing
    std::span<const double> hullG;

    // Mosaic; empty unless the observer wanted the mosaic for this row.
    std::span<const double> pointPhaseX;  // point phases lying on the hull
    struct Segment {
        double x1 = 0;  // left end of a two-phase field
        double x2 = 0;  // right end
    };
    std::span<const Segment> segments;
};

// What a run tells its host, once per row. Every method has an empty default, so this class is the
// null observer; the run asks wantsChart()/wantsMosaic() once per row and gathers no chart or mosaic
// data while they answer false, so a host without displays costs nothing per point.
// All calls come on the thread that executes Calculation::run().
class RowObserver {
public:
    virtual ~RowObserver() = default;
    virtual bool wantsChart() { return false; }
    virtual bool wantsMosaic() { return false; }
    virtual void runPrepared(const RunStart& /*start*/) {}
    virtual void rowDone(const RowFrame& /*row*/) {}
    // Status bar text, every tenth row ("Temperature = 1234.5").
    virtual void statusText(const std::string& /*text*/) {}
    // The run has ended: completed (last row YMin) or not (stopped, refused, failed).
    virtual void runFinished(bool /*completed*/) {}
};

}  // namespace calc
