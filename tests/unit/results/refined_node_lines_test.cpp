// Node lines of the diagram moved onto the refined invariants that came from their nodes.
#include <gtest/gtest.h>

#include "results/refined_node_lines.h"

namespace {

using results::DiagramSeries;
using results::DiagramSeriesKind;
using results::Invariant;

// Boundaries, special points, and the node lines at 456 K and 301 K.
results::DiagramContent content() {
    results::DiagramContent c;
    c.series = {{DiagramSeriesKind::Boundaries, "Границы фаз", {0.26, 0.975}, {456, 456}},
                {DiagramSeriesKind::SpecialPoints, "Особые точки", {0.26, 0.74, 0.975}, {456, 456, 456}},
                {DiagramSeriesKind::NodeLine, "Нода при 456K", {0.26, 0.975}, {456, 456}},
                {DiagramSeriesKind::NodeLine, "Нода при 301K", {0.1, 0.5}, {301, 301}}};
    return c;
}

Invariant fromNode(double gridY, std::vector<double> gridX, double y, std::vector<double> x, bool refined) {
    Invariant entry;
    entry.fromNode = true;
    entry.refined = refined;
    entry.gridY = gridY;
    entry.gridX = std::move(gridX);
    entry.y = y;
    entry.phases = {{"A", x[0]}, {"L", x[1]}, {"B", x[2]}};
    return entry;
}

void expectSeries(const DiagramSeries& actual, const DiagramSeries& expected) {
    EXPECT_EQ(actual.title, expected.title);
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
}

TEST(RefinedNodeLines, OnlyLinesOfRefinedInvariantsFromTheirNodeMove) {
    const results::DiagramContent grid = content();
    Invariant congruent;  // not from a node, at the node line's Y: never moves a line
    congruent.refined = true;
    congruent.gridY = 301;
    congruent.gridX = {0.1};
    congruent.y = 303;
    congruent.phases = {{"L", 0.1}, {"B", 0.1}};
    const std::vector<Invariant> table = {
        fromNode(456, {0.26, 0.74, 0.975}, 454.5625, {0.26321, 0.73733, 0.97552}, true),
        fromNode(301, {0.1, 0.25, 0.5}, 301.7, {0.11, 0.25, 0.49}, false),  // not refined
        congruent,
    };
    const results::DiagramContent refined = results::withRefinedNodeLines(grid, table, ',');
    ASSERT_EQ(refined.series.size(), grid.series.size());
    expectSeries(refined.series[0], grid.series[0]);
    expectSeries(refined.series[1], grid.series[1]);
    expectSeries(refined.series[2], {DiagramSeriesKind::NodeLine, "Нода при 454,563K", {0.26321, 0.97552},
                                     {454.5625, 454.5625}});
    expectSeries(refined.series[3], grid.series[3]);

    // A node the table has no invariant for, or an invariant of another node, leaves the line.
    const std::vector<Invariant> other = {fromNode(456, {0.25, 0.74, 0.975}, 454.5, {0.26, 0.73, 0.97}, true)};
    expectSeries(results::withRefinedNodeLines(grid, other, ',').series[2], grid.series[2]);
    expectSeries(results::withRefinedNodeLines(grid, {}, ',').series[2], grid.series[2]);
}

}  // namespace
