#pragma once
#include <string>
#include <vector>

#include "results/special_point_sink.h"

namespace results {

// The results of the last special point search, kept for the views: the node list (in the
// order found), the other points with their list texts, and the diagram's special point series.
class SpecialPoints : public SpecialPointSink {
public:
    struct OtherPoint {
        TXY point;
        std::string text;
        bool operator==(const OtherPoint&) const = default;
    };
    struct ChartPoint {
        double x = 0;
        double y = 0;
        bool operator==(const ChartPoint&) const = default;
    };

    void begin() override { clear(); }
    void otherPoint(const TXY& point, const std::string& text) override;
    void node(const TNode& node) override;
    void chartPoint(double x, double y) override;

    void clear();

    const std::vector<TNode>& nodes() const { return nodes_; }
    const std::vector<OtherPoint>& otherPoints() const { return others_; }
    const std::vector<ChartPoint>& chartPoints() const { return chart_; }

private:
    std::vector<TNode> nodes_;
    std::vector<OtherPoint> others_;
    std::vector<ChartPoint> chart_;
};

}  // namespace results
