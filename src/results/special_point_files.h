#pragma once
#include <ostream>
#include <vector>

#include "results/special_points.h"

namespace results {

// The nodes as a table: the line "Y;XLeft;X;XRight" (fields split by ";" when the decimal
// separator is ",", else by ","), then one line per node in list order, numbers in the general
// format with up to 15 significant digits. UTF-8 text, lines end in CR LF.
void writeNodesCsv(std::ostream& out, const std::vector<TNode>& nodes, char decimalSeparator);

// The other special points' texts, one a line in the order found (each keeps its closing
// blank), lines ending in CR LF.
void writeOtherPointTexts(std::ostream& out, const std::vector<SpecialPoints::OtherPoint>& points);

}  // namespace results
