#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace calc {

// Marks the vertices of the convex hull of a set of points in the plane by the quickhull scheme:
// the line through the points of least and greatest x splits the set, and each side repeatedly
// takes the point farthest from its current edge as a vertex and goes on with the points outside
// the two new edges. In the run every interior point lies strictly below the chord joining the
// row's ends, so the marked points are the vertices of the lower convex hull of G(x).
//
// Tie-breaks, all deterministic:
// - among points of equal least (greatest) x the one with the smallest index is the left (right)
//   end; when all x are equal only point 0 is marked;
// - of several candidates at the same greatest distance from an edge the one farthest along the
//   edge is taken (the earliest in index order when they coincide), so the point taken is always
//   a corner: points exactly on a hull edge are never marked, the two ends excepted;
// - of several points with identical coordinates at most one is marked.
// Every orientation test forms its products and differences in extended precision and rounds the
// result to double before comparing, so the marks do not depend on the order of evaluation.
//
// One point is marked on its own; no point marks nothing. The object keeps its working lists
// between calls, so a run of rows allocates only while the largest row grows.
class ConvexHull {
public:
    // x and y have the same length N; afterwards marks() has length N.
    void compute(std::span<const double> x, std::span<const double> y);

    // 1 for a hull vertex, 0 otherwise, by point index.
    const std::vector<uint8_t>& marks() const { return marks_; }

private:
    struct Task {
        size_t begin;  // position in lists_: A, B, then the candidates strictly left of A->B
        size_t count;
    };

    double cross(int p, int q, int r) const;
    // The same cross product formed in double, with a bound on its distance from cross(p, q, r):
    // the extended value is needed only when the question is closer than that to a decision.
    struct Estimate {
        double value;
        double bound;
    };
    Estimate estimateCross(int p, int q, int r) const;
    bool isLeft(int a, int b, int c) const;
    // Projection of p - a on b - a (scaled by |b - a|), in extended precision rounded to double.
    double along(int p, int a, int b) const;
    // Appends to lists_ the list A, B and the entries of `from` strictly left of A->B.
    size_t partition(const int* from, size_t count, int a, int b);
    size_t partitionAll(size_t n, int a, int b);
    // Position in lists_ of the candidate farthest from the edge A->B of the list at `begin`.
    size_t farthest(size_t begin, size_t count) const;
    void refine();

    const double* x_ = nullptr;
    const double* y_ = nullptr;
    std::vector<uint8_t> marks_;
    std::vector<int> lists_;  // the pending point lists, stacked
    std::vector<Task> tasks_;
};

}  // namespace calc
