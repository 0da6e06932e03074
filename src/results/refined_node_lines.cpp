#include "results/refined_node_lines.h"

#include "results/node_grid.h"

namespace results {

DiagramContent withRefinedNodeLines(DiagramContent content, const std::vector<Invariant>& invariants,
                                    char decimalSeparator) {
    for (DiagramSeries& series : content.series) {
        if (series.kind != DiagramSeriesKind::NodeLine || series.x.size() != 2 || series.y.size() != 2) continue;
        for (const Invariant& entry : invariants) {
            // The grid values of an invariant from a node are copies of the node's, so they compare
            // exactly.
            if (!entry.fromNode || !entry.refined || entry.gridX.size() != 3 || entry.phases.size() != 3) continue;
            if (entry.gridY != series.y[0] || entry.gridX[0] != series.x[0] || entry.gridX[2] != series.x[1]) continue;
            series.x = {entry.phases[0].x, entry.phases[2].x};
            series.y = {entry.y, entry.y};
            series.title = nodeLineTitle(entry.y, decimalSeparator);
            break;
        }
    }
    return content;
}

}  // namespace results
