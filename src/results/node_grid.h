#pragma once
#include <array>
#include <string>
#include <vector>

#include "results/special_point_sink.h"

namespace results {

// How the Y column of the node grid is written. The main window writes "0.###" always; the
// diagram window writes "0.###e-00" for |Y| <= 0.001 so that small values of a free parameter
// stay visible, and "0.###" otherwise.
enum class NodeYFormat { Fixed, SmallScientific };

using NodeGridRow = std::array<std::string, 4>;

// " T" for temperature, " P" for every other Y parameter; then " X(лев.)", " X", " X(прав.)".
NodeGridRow nodeGridHeadings(int yParameterIndex);

// The whole node grid: the headings, then one row per node in list order (every cell a blank
// and the number, compositions as "0.###"), or one empty row when there is no node.
std::vector<NodeGridRow> nodeGrid(const std::vector<TNode>& nodes, int yParameterIndex, NodeYFormat yFormat,
                                  char decimalSeparator);

std::string nodeYText(double y, NodeYFormat yFormat, char decimalSeparator);

// Title of a node's line series on the diagram: "Нода при " + Y as "0.###" + "K".
std::string nodeLineTitle(double y, char decimalSeparator);

}  // namespace results
