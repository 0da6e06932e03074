#include "results/matrix_cell.h"

namespace results {

MatrixCellStyle matrixCellStyle(int col, int row, std::string_view text) {
    if (col == 0 || row == 0) return MatrixCellStyle::Header;
    if (text.find('E') != std::string_view::npos) return MatrixCellStyle::TwoPhase;
    return MatrixCellStyle::Phase;
}

std::optional<int> matrixColumnWidth(int col, bool narrowCells) {
    if (col == 0) return std::nullopt;
    return narrowCells ? 15 : 64;
}

}  // namespace results
