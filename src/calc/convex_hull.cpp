#include "calc/convex_hull.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace calc {

double ConvexHull::cross(int p, int q, int r) const {
    using E = long double;
    E value = (static_cast<E>(x_[q]) - static_cast<E>(x_[p])) * (static_cast<E>(y_[r]) - static_cast<E>(y_[p])) -
              (static_cast<E>(y_[q]) - static_cast<E>(y_[p])) * (static_cast<E>(x_[r]) - static_cast<E>(x_[p]));
    return static_cast<double>(value);
}

// Each of the two products carries at most three roundings of 2^-53 and the difference one more;
// the extended value differs from the real one by far less, plus one rounding to double. 2^-50 of
// |t1| + |t2| covers all of them with room to spare, and the absolute term covers underflow.
ConvexHull::Estimate ConvexHull::estimateCross(int p, int q, int r) const {
    const double t1 = (x_[q] - x_[p]) * (y_[r] - y_[p]);
    const double t2 = (y_[q] - y_[p]) * (x_[r] - x_[p]);
    return {t1 - t2, (std::fabs(t1) + std::fabs(t2)) * 0x1p-50 + 0x1p-1000};
}

bool ConvexHull::isLeft(int a, int b, int c) const {
    const Estimate e = estimateCross(c, a, b);
    if (e.value - e.bound > 0) return true;
    if (e.value + e.bound < 0) return false;
    return cross(c, a, b) > 0;  // close to the line, or not finite
}

double ConvexHull::along(int p, int a, int b) const {
    using E = long double;
    E value = (static_cast<E>(x_[p]) - static_cast<E>(x_[a])) * (static_cast<E>(x_[b]) - static_cast<E>(x_[a])) +
              (static_cast<E>(y_[p]) - static_cast<E>(y_[a])) * (static_cast<E>(y_[b]) - static_cast<E>(y_[a]));
    return static_cast<double>(value);
}

size_t ConvexHull::partition(const int* from, size_t count, int a, int b) {
    size_t begin = lists_.size();
    lists_.push_back(a);
    lists_.push_back(b);
    for (size_t k = 0; k < count; ++k) {
        int e = from[k];
        if (e == a || e == b) continue;
        if (isLeft(a, b, e)) lists_.push_back(e);
    }
    return lists_.size() - begin;
}

size_t ConvexHull::partitionAll(size_t n, int a, int b) {
    size_t begin = lists_.size();
    lists_.push_back(a);
    lists_.push_back(b);
    for (size_t k = 0; k < n; ++k) {
        int e = static_cast<int>(k);
        if (e == a || e == b) continue;
        if (isLeft(a, b, e)) lists_.push_back(e);
    }
    return lists_.size() - begin;
}

void ConvexHull::compute(std::span<const double> x, std::span<const double> y) {
    if (x.size() != y.size()) throw std::invalid_argument("ConvexHull: x and y differ in length");
    const size_t n = x.size();
    marks_.assign(n, 0);
    if (n == 0) return;
    if (n == 1) {
        marks_[0] = 1;
        return;
    }
    x_ = x.data();
    y_ = y.data();

    int left = 0, right = 0;
    for (size_t k = 1; k < n; ++k) {
        if (x_[k] < x_[left]) left = static_cast<int>(k);
        if (x_[k] > x_[right]) right = static_cast<int>(k);
    }
    marks_[left] = 1;
    marks_[right] = 1;

    // Pending lists are stacked in lists_ in the order of tasks_, the next to refine on top. The
    // upper side (left of left->right) is refined before the lower side, each depth first.
    lists_.clear();
    tasks_.clear();
    if (lists_.capacity() < 2 * n + 4) lists_.reserve(2 * n + 4);
    size_t lowerCount = partitionAll(n, right, left);
    tasks_.push_back({0, lowerCount});
    size_t upperCount = partitionAll(n, left, right);
    tasks_.push_back({lowerCount, upperCount});
    refine();
}

size_t ConvexHull::farthest(size_t begin, size_t count) const {
    const int a = lists_[begin];
    const int b = lists_[begin + 1];
    size_t best = begin + 2;
    Estimate bestEstimate = estimateCross(lists_[best], a, b);
    bool exactKnown = false;  // bestDistance holds the extended cross product of the best
    double bestDistance = 0;
    for (size_t j = best + 1; j < begin + count; ++j) {
        // Most comparisons are settled by the estimates, whose bounds keep them apart.
        const Estimate e = estimateCross(lists_[j], a, b);
        if (e.value + e.bound < bestEstimate.value - bestEstimate.bound) continue;
        if (e.value - e.bound > bestEstimate.value + bestEstimate.bound) {
            best = j;
            bestEstimate = e;
            exactKnown = false;
            continue;
        }
        if (!exactKnown) {
            bestDistance = cross(lists_[best], a, b);
            exactKnown = true;
        }
        const double d = cross(lists_[j], a, b);
        if (d < bestDistance) continue;
        // Among candidates equally far from the edge the one farthest along it is a vertex; one in
        // the middle of their row would lie on a hull edge. Identical points: the first.
        if (d > bestDistance || along(lists_[j], a, b) > along(lists_[best], a, b)) {
            best = j;
            bestEstimate = e;
            bestDistance = d;
        }
    }
    return best;
}

void ConvexHull::refine() {
    while (!tasks_.empty()) {
        Task task = tasks_.back();
        tasks_.pop_back();
        if (task.count <= 3) {
            if (task.count == 3) marks_[lists_[task.begin + 2]] = 1;
            lists_.resize(task.begin);
            continue;
        }
        const int a = lists_[task.begin];
        const int b = lists_[task.begin + 1];
        const size_t best = farthest(task.begin, task.count);
        const int f = lists_[best];
        marks_[f] = 1;

        // Both sides are cut from the whole current list; the F->B side is stacked below the
        // A->F side so that A->F is refined first. The parent list is then no longer needed and
        // the two children move down into its place.
        const size_t parentEnd = task.begin + task.count;
        // Room for both children first, so that appending never moves the parent being read.
        size_t need = parentEnd + 2 * task.count + 4;
        if (lists_.capacity() < need) lists_.reserve(std::max(need, 2 * lists_.capacity()));
        size_t rightCount = partition(lists_.data() + task.begin, task.count, f, b);
        size_t leftCount = partition(lists_.data() + task.begin, task.count, a, f);
        std::copy(lists_.begin() + static_cast<ptrdiff_t>(parentEnd), lists_.end(),
                  lists_.begin() + static_cast<ptrdiff_t>(task.begin));
        lists_.resize(task.begin + rightCount + leftCount);
        tasks_.push_back({task.begin, rightCount});
        tasks_.push_back({task.begin + rightCount, leftCount});
    }
}

}  // namespace calc
