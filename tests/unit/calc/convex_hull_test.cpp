#include "calc/convex_hull.h"

#include <gtest/gtest.h>

#include <algorithm>
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
