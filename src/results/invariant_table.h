#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calc/run_results.h"
#include "results/invariant_refinement.h"
#include "results/phase_model.h"
#include "results/special_point_sink.h"

namespace results {

// One two-phase field of a grid row: its left and right end with the phase at each (names as
// listed; `...Point` marks a point phase).
struct RowSegment {
    double xLeft = 0;
    std::string left;
    bool leftPoint = false;
    double xRight = 0;
    std::string right;
    bool rightPoint = false;
};

// What the invariant search needs of one computed row: its Y, its two-phase fields from left to
// right, and the phases at the two ends of the composition range.
struct RunRow {
    double y = 0;
    std::vector<RowSegment> segments;
    std::string atMin;
    std::string atMax;
};

// The rows of a finished (or stopped) run, top (YMax) first, from its boundary points and matrix.
// Y is the exact Y of the row's boundary points, or the matrix's Y number for a row without
// two-phase fields.
std::vector<RunRow> rowsOfRun(const calc::RunResults& results);

enum class InvariantKind {
    Eutectic,
    Eutectoid,
    Monotectic,
    Monotectoid,
    Metatectic,
    Peritectic,
    Peritectoid,
    Syntectic,
    CongruentMelting,
    CongruentTransformation,
    CriticalPoint,
    Unclassified,
};

// "eutectic", "congruent melting", "critical point" ...
std::string invariantTypeName(InvariantKind kind);

// A phase of an invariant at its composition. The name is the system's, without the point-phase
// mark; where one phase takes part twice, the one of higher composition is primed (FCC').
struct InvariantPhase {
    std::string name;
    double x = 0;
};

// One row of the table of invariant equilibria.
struct Invariant {
    InvariantKind kind = InvariantKind::Unclassified;
    std::string reaction;              // "L = FCC + BCT": the phases above, "=", the phases below
    double y = 0;                      // exact Y, or the grid's when not refined
    std::vector<InvariantPhase> phases;  // in order of composition (three; one or two at a point)
    bool refined = false;
    std::string reason;  // why it is not refined
    // Where the grid run saw it: the Y of the row that shows the change and the compositions
    // there (a node's left, middle and right composition when it came from a node).
    double gridY = 0;
    std::vector<double> gridX;
    bool fromNode = false;
};

// The system's name of a listed phase: the point-phase mark "-(C)" removed.
std::string displayName(std::string_view listed);
// True for the names a liquid goes by: "L", "L1", "L'", "Liquid", "LIQ..." or "Ж..." in any case.
// The database has no field that says a phase is liquid, so the name is all there is: a liquid
// named otherwise ("Melt", "Schmelze") is taken for a solid, and its reactions are classified as
// between solids (eutectoid instead of eutectic, congruent transformation instead of melting).
bool isLiquidName(std::string_view name);

// Three-phase classification from the phases in order of composition and the side on which the
// middle one is stable. Which phase is a liquid is decided by isLiquidName alone.
InvariantKind classifyThreePhase(std::string_view a, std::string_view b, std::string_view c, bool middleAbove);

// Finds the invariant equilibria that the rows of a run show - three-phase equilibria, congruent
// points (a phase appearing inside the field of another, or the phase of a pure component
// changing at x = 0 or 1) and critical points of miscibility gaps - and refines each with the
// model. Every node of the special point search is matched to a three-phase equilibrium; a node
// without one is listed as not refined. Liquids are recognised by name (isLiquidName) for the
// type of each row. Sorted by Y, highest first. Never throws for a fault of the
// model: it becomes the reason of a row that is not refined.
std::vector<Invariant> findInvariants(PhaseModel& model, const std::vector<RunRow>& rows,
                                      const std::vector<TNode>& nodes, double xMin, double xMax, double xStep);

// A boundary point of the run moved onto the exact tie line of its row.
struct RefinedBoundary {
    calc::TZPoint point;  // X exact when refined, the grid's otherwise
    double gridX = 0;
    bool refined = false;
    std::string reason;
};

// Refines every two-phase field of the run (pairs of boundary points, right end first) to the
// common tangent of its two phases at its Y. A field whose tie line cannot be found keeps its grid
// compositions and says why.
std::vector<RefinedBoundary> refineBoundaries(PhaseModel& model, std::span<const calc::TZPoint> boundaries,
                                              double xStep);

}  // namespace results
