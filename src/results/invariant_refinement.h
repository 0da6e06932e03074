#pragma once
#include <string>

#include "results/phase_model.h"

namespace results {

// The answer of one refinement: the value when it was found, otherwise the reason (English text
// for the table's "not refined" column).
template <typename T>
struct Refined {
    bool ok = false;
    T value{};
    std::string reason;
};

// A tie line between two phases at one Y: the compositions of its ends.
struct TieLine {
    double x1 = 0;
    double x2 = 0;
};

// A three-phase equilibrium: the Y where the phases a, b, c (in order of composition) share one
// tangent line, and their compositions. middleAbove tells on which side of Y the middle phase is
// stable: true when it is stable above (it splits into the outer two on falling Y).
struct ThreePhaseEquilibrium {
    double y = 0;
    double x[3] = {0, 0, 0};
    bool middleAbove = false;
};

// A point where two phases meet at one composition (congruent melting or transformation) or where
// the two compositions of a miscibility gap meet (critical point).
struct OnePointEquilibrium {
    double y = 0;
    double x = 0;
};

// Exact equilibria of a phase model near the approximate ones a grid run found.
//
// The equal-tangent conditions are solved by Newton's method on the compositions (a point phase
// keeps its composition) and the Y of an invariant by a bracketed false-position search (Illinois)
// between grid rows, falling back to bisection; every loop is bounded. Derivatives are central
// differences of G: the slope and curvature from x ± h with h = 1e-5 (less near the edge of the
// phase's window, never more than a ten-thousandth of the distance to it), which keeps the slope
// within about 1e-6 J/mol at Gibbs energies of 1e5 J/mol, i.e. compositions within 1e-9 and Y
// within 1e-6 K; the third derivative (critical points only) uses h = 1e-3.
//
// Nothing here throws: a phase undefined where it is needed, an evaluation fault, a bracket
// without a change of sign or a search that does not settle are returned as the reason.
class InvariantRefinement {
public:
    explicit InvariantRefinement(PhaseModel& model) : model_(model) {}

    // The common tangent of phase a near x1 and phase b near x2 (x1 < x2; a and b may be the same
    // phase, a miscibility gap) at Y = y. Fails when an end moves further than maxShift from its
    // start or the two ends meet.
    Refined<TieLine> tieLine(int a, double x1, int b, double x2, double y, double maxShift = 0.05);

    // The three-phase equilibrium of a, b, c (start compositions xa < xb < xc) between yLow and
    // yHigh; the bracket is widened by its own width up to `widen` times on each side when the
    // middle phase's distance to the outer tangent has one sign at both ends.
    //
    // The answer is then confirmed: at its Y every phase of the model (the three included, away
    // from where they touch) is sampled over its window, every 1e-3 in x and at 1e-9 ... 1e-3
    // from each edge, and the lowest sample of each phase is searched about locally. A phase lying
    // more than kTangentTolerance below the common tangent means the three phases are not the
    // stable ones there (the equilibrium is metastable); the answer is then not refined, with the
    // phase and where it lies below as the reason.
    Refined<ThreePhaseEquilibrium> threePhase(int a, double xa, int b, double xb, int c, double xc, double yLow,
                                              double yHigh, int widen = 3);

    // Where phase `appearing` first touches phase `host` between yLow and yHigh: the Y at which
    // the smallest G(appearing) - G(host) over xLo ... xHi is zero, with its composition. A point
    // phase and a fixed composition (xLo == xHi: a pure component) are compared at that
    // composition only.
    Refined<OnePointEquilibrium> congruent(int appearing, int host, double x, double xLo, double xHi, double yLow,
                                           double yHigh, int widen = 3);

    // The critical point of a miscibility gap of `phase` between yLow and yHigh: the Y at which the
    // smallest curvature of G over xLo ... xHi is zero, with the composition where it is smallest.
    Refined<OnePointEquilibrium> critical(int phase, double xLo, double xHi, double yLow, double yHigh,
                                          int widen = 3);

    // How far (J/mol) a phase may lie below a common tangent before the tangent is refused. Far
    // above the rounding of the tangent (compositions within 1e-9, Y within 1e-6 of a degree give
    // well under 1e-4 J/mol) and far below anything that moves an invariant visibly: an undercut of
    // 0.01 J/mol shifts it by about a thousandth of a degree.
    static constexpr double kTangentTolerance = 1e-2;

    // Evaluations of G since construction (for measurements).
    long evaluations() const { return evaluations_; }

private:
    struct Slope {
        double g = 0;
        double d1 = 0;
        double d2 = 0;
    };
    struct Bracket;

    double g(int phase, double x, double y);
    Slope slope(int phase, double x, double y);
    double lowerEdge(int phase) const;
    double upperEdge(int phase) const;
    TieLine solveTieLine(int a, double x1, int b, double x2, double y, double maxShift);
    double middleDistance(int b, double& xb, double x1, double x3, double g1, double s, double y);
    double smallestDifference(int appearing, int host, double& x, double xLo, double xHi, double y);
    double criticalComposition(int phase, double xLo, double xHi, double y);
    double curvature(int phase, double x, double y);
    void confirmTangent(double x1, double g1, double s, double y);
    template <typename F>
    double findRoot(F&& f, double yLow, double yHigh, int widen, double& fHigh);

    PhaseModel& model_;
    long evaluations_ = 0;
};

}  // namespace results
