#include "calc/run_results.h"

#include <algorithm>

namespace calc {

void RunResults::clear() {
    candidatePoints.clear();
    belowChordPoints.clear();
    hullPoints.clear();
    boundaryPoints.clear();
    candidateLast = belowChordLast = hullLast = boundaryLast = -1;
    segmentCount = 0;
    matrix.clear();
}

void RunResults::resetBoundaries(int ny) {
    boundaryPoints.assign(static_cast<size_t>(std::max(ny, 0)) + 1, TZPoint{});
    boundaryLast = -1;
}

void RunResults::appendBoundary(const TZPoint& point) {
    const size_t at = static_cast<size_t>(boundaryLast + 1);
    if (at >= boundaryPoints.size()) {
        size_t highest = boundaryPoints.empty() ? 0 : boundaryPoints.size() - 1;
        boundaryPoints.resize(std::max(highest + highest / 10, at + 1));
    }
    boundaryPoints[at] = point;
    boundaryLast = static_cast<int>(at);
}

}  // namespace calc
