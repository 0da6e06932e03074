#include "results/invariant_refinement.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>

#include "util/number_format.h"

namespace results {

namespace {

// Why a refinement gave up; caught at the public operations and returned as the reason.
struct NotRefined {
    std::string reason;
};

constexpr int kNewtonIterations = 60;
constexpr int kRootIterations = 100;
constexpr double kEdgeMargin = 1e-9;  // how close to the edge of a window a composition may come

// Newton has settled when its undamped step is below 1e-12 plus 1e-8 of the distance to the nearer
// edge of the window: relative near x = 0 or 1, where a solubility of 1e-6 is a real answer.
bool settled(double dx, double x, double lo, double hi) {
    return std::abs(dx) <= 1e-12 + 1e-8 * std::min(x - lo, hi - x);
}

// A start on the edge of a window (a grid end at x = 0 or 1) is moved 1e-6 inside, where the
// slope of the ideal mixing term can still be taken.
double startInside(double x, double lo, double hi) {
    const double inset = std::min(1e-6, 0.25 * (hi - lo));
    return std::clamp(x, lo + inset, hi - inset);
}

std::string num(double value) { return util::formatPicture(value, "0.######", '.'); }

// A zero of f between a and b, where fa and fb differ in sign, by false position with the
// Illinois modification (the stale end's value is halved), which converges superlinearly and
// never leaves the bracket. Stops when the bracket is narrower than tol.
template <typename F>
double illinois(F&& f, double a, double b, double fa, double fb, double tol) {
    if (fa == 0) return a;
    if (fb == 0) return b;
    for (int i = 0; i < kRootIterations; ++i) {
        double c = b - fb * (b - a) / (fb - fa);
        if (!(c > std::min(a, b) && c < std::max(a, b))) c = 0.5 * (a + b);
        const double fc = f(c);
        if (fc == 0) return c;
        if ((fc < 0) != (fb < 0)) {
            a = b;
            fa = fb;
        } else {
            fa *= 0.5;
        }
        b = c;
        fb = fc;
        if (std::abs(b - a) <= tol) return b;
    }
    throw NotRefined{"the search did not settle in " + std::to_string(kRootIterations) + " steps"};
}

template <typename Op>
auto guarded(Op&& op) {
    Refined<decltype(op())> result;
    try {
        result.value = op();
        result.ok = true;
    } catch (const NotRefined& failure) {
        result.reason = failure.reason;
    } catch (const std::exception& fault) {
        result.reason = std::string("evaluation fault: ") + fault.what();
    }
    return result;
}

}  // namespace

double InvariantRefinement::g(int phase, double x, double y) {
    ++evaluations_;
    std::optional<double> value;
    try {
        value = model_.gibbs(phase, x, y);
    } catch (const std::exception& fault) {
        throw NotRefined{std::string("evaluation fault: ") + fault.what()};
    }
    if (!value)
        throw NotRefined{"phase " + model_.phaseName(phase) + " is not defined at x = " + num(x) + ", Y = " + num(y)};
    return *value;
}

double InvariantRefinement::lowerEdge(int phase) const { return std::max(0.0, model_.windowMin(phase)); }
double InvariantRefinement::upperEdge(int phase) const { return std::min(1.0, model_.windowMax(phase)); }

InvariantRefinement::Slope InvariantRefinement::slope(int phase, double x, double y) {
    const double room = std::min(x - lowerEdge(phase), upperEdge(phase) - x);
    if (!(room > 0))
        throw NotRefined{"composition " + num(x) + " lies outside the window of phase " + model_.phaseName(phase)};
    const double h = std::min(1e-5, 1e-4 * room);
    const double g0 = g(phase, x, y);
    const double gp = g(phase, x + h, y);
    const double gm = g(phase, x - h, y);
    return {g0, (gp - gm) / (2 * h), (gp - 2 * g0 + gm) / (h * h)};
}

TieLine InvariantRefinement::solveTieLine(int a, double x1, int b, double x2, double y, double maxShift) {
    const bool pointA = model_.isPointPhase(a);
    const bool pointB = model_.isPointPhase(b);
    if (pointA) x1 = model_.pointComposition(a);
    if (pointB) x2 = model_.pointComposition(b);
    if (pointA && pointB) return {x1, x2};
    const double start1 = x1;
    const double start2 = x2;
    const double lo1 = lowerEdge(a) + kEdgeMargin, hi1 = upperEdge(a) - kEdgeMargin;
    const double lo2 = lowerEdge(b) + kEdgeMargin, hi2 = upperEdge(b) - kEdgeMargin;
    if (!pointA) x1 = startInside(x1, lo1, hi1);
    if (!pointB) x2 = startInside(x2, lo2, hi2);

    double residual = 0;
    for (int iteration = 0; iteration < kNewtonIterations; ++iteration) {
        const Slope A = pointA ? Slope{g(a, x1, y), 0, 0} : slope(a, x1, y);
        const Slope B = pointB ? Slope{g(b, x2, y), 0, 0} : slope(b, x2, y);
        const double d = x2 - x1;
        if (std::abs(d) < 1e-7) throw NotRefined{"the two ends of the tie line meet at Y = " + num(y)};
        // s is the slope of the chord; each free end must have the chord's slope.
        const double s = (B.g - A.g) / d;
        const double F1 = A.d1 - s, F2 = B.d1 - s;
        const double dsdx1 = (s - A.d1) / d, dsdx2 = (B.d1 - s) / d;
        double dx1 = 0, dx2 = 0;
        if (!pointA && !pointB) {
            const double J11 = A.d2 - dsdx1, J12 = -dsdx2, J21 = -dsdx1, J22 = B.d2 - dsdx2;
            const double det = J11 * J22 - J12 * J21;
            if (!(std::abs(det) > 0) || !std::isfinite(det)) throw NotRefined{"the tangent conditions are singular"};
            dx1 = (-F1 * J22 + J12 * F2) / det;
            dx2 = (-J11 * F2 + F1 * J21) / det;
            residual = std::max(std::abs(F1), std::abs(F2));
        } else if (pointA) {
            const double J = B.d2 - dsdx2;
            if (!(std::abs(J) > 0)) throw NotRefined{"the tangent conditions are singular"};
            dx2 = -F2 / J;
            residual = std::abs(F2);
        } else {
            const double J = A.d2 - dsdx1;
            if (!(std::abs(J) > 0)) throw NotRefined{"the tangent conditions are singular"};
            dx1 = -F1 / J;
            residual = std::abs(F1);
        }
        if (!std::isfinite(dx1) || !std::isfinite(dx2)) throw NotRefined{"the tangent conditions are singular"};
        const bool done = (pointA || settled(dx1, x1, lo1, hi1)) && (pointB || settled(dx2, x2, lo2, hi2));
        // Damping: no step longer than 0.05, none beyond the windows, and the two ends keep their
        // order and half of their distance at least.
        double lambda = 1;
        const double longest = std::max(std::abs(dx1), std::abs(dx2));
        if (longest > 0.05) lambda = 0.05 / longest;
        auto keepInside = [&](double x, double dx, double lo, double hi) {
            if (x + lambda * dx < lo) lambda = std::min(lambda, 0.5 * (x - lo) / -dx);
            if (x + lambda * dx > hi) lambda = std::min(lambda, 0.5 * (hi - x) / dx);
        };
        if (!pointA) keepInside(x1, dx1, lo1, hi1);
        if (!pointB) keepInside(x2, dx2, lo2, hi2);
        const double closing = (dx1 - dx2) * (d > 0 ? 1 : -1);
        if (closing > 0 && lambda * closing > 0.5 * std::abs(d)) lambda = 0.5 * std::abs(d) / closing;
        x1 += lambda * dx1;
        x2 += lambda * dx2;
        if (std::abs(x1 - start1) > maxShift || std::abs(x2 - start2) > maxShift)
            throw NotRefined{"the tie line at Y = " + num(y) + " lies away from the grid's ends"};
        if (done) return {x1, x2};
    }
    // An end held at the edge of its window: the solubility is below what the window allows.
    const bool pinned = (!pointA && std::min(x1 - lo1, hi1 - x1) < 1e-8) || (!pointB && std::min(x2 - lo2, hi2 - x2) < 1e-8);
    if (residual < 1e-3 || pinned) return {x1, x2};
    throw NotRefined{"the tie line at Y = " + num(y) + " did not settle in " + std::to_string(kNewtonIterations) +
                     " steps"};
}

double InvariantRefinement::middleDistance(int b, double& xb, double x1, double x3, double g1, double s, double y) {
    auto line = [&](double x) { return g1 + s * (x - x1); };
    if (model_.isPointPhase(b)) {
        xb = model_.pointComposition(b);
        return g(b, xb, y) - line(xb);
    }
    const double lo = std::max(lowerEdge(b), std::min(x1, x3)) + kEdgeMargin;
    const double hi = std::min(upperEdge(b), std::max(x1, x3)) - kEdgeMargin;
    if (!(lo < hi)) throw NotRefined{"phase " + model_.phaseName(b) + " is not defined between the outer phases"};
    xb = startInside(xb, lo, hi);
    // The lowest point of G(b) under the line: where its slope equals the line's.
    for (int iteration = 0; iteration < kNewtonIterations; ++iteration) {
        const Slope S = slope(b, xb, y);
        const double f = S.d1 - s;
        double dx = S.d2 > 0 ? -f / S.d2 : (f > 0 ? -0.01 : 0.01);
        const bool done = S.d2 > 0 && settled(dx, xb, lo, hi);
        dx = std::clamp(dx, -0.05, 0.05);
        if (xb + dx < lo) dx = 0.5 * (lo - xb);
        if (xb + dx > hi) dx = 0.5 * (hi - xb);
        xb += dx;
        if (done) break;
    }
    return g(b, xb, y) - line(xb);
}

template <typename F>
double InvariantRefinement::findRoot(F&& f, double yLow, double yHigh, int widen, double& fHigh) {
    if (yLow > yHigh) std::swap(yLow, yHigh);
    double step = yHigh - yLow;
    if (!(step > 0)) step = std::max(1e-3, 1e-3 * std::abs(yHigh));
    double lo = yLow, hi = yHigh;
    double flo = f(lo), fhi = f(hi);
    for (int k = 0; k < widen && (flo < 0) == (fhi < 0) && flo != 0 && fhi != 0; ++k) {
        // Widen on both sides, one grid step at a time; a side where the phases are not defined
        // any more stays where it is.
        try {
            const double lo2 = lo - step;
            const double flo2 = f(lo2);
            if ((flo2 < 0) != (flo < 0)) {
                hi = lo;
                fhi = flo;
                lo = lo2;
                flo = flo2;
                break;
            }
            lo = lo2;
            flo = flo2;
        } catch (const NotRefined&) {
        }
        try {
            const double hi2 = hi + step;
            const double fhi2 = f(hi2);
            if ((fhi2 < 0) != (fhi < 0)) {
                lo = hi;
                flo = fhi;
                hi = hi2;
                fhi = fhi2;
                break;
            }
            hi = hi2;
            fhi = fhi2;
        } catch (const NotRefined&) {
        }
    }
    if ((flo < 0) == (fhi < 0) && flo != 0 && fhi != 0)
        throw NotRefined{"no equilibrium of these phases between Y = " + num(lo) + " and Y = " + num(hi)};
    fHigh = fhi;
    return illinois(f, lo, hi, flo, fhi, 1e-9 * std::max(1.0, std::abs(hi)));
}

void InvariantRefinement::confirmTangent(double x1, double g1, double s, double y) {
    auto above = [&](int phase, double x) -> std::optional<double> {
        ++evaluations_;
        const std::optional<double> value = model_.gibbs(phase, x, y);
        if (!value) return std::nullopt;
        return *value - (g1 + s * (x - x1));
    };
    for (int phase = 0; phase < model_.phaseCount(); ++phase) {
        double lowest = 0;
        double xLowest = 0;
        bool found = false;
        auto sample = [&](double x) {
            const std::optional<double> d = above(phase, x);
            if (d && (!found || *d < lowest)) {
                lowest = *d;
                xLowest = x;
                found = true;
            }
        };
        double lo = 0, hi = 0, spacing = 1e-3;
        try {
            if (model_.isPointPhase(phase)) {
                sample(model_.pointComposition(phase));
            } else {
                lo = lowerEdge(phase);
                hi = upperEdge(phase);
                if (!(lo <= hi)) continue;
                const int steps = static_cast<int>(std::ceil((hi - lo) / spacing));
                spacing = steps > 0 ? (hi - lo) / steps : 0;
                for (int k = 0; k <= steps; ++k) sample(k == steps ? hi : lo + k * spacing);
                // Solubilities of a few parts per million lie between the first samples.
                for (double inset = 1e-9; inset < spacing; inset *= 10) {
                    sample(lo + inset);
                    sample(hi - inset);
                }
                // A dip narrower than the sampling: golden-section search about the lowest sample.
                if (found) {
                    double u = std::max(lo, xLowest - spacing), v = std::min(hi, xLowest + spacing);
                    const double ratio = 0.5 * (std::sqrt(5.0) - 1);
                    for (int k = 0; k < 40 && v - u > 1e-12; ++k) {
                        const double p = v - ratio * (v - u), q = u + ratio * (v - u);
                        const std::optional<double> dp = above(phase, p), dq = above(phase, q);
                        if (!dp || !dq) break;
                        if (*dp < *dq) {
                            v = q;
                            sample(p);
                        } else {
                            u = p;
                            sample(q);
                        }
                    }
                }
            }
        } catch (const std::exception& fault) {
            throw NotRefined{std::string("evaluation fault: ") + fault.what()};
        }
        if (found && lowest < -kTangentTolerance)
            throw NotRefined{"phase " + model_.phaseName(phase) + " lies below the common tangent at x = " +
                             num(xLowest) + " (by " + util::formatPicture(-lowest, "0.###", '.') +
                             " J/mol) at Y = " + num(y)};
    }
}

Refined<TieLine> InvariantRefinement::tieLine(int a, double x1, int b, double x2, double y, double maxShift) {
    return guarded([&] { return solveTieLine(a, x1, b, x2, y, maxShift); });
}

Refined<ThreePhaseEquilibrium> InvariantRefinement::threePhase(int a, double xa, int b, double xb, int c, double xc,
                                                               double yLow, double yHigh, int widen) {
    return guarded([&] {
        double wa = xa, wb = xb, wc = xc;
        // The middle phase's height above the tangent of the outer two: negative where the middle
        // phase is stable, zero at the invariant.
        auto distance = [&](double y) {
            const TieLine t = solveTieLine(a, wa, c, wc, y, 0.2);
            wa = t.x1;
            wc = t.x2;
            const double ga = g(a, wa, y);
            const double s = (g(c, wc, y) - ga) / (wc - wa);
            return middleDistance(b, wb, wa, wc, ga, s, y);
        };
        double fHigh = 0;
        ThreePhaseEquilibrium result;
        result.y = findRoot(distance, yLow, yHigh, widen, fHigh);
        distance(result.y);
        result.x[0] = wa;
        result.x[1] = wb;
        result.x[2] = wc;
        result.middleAbove = fHigh < 0;
        const double ga = g(a, wa, result.y);
        confirmTangent(wa, ga, (g(c, wc, result.y) - ga) / (wc - wa), result.y);
        return result;
    });
}

double InvariantRefinement::smallestDifference(int appearing, int host, double& x, double xLo, double xHi,
                                               double y) {
    const double lo = std::max({xLo, lowerEdge(appearing), lowerEdge(host)}) + kEdgeMargin;
    const double hi = std::min({xHi, upperEdge(appearing), upperEdge(host)}) - kEdgeMargin;
    if (!(lo < hi)) throw NotRefined{"the two phases share no composition window"};
    x = startInside(x, lo, hi);
    for (int iteration = 0; iteration < kNewtonIterations; ++iteration) {
        const Slope A = slope(appearing, x, y);
        const Slope H = slope(host, x, y);
        const double f = A.d1 - H.d1, df = A.d2 - H.d2;
        double dx = df > 0 ? -f / df : (f > 0 ? -0.01 : 0.01);
        const bool done = df > 0 && settled(dx, x, lo, hi);
        dx = std::clamp(dx, -0.05, 0.05);
        if (x + dx < lo) dx = 0.5 * (lo - x);
        if (x + dx > hi) dx = 0.5 * (hi - x);
        x += dx;
        if (done) break;
    }
    return g(appearing, x, y) - g(host, x, y);
}

Refined<OnePointEquilibrium> InvariantRefinement::congruent(int appearing, int host, double x, double xLo,
                                                            double xHi, double yLow, double yHigh, int widen) {
    return guarded([&] {
        double w = x;
        const bool fixed = model_.isPointPhase(appearing) || model_.isPointPhase(host) || !(xLo < xHi);
        if (fixed) {
            w = model_.isPointPhase(appearing) ? model_.pointComposition(appearing)
                : model_.isPointPhase(host)    ? model_.pointComposition(host)
                                               : xLo;
        }
        auto difference = [&](double y) {
            if (fixed) return g(appearing, w, y) - g(host, w, y);
            return smallestDifference(appearing, host, w, xLo, xHi, y);
        };
        double fHigh = 0;
        OnePointEquilibrium result;
        result.y = findRoot(difference, yLow, yHigh, widen, fHigh);
        difference(result.y);
        result.x = w;
        return result;
    });
}

double InvariantRefinement::curvature(int phase, double x, double y) {
    const double h = 2e-4;
    return (g(phase, x + h, y) - 2 * g(phase, x, y) + g(phase, x - h, y)) / (h * h);
}

double InvariantRefinement::criticalComposition(int phase, double xLo, double xHi, double y) {
    // The curvature is smallest where the third derivative changes sign.
    const double h = 1e-3;
    auto third = [&](double x) {
        return (g(phase, x + 2 * h, y) - 2 * g(phase, x + h, y) + 2 * g(phase, x - h, y) - g(phase, x - 2 * h, y)) /
               (2 * h * h * h);
    };
    const double lo = std::max(xLo, lowerEdge(phase) + 2.5 * h);
    const double hi = std::min(xHi, upperEdge(phase) - 2.5 * h);
    if (!(lo < hi)) throw NotRefined{"no room for the critical composition"};
    const double flo = third(lo), fhi = third(hi);
    if (!(flo < 0 && fhi > 0))
        throw NotRefined{"the curvature of " + model_.phaseName(phase) + " has no smallest value between x = " +
                         num(lo) + " and x = " + num(hi) + " at Y = " + num(y)};
    return illinois(third, lo, hi, flo, fhi, 1e-10);
}

Refined<OnePointEquilibrium> InvariantRefinement::critical(int phase, double xLo, double xHi, double yLow,
                                                           double yHigh, int widen) {
    return guarded([&] {
        if (model_.isPointPhase(phase)) throw NotRefined{"a point phase has no miscibility gap"};
        double w = 0.5 * (xLo + xHi);
        auto smallest = [&](double y) {
            w = criticalComposition(phase, xLo, xHi, y);
            return curvature(phase, w, y);
        };
        double fHigh = 0;
        OnePointEquilibrium result;
        result.y = findRoot(smallest, yLow, yHigh, widen, fHigh);
        smallest(result.y);
        result.x = w;
        return result;
    });
}

}  // namespace results
