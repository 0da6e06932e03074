#pragma once
#include <ostream>
#include <vector>

#include "results/special_points.h"

namespace results {

// The nodes as a table: the line "Y;XLeft;X;XRight" (fields split by ";" when the decimal
// separator is ",", else by ","), then one line per node in list order, numbers in the shortest
// form that reads back to the same double. UTF-8 text, lines end in LF like every result file.
void writeNodesCsv(std::ostream& out, const std::vector<TNode>& nodes, char decimalSeparator);

// The other special points' texts, one a line in the order found (each keeps its closing
// blank), lines ending in LF.
void writeOtherPointTexts(std::ostream& out, const std::vector<SpecialPoints::OtherPoint>& points);

}  // namespace results
