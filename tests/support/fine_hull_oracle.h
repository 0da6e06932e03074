#pragma once
// Exact equilibria found the slow, plain way, to check the refinement against: the lower convex
// hull of phases sampled every 1e-5 in x over small windows, and bisection in T on what that hull
// shows. Independent of the refinement's code: no derivatives, no tangent equations.
#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <vector>

namespace oracle {

// G of `phase` at each composition of xs at temperature T (a point phase: xs holds its own x).
using Sampler = std::function<std::vector<double>(int phase, const std::vector<double>& xs, double T)>;

// A window of compositions where a phase is sampled; lo == hi for a point phase.
struct Window {
    int phase = 0;
    double lo = 0;
    double hi = 0;
};

struct Sample {
    double x = 0;
    double g = 0;
    int window = 0;
};

constexpr double kStep = 1e-5;

inline std::vector<Sample> lowerHull(const Sampler& sampler, const std::vector<Window>& windows, double T,
                                     double step = kStep) {
    std::vector<Sample> points;
    for (size_t w = 0; w < windows.size(); ++w) {
        std::vector<double> xs;
        for (int i = 0; windows[w].lo + i * step <= windows[w].hi + 1e-15; ++i) xs.push_back(windows[w].lo + i * step);
        if (xs.empty()) xs.push_back(windows[w].lo);
        const std::vector<double> gs = sampler(windows[w].phase, xs, T);
        for (size_t i = 0; i < xs.size(); ++i) points.push_back({xs[i], gs[i], static_cast<int>(w)});
    }
    std::sort(points.begin(), points.end(), [](const Sample& a, const Sample& b) {
        return a.x != b.x ? a.x < b.x : a.g < b.g;
    });
    std::vector<Sample> hull;
    for (const Sample& p : points) {
        if (!hull.empty() && hull.back().x == p.x) continue;  // the lower of equal x came first
        while (hull.size() >= 2) {
            const Sample& a = hull[hull.size() - 2];
            const Sample& b = hull.back();
            // Drop b unless it lies strictly below the line a-p.
            if ((b.g - a.g) * (p.x - a.x) >= (p.g - a.g) * (b.x - a.x)) hull.pop_back();
            else break;
        }
        hull.push_back(p);
    }
    return hull;
}

template <typename Predicate>
double bisect(Predicate&& below, double tLow, double tHigh) {
    const bool atLow = below(tLow);
    if (atLow == below(tHigh)) throw std::runtime_error("oracle: no change inside the bracket");
    for (int i = 0; i < 45; ++i) {
        const double mid = 0.5 * (tLow + tHigh);
        (below(mid) == atLow ? tLow : tHigh) = mid;
    }
    return 0.5 * (tLow + tHigh);
}

struct ThreePhase {
    double T = 0;
    double x[3] = {0, 0, 0};
};

// The three windows in order of composition; the middle one is on the hull on one side of T only.
inline ThreePhase threePhase(const Sampler& sampler, const std::vector<Window>& windows, double tLow, double tHigh,
                             double step = kStep) {
    auto middleOnHull = [&](double T) {
        for (const Sample& s : lowerHull(sampler, windows, T, step))
            if (s.window == 1) return true;
        return false;
    };
    ThreePhase answer;
    answer.T = bisect(middleOnHull, tLow, tHigh);
    // The compositions on the side where the middle phase is on the hull, 1e-9 K away.
    const double side = middleOnHull(answer.T + 1e-9) ? answer.T + 1e-9 : answer.T - 1e-9;
    double sum = 0;
    int count = 0;
    answer.x[0] = -1;
    answer.x[2] = 2;
    for (const Sample& s : lowerHull(sampler, windows, side, step)) {
        if (s.window == 0) answer.x[0] = std::max(answer.x[0], s.x);
        if (s.window == 2) answer.x[2] = std::min(answer.x[2], s.x);
        if (s.window == 1) {
            sum += s.x;
            ++count;
        }
    }
    answer.x[1] = count ? sum / count : -1;
    return answer;
}

// The T where a miscibility gap of the phase opens in the window, and the composition where it
// opens. The gap is looked for every 1e-3 in x, where rounding cannot fake one (it opens within
// about 1e-4 K of the critical point); the composition is the middle of the gap 0.05 K and 0.1 K
// below, sampled every 1e-5 and carried linearly to the critical point (the middle of a gap moves
// linearly with the distance in T).
inline ThreePhase critical(const Sampler& sampler, const Window& window, double tLow, double tHigh) {
    auto gapAt = [&](double T, double step, double* middle) {
        const std::vector<Sample> hull = lowerHull(sampler, {window}, T, step);
        for (size_t i = 1; i < hull.size(); ++i)
            if (hull[i].x - hull[i - 1].x > 1.5 * step) {
                if (middle) *middle = 0.5 * (hull[i].x + hull[i - 1].x);
                return true;
            }
        return false;
    };
    ThreePhase answer;
    answer.T = bisect([&](double T) { return gapAt(T, 1e-3, nullptr); }, tLow, tHigh);
    const double below = gapAt(answer.T - 0.05, 1e-3, nullptr) ? -1 : 1;
    double near = 0, far = 0;
    gapAt(answer.T + below * 0.05, kStep, &near);
    gapAt(answer.T + below * 0.1, kStep, &far);
    answer.x[1] = 2 * near - far;
    return answer;
}

// The T where two phases have equal G at one composition.
inline double equalAt(const Sampler& sampler, int a, int b, double x, double tLow, double tHigh) {
    return bisect([&](double T) { return sampler(a, {x}, T)[0] < sampler(b, {x}, T)[0]; }, tLow, tHigh);
}

}  // namespace oracle
