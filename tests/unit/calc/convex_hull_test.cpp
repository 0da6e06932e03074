#include "calc/convex_hull.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

struct HullCase {
    const char* name;
    std::vector<double> x;
    std::vector<double> y;
    std::vector<int> marked;  // indices expected to be marked
};

std::vector<int> markedIndices(const calc::ConvexHull& hull) {
    std::vector<int> result;
    for (size_t k = 0; k < hull.marks().size(); ++k)
        if (hull.marks()[k]) result.push_back(static_cast<int>(k));
    return result;
}

class ConvexHullCases : public ::testing::TestWithParam<HullCase> {};

TEST_P(ConvexHullCases, MarksExactlyTheVertices) {
    const HullCase& c = GetParam();
    calc::ConvexHull hull;
    hull.compute(c.x, c.y);
    ASSERT_EQ(hull.marks().size(), c.x.size());
    EXPECT_EQ(markedIndices(hull), c.marked);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvexHullCases,
    ::testing::Values(
        HullCase{"NoPoint", {}, {}, {}},
        HullCase{"OnePoint", {0.3}, {-5}, {0}},
        HullCase{"TwoPoints", {1, 0}, {2, 3}, {0, 1}},
        HullCase{"StraightSegment", {0, 0.25, 0.5, 0.75, 1}, {0, 1, 2, 3, 4}, {0, 4}},
        HullCase{"MiddleBelowLine", {0, 0.5, 1}, {0, -1, 0}, {0, 1, 2}},
        HullCase{"MiddleAboveLine", {0, 0.5, 1}, {0, 1, 0}, {0, 1, 2}},
        HullCase{"PointOnChordOfTwoVertices", {0, 0.25, 0.5, 0.75, 1}, {0, -1, -2, -1, 0}, {0, 2, 4}},
        // Points 0 and 2 share the least x: 0 (smaller index) is the left end; 2 lies lower and is a
        // vertex of the lower chain, 1 is inside.
        HullCase{"SharedLeastX", {0, 0.5, 0, 1}, {1, 0.5, -1, 1}, {0, 2, 3}},
        // 1, 2 and 3 are equally far from the chord; 1, listed first, lies on the edge between
        // the corners 2 and 3 and must not be taken as a vertex.
        HullCase{"EqualDepthRowMiddleListedFirst", {0, 0.5, 0.25, 0.75, 1}, {0, -1, -1, -1, 0}, {0, 2, 3, 4}},
        // The right end is the first point of greatest x even though it lies on the edge 3-1.
        HullCase{"ExtremeOnVerticalEdgeStaysMarked", {0, 1, 0.5, 1}, {0, 0.5, -1, 1}, {0, 1, 2, 3}},
        HullCase{"IdenticalPointsMarkOne", {0, 0.5, 0.5, 1}, {0, -1, -1, 0}, {0, 1, 3}},
        HullCase{"AllSameX", {0.5, 0.5, 0.5}, {1, 0, 2}, {0}}),
    [](const ::testing::TestParamInfo<HullCase>& info) { return std::string(info.param.name); });

// Reference: strict hull vertices by a monotone chain over exactly representable integer points.
std::set<std::pair<double, double>> referenceVertices(const std::vector<double>& x, const std::vector<double>& y) {
    std::vector<std::pair<double, double>> p;
    for (size_t k = 0; k < x.size(); ++k) p.emplace_back(x[k], y[k]);
    std::sort(p.begin(), p.end());
    p.erase(std::unique(p.begin(), p.end()), p.end());
    if (p.size() < 3) return {p.begin(), p.end()};
    auto cross = [](auto o, auto a, auto b) {
        return (a.first - o.first) * (b.second - o.second) - (a.second - o.second) * (b.first - o.first);
    };
    std::vector<std::pair<double, double>> chain;
    for (int pass = 0; pass < 2; ++pass) {
        size_t start = chain.size();
        for (const auto& q : p) {
            while (chain.size() >= start + 2 && cross(chain[chain.size() - 2], chain.back(), q) <= 0) chain.pop_back();
            chain.push_back(q);
        }
        chain.pop_back();
        std::reverse(p.begin(), p.end());
    }
    return {chain.begin(), chain.end()};
}

TEST(ConvexHull, AgreesWithMonotoneChainOnCrowdedIntegerPoints) {
    // Few distinct coordinates: many duplicates, collinear runs and equal extreme x.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(0, 12);
    calc::ConvexHull hull;  // reused: its working lists must not leak from one set into the next
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<double> x, y;
        const int n = 2 + trial % 60;
        for (int k = 0; k < n; ++k) {
            x.push_back(coordinate(random));
            y.push_back(coordinate(random));
        }
        hull.compute(x, y);
        std::set<std::pair<double, double>> marked;
        int count = 0;
        for (int k = 0; k < n; ++k)
            if (hull.marks()[k]) {
                marked.emplace(x[k], y[k]);
                ++count;
            }
        auto expected = referenceVertices(x, y);
        // All points on one vertical line mark only point 0: covered by the table.
        if (std::all_of(x.begin(), x.end(), [&](double v) { return v == x[0]; })) continue;
        // The ends are the first points of least and of greatest x, marked even when they lie on
        // a vertical edge.
        auto first = [&](auto better) {
            int best = 0;
            for (int k = 1; k < n; ++k)
                if (better(x[k], x[best])) best = k;
            return std::make_pair(x[best], y[best]);
        };
        expected.insert(first([](double a, double b) { return a < b; }));
        expected.insert(first([](double a, double b) { return a > b; }));
        ASSERT_EQ(marked, expected) << "trial " << trial;
        ASSERT_EQ(count, static_cast<int>(marked.size())) << "a duplicate was marked twice, trial " << trial;
    }
}

TEST(ConvexHull, LowerHullOfConvexCurveBelowItsChordKeepsEveryPoint) {
    // What the row analysis hands over: a strictly convex G(x) between two ends.
    std::vector<double> x, y;
    for (int k = 0; k <= 1000; ++k) {
        double xk = k / 1000.0;
        x.push_back(xk);
        y.push_back(-8.31441 * 1000 * (xk > 0 && xk < 1 ? -(xk * std::log(xk) + (1 - xk) * std::log1p(-xk)) : 0));
    }
    calc::ConvexHull hull;
    hull.compute(x, y);
    EXPECT_EQ(std::count(hull.marks().begin(), hull.marks().end(), 1), 1001);
}

}  // namespace

namespace {

// The quickhull scheme written plainly, every cross product and projection in extended precision:
// what ComputeHull must mark whatever shortcuts it takes in double.
class PlainQuickhull {
public:
    PlainQuickhull(const std::vector<double>& x, const std::vector<double>& y) : x_(x), y_(y), marks_(x.size(), 0) {}

    std::vector<uint8_t> marks() {
        const int n = static_cast<int>(x_.size());
        int left = 0, right = 0;
        for (int k = 1; k < n; ++k) {
            if (x_[k] < x_[left]) left = k;
            if (x_[k] > x_[right]) right = k;
        }
        marks_[left] = marks_[right] = 1;
        std::vector<int> all(n);
        for (int k = 0; k < n; ++k) all[k] = k;
        refine(partition(all, left, right));
        refine(partition(all, right, left));
        return marks_;
    }

private:
    using E = long double;
    double cross(int p, int q, int r) const {
        return static_cast<double>((E(x_[q]) - E(x_[p])) * (E(y_[r]) - E(y_[p])) -
                                   (E(y_[q]) - E(y_[p])) * (E(x_[r]) - E(x_[p])));
    }
    double along(int p, int a, int b) const {
        return static_cast<double>((E(x_[p]) - E(x_[a])) * (E(x_[b]) - E(x_[a])) +
                                   (E(y_[p]) - E(y_[a])) * (E(y_[b]) - E(y_[a])));
    }
    std::vector<int> partition(const std::vector<int>& list, int a, int b) const {
        std::vector<int> out{a, b};
        for (int e : list)
            if (e != a && e != b && cross(e, a, b) > 0) out.push_back(e);
        return out;
    }
    void refine(const std::vector<int>& list) {
        if (list.size() < 3) return;
        if (list.size() == 3) {
            marks_[list[2]] = 1;
            return;
        }
        const int a = list[0], b = list[1];
        size_t best = 2;
        for (size_t j = 3; j < list.size(); ++j) {
            const double d = cross(list[j], a, b), bestDistance = cross(list[best], a, b);
            if (d > bestDistance || (d == bestDistance && along(list[j], a, b) > along(list[best], a, b))) best = j;
        }
        const int f = list[best];
        marks_[f] = 1;
        refine(partition(list, a, f));
        refine(partition(list, f, b));
    }

    const std::vector<double>& x_;
    const std::vector<double>& y_;
    std::vector<uint8_t> marks_;
};

}  // namespace

// Near-degenerate rows, where orientation tests in double and in extended precision may disagree:
// points on a line or a very flat parabola with coordinates that are not exact binary fractions,
// ties in distance, and noise of a few units in the last place.
TEST(ConvexHull, MarksWhatThePlainExtendedPrecisionSchemeMarks) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> ulps(-3, 3);
    calc::ConvexHull hull;
    for (int trial = 0; trial < 400; ++trial) {
        const int n = 3 + trial % 97;
        const double slope = 1234.5678 * (trial % 7 - 3), curvature = (trial % 5) * 1e-9;
        std::vector<double> x, y;
        for (int k = 0; k < n; ++k) {
            const double xk = 0.1 * (k % (n / 2 + 1)) + 0.3;
            double yk = -5000.123 + slope * xk - curvature * xk * (1 - xk);
            for (int u = ulps(random); u != 0; u += u > 0 ? -1 : 1)
                yk = std::nextafter(yk, u > 0 ? HUGE_VAL : -HUGE_VAL);
            x.push_back(xk);
            y.push_back(yk);
        }
        hull.compute(x, y);
        ASSERT_EQ(hull.marks(), PlainQuickhull(x, y).marks()) << "trial " << trial;
    }
}
