#pragma once
#include <span>
#include <vector>

#include "calc/phase_matrix.h"
#include "calc/points.h"

namespace calc {

// What a run leaves for the views: the phase matrix, the two-phase boundary points of every row
// computed so far, and the working arrays of the last computed row. Written only by the run and
// its row analysis; each run starts by clearing it, and a stopped or failed run leaves the rows
// finished so far. The special points found in the matrix afterwards are kept by the results
// module, not here.
//
// Counts: PhaseMatrix's colCount()/rowCount(); the last used entries of the arrays are
// candidateLast, hullLast and boundaryLast (-1: empty). Entries past them are left-overs.
class RunResults {
public:
    // Forgets everything, texts of the matrix included (every PhaseName view of the last run dies).
    void clear();

    // Sizes BoundaryPoints to ny + 1 zeroed entries, none used.
    void resetBoundaries(int ny);
    // Appends at boundaryLast + 1. A full array grows to its highest index plus a tenth of it,
    // and at least far enough to hold the new entry.
    void appendBoundary(const TZPoint& point);

    // The boundary points of the rows computed so far: entries 0 ... boundaryLast.
    std::span<const TZPoint> boundaries() const {
        return {boundaryPoints.data(), static_cast<size_t>(boundaryLast + 1)};
    }
    // The vertices of the last row's lower hull, X descending, equal X by G ascending.
    std::span<const TDPoint> hull() const { return {hullPoints.data(), static_cast<size_t>(hullLast + 1)}; }

    PhaseMatrix matrix;
    std::vector<TDPoint> candidatePoints;
    std::vector<TDPoint> belowChordPoints;
    std::vector<TDPoint> hullPoints;
    std::vector<TZPoint> boundaryPoints;
    int candidateLast = -1;
    int belowChordLast = -1;  // the chord test keeps belowChordPoints[0 ... belowChordLast]
    int hullLast = -1;
    int boundaryLast = -1;
    int segmentCount = 0;  // two-phase segments of the last row: its last 2 * segmentCount boundaries
};

}  // namespace calc
