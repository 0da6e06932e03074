#include "results/result_files.h"

#include <string>
#include <string_view>

#include "util/shortest_number.h"

namespace results {

namespace {

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\n\r") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

void writeMatrixCsv(std::ostream& out, const calc::PhaseMatrix& matrix) {
    for (int r = 0; r < matrix.rowCount(); ++r) {
        for (int c = 0; c < matrix.colCount(); ++c) out << (c ? "," : "") << csvField(matrix.text(c, r));
        out << "\n";
    }
}

void writeBoundariesCsv(std::ostream& out, std::span<const calc::TZPoint> boundaries) {
    out << "X,Y,Column,PhaseName\n";
    for (const calc::TZPoint& p : boundaries)
        out << util::formatShortest(p.X, '.') << "," << util::formatShortest(p.Y, '.') << "," << p.Column << ","
            << csvField(p.PhaseName) << "\n";
}

}  // namespace results
