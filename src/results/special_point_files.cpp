#include "results/special_point_files.h"

#include "util/shortest_number.h"

namespace results {

void writeNodesCsv(std::ostream& out, const std::vector<TNode>& nodes, char decimalSeparator) {
    const char delimiter = decimalSeparator == ',' ? ';' : ',';
    out << "Y" << delimiter << "XLeft" << delimiter << "X" << delimiter << "XRight" << "\n";
    for (const TNode& node : nodes) {
        out << util::formatShortest(node.Y, decimalSeparator) << delimiter
            << util::formatShortest(node.XLeft, decimalSeparator) << delimiter
            << util::formatShortest(node.X, decimalSeparator) << delimiter
            << util::formatShortest(node.XRight, decimalSeparator) << "\n";
    }
}

void writeOtherPointTexts(std::ostream& out, const std::vector<SpecialPoints::OtherPoint>& points) {
    for (const SpecialPoints::OtherPoint& point : points) out << point.text << "\n";
}

}  // namespace results
