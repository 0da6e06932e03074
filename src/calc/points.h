#pragma once
#include <cstdint>
#include <string_view>

#include "calc/phase_matrix.h"

namespace calc {

// One candidate point of a Y row: the lowest solution phase at a grid composition, or a point
// (stoichiometric) phase at its own composition. PhaseName views the text table of the run's
// PhaseMatrix (NameId is its id there); it stays valid until the next run clears the results.
struct TDPoint {
    bool IsPointPhase = false;
    bool AboveChord = false;  // rejected by the chord test as lying above the chord
    double X = 0;             // composition, mole fraction of B
    double G = 0;             // Gibbs energy at X and the row's Y, J/mol
    double Step = 0;          // the composition grid step of the run
    std::string_view PhaseName;
    int32_t Column = 0;       // PhaseMatrix column of X (1-based); 0 for point phases
    PhaseMatrix::TextId NameId = PhaseMatrix::kEmpty;
    int32_t PointPhase = -1;  // index in the point-phase list; -1 for a solution-phase record
};

// One end of a two-phase field in one Y row. PhaseName views the run's text table as above.
struct TZPoint {
    double X = 0;
    double Y = 0;
    int32_t Column = 0;  // PhaseMatrix column of X, 0 when the end is a point phase
    std::string_view PhaseName;
};

}  // namespace calc
