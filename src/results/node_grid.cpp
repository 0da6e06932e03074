#include "results/node_grid.h"

#include <cmath>

#include "results/y_parameter.h"
#include "util/number_format.h"

namespace results {

NodeGridRow nodeGridHeadings(int yParameterIndex) {
    return {yParameterIndex == calc::kYTemperature ? " T" : " P", " X(лев.)", " X", " X(прав.)"};
}

std::string nodeYText(double y, NodeYFormat yFormat, char decimalSeparator) {
    if (yFormat == NodeYFormat::SmallScientific && std::fabs(y) <= 0.001)
        return util::formatPicture(y, "0.###e-00", decimalSeparator);
    return util::formatPicture(y, "0.###", decimalSeparator);
}

std::vector<NodeGridRow> nodeGrid(const std::vector<TNode>& nodes, int yParameterIndex, NodeYFormat yFormat,
                                  char decimalSeparator) {
    std::vector<NodeGridRow> grid;
    grid.reserve(nodes.size() + 2);
    grid.push_back(nodeGridHeadings(yParameterIndex));
    for (const TNode& node : nodes) {
        grid.push_back({" " + nodeYText(node.Y, yFormat, decimalSeparator),
                        " " + util::formatPicture(node.XLeft, "0.###", decimalSeparator),
                        " " + util::formatPicture(node.X, "0.###", decimalSeparator),
                        " " + util::formatPicture(node.XRight, "0.###", decimalSeparator)});
    }
    if (nodes.empty()) grid.emplace_back();
    return grid;
}

std::string nodeLineTitle(double y, char decimalSeparator) {
    return "Нода при " + util::formatPicture(y, "0.###", decimalSeparator) + "K";
}

}  // namespace results
