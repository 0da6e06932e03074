#include "results/region_label.h"


namespace results {

std::optional<std::string> regionLabelText(const calc::PhaseMatrix& matrix, double cx, double cy) {
    const int last = matrix.colCount() - 1;
    if (last < 1 || matrix.rowCount() < 2) return std::nullopt;
    auto x = [&](int c) { return matrix.columnValue(c); };
    if (x(last) < cx) return std::nullopt;

    int col = 1;
    while (x(col) < cx && col < last) ++col;
    int row = 1;
    while (row < matrix.rowCount() && matrix.rowValue(row) > cy) ++row;
    if (row == matrix.rowCount()) return std::nullopt;

    auto isTwoPhase = [&](int c) { return matrix.text(c, row) == "E"; };
    std::string text = matrix.text(col, row);
    if (text == "E") {
        int left = col;
        while (isTwoPhase(left) && left > 1) --left;
        int right = col;
        while (isTwoPhase(right) && right < last) ++right;
        text = matrix.text(left, row) + "+" + matrix.text(right, row);
    }
    for (size_t at = text.find("-(C)"); at != std::string::npos; at = text.find("-(C)"))
        text.erase(at, 4);
    return text;
}

}  // namespace results
