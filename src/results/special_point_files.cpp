#include "results/special_point_files.h"

#include "util/number_format.h"

namespace results {

void writeNodesCsv(std::ostream& out, const std::vector<TNode>& nodes, char decimalSeparator) {
    const char delimiter = decimalSeparator == ',' ? ';' : ',';
    out << "Y" << delimiter << "XLeft" << delimiter << "X" << delimiter << "XRight" << "\r\n";
    for (const TNode& node : nodes) {
        out << util::formatGeneral(node.Y, decimalSeparator) << delimiter
            << util::formatGeneral(node.XLeft, decimalSeparator) << delimiter
            << util::formatGeneral(node.X, decimalSeparator) << delimiter
            << util::formatGeneral(node.XRight, decimalSeparator) << "\r\n";
    }
}

void writeOtherPointTexts(std::ostream& out, const std::vector<SpecialPoints::OtherPoint>& points) {
    for (const SpecialPoints::OtherPoint& point : points) out << point.text << "\r\n";
}

}  // namespace results
