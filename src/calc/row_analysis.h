#pragma once
#include <span>
#include <string>
#include <vector>

#include "calc/convex_hull.h"
#include "calc/phase_matrix.h"
#include "calc/run_parameters.h"
#include "calc/run_results.h"
#include "util/dialogs.h"

namespace calc {

// A point (stoichiometric) phase as the row analysis sees it: its name as listed, mark included,
// and its composition.
struct PointPhaseEntry {
    std::string name;
    double x = 0;
};

// The phase decision of one Y row. Per composition it keeps the lowest solution-phase G (ties to
// the phase listed first), adds every point phase at its own composition, drops what cannot lie on
// the lower convex hull (the chord test), takes the hull and walks its vertices from right to
// left: vertices one grid step apart lie in one single-phase field, a wider gap is a two-phase
// field whose two ends are appended to the boundary points, right end first.
//
// Tolerances: 1e-8 for G against the chord and for equal compositions, 1e-12 for x at XMax.
//
// Rows the plain scheme cannot handle are decided as follows:
// - A composition where no solution phase is defined (every G at or above 1e10, e.g. outside all
//   composition windows) makes no candidate. Between the row's leftmost and rightmost hull vertices
//   it lies on a hull edge, inside a two-phase field, and its cell is "E"; outside them (no phase
//   reaches that end of the range) its cell is left empty ("").
// - When a range end has no defined solution phase, the chord joins the leftmost and the rightmost
//   candidate of the row (lowest G at equal x) instead, and those two count as the ends.
// - A row without any candidate shows "Number of points equals to " with candidateLast (-1), has
//   no hull (the previous row's vertices are dropped, not reused), no boundary points, and empty
//   cells.
// - A row with a single candidate has that one point as its hull and no two-phase field.
//
// begin() interns every name once; analyse() then allocates only while its arrays first grow and
// touches no text per point except the matrix cells it writes.
class RowAnalysis {
public:
    // Prepares a run over the composition grid (increasing, first exactly XMin, last exactly XMax;
    // matrix column c + 1 belongs to compositions[c]). Makes sure the matrix has a column per
    // composition plus the header column and at least the header row and two data rows.
    void begin(RunResults& results, const RunParameters& params, std::span<const double> compositions,
               const std::vector<std::string>& solutionPhases, const std::vector<PointPhaseEntry>& pointPhases,
               char decimalSeparator);

    // Analyses the row at params.YCurrent: gs[i][c] is the G of solution phase i at composition c,
    // pointG[k] that of point phase k. Increases params.RowIndex and writes matrix row
    // RowIndex + 1; appends the row's boundary points; sets results.segmentCount. Failures while
    // recording a two-phase field show "Error at ..." and the walk goes on.
    // With `chart` the row's convex line is kept (hullLineX/G), with `mosaic` the compositions of
    // the point phases marked on the hull (pointPhaseMarks); otherwise both stay empty.
    void analyse(RunParameters& params, std::span<const std::vector<double>> gs, std::span<const double> pointG,
                 bool chart, bool mosaic, util::Dialogs& dialogs);

    // The lower hull as the working chart draws it ("Convex"), x decreasing; see analyse().
    const std::vector<double>& hullLineX() const { return lineX_; }
    const std::vector<double>& hullLineG() const { return lineG_; }
    // Point phases on the hull that end or sit in a two-phase field, as the mosaic marks them.
    const std::vector<double>& pointPhaseMarks() const { return marks_; }

private:
    struct PointPhaseInfo {
        double x = 0;
        PhaseMatrix::TextId name = 0;
        PhaseMatrix::TextId shortName = 0;  // first 60 characters, written for a right end
        int column = -1;                    // matrix column of a grid composition within 1e-8, or -1
    };

    void collectCandidates(const RunParameters& params, std::span<const std::vector<double>> gs,
                           std::span<const double> pointG);
    void chooseChord(const RunParameters& params);
    int chordTest();
    void takeHull(int kept);
    void writeRow(RunParameters& params);
    void walkHull(RunParameters& params, bool chart, bool mosaic, util::Dialogs& dialogs);
    void recordEnd(const TDPoint& end, double y, int row, bool rightEnd);
    double chordAt(double x) const { return chordG0_ + (x - chordX0_) * chordSlope_; }
    bool isChordEnd(double x) const;

    RunResults* results_ = nullptr;
    std::vector<double> compositions_;
    std::vector<PhaseMatrix::TextId> solutionNames_;
    std::vector<PointPhaseInfo> pointPhases_;
    PhaseMatrix::TextId twoPhaseId_ = 0;
    double xMin_ = 0, xMax_ = 1, xStep_ = 0.5;
    char separator_ = '.';

    std::vector<uint8_t> defined_;  // per composition: some solution phase is defined there
    bool haveChord_ = false;
    double chordX0_ = 0, chordG0_ = 0, chordX1_ = 1, chordG1_ = 0, chordSlope_ = 0;
    std::vector<double> hullX_, hullY_;
    std::vector<double> lineX_, lineG_, marks_;
    ConvexHull hull_;
};

}  // namespace calc
