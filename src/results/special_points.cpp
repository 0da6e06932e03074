#include "results/special_points.h"

namespace results {

void SpecialPoints::otherPoint(const TXY& point, const std::string& text) {
    others_.push_back({point, text});
}

void SpecialPoints::node(const TNode& node) { nodes_.push_back(node); }

void SpecialPoints::chartPoint(double x, double y) { chart_.push_back({x, y}); }

void SpecialPoints::clear() {
    nodes_.clear();
    others_.clear();
    chart_.clear();
}

}  // namespace results
