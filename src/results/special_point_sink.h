#pragma once
#include <string>

namespace results {

// A node: a horizontal line at one Y joining a left, a middle and a right composition
// (XLeft <= X <= XRight). Field order is the one the node list has always had.
struct TNode {
    double Y = 0;
    double X = 0;
    double XLeft = 0;
    double XRight = 0;
    bool operator==(const TNode&) const = default;
};

// An other special point: where a stretch of one row shares no phase with the neighbouring row.
struct TXY {
    double X = 0;
    double Y = 0;
    bool operator==(const TXY&) const = default;
};

// Receives what the special point search finds, in the order it finds it. The search calls
// begin() first (the receiver empties its lists), then for every other point otherPoint()
// followed by its one chartPoint(), for every accepted node node() followed by its three
// chartPoint() calls (left, middle, right), and end() after the last row. A search stopped by a
// header text that is not a number never calls end(); what was handed over before stays.
class SpecialPointSink {
public:
    virtual ~SpecialPointSink() = default;
    virtual void begin() = 0;
    // text: Y letter + "(X = " + x + ") = " + y + " ", as the special points window lists it.
    virtual void otherPoint(const TXY& point, const std::string& text) = 0;
    virtual void node(const TNode& node) = 0;
    // One point of the diagram's special point series.
    virtual void chartPoint(double x, double y) = 0;
    // The diagram adds its node lines and shows itself here.
    virtual void end() {}
};

}  // namespace results
