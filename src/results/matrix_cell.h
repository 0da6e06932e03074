#pragma once
#include <optional>
#include <string_view>

namespace results {

// How the matrix view draws a cell of the phase matrix.
enum class MatrixCellStyle {
    Header,    // row 0 or column 0: button-face background, window-text colour
    TwoPhase,  // yellow background (255, 255, 0), red text (255, 0, 0)
    Phase,     // window background, window-text colour
};

// A data cell is marked as two-phase when its text holds a capital "E" anywhere, so a phase
// name such as BETA is marked like the "E" cells themselves.
MatrixCellStyle matrixCellStyle(int col, int row, std::string_view text);

// Width in pixels of a column of the matrix view: 15 for the narrow cells, 64 otherwise;
// column 0 keeps its own width (nullopt).
std::optional<int> matrixColumnWidth(int col, bool narrowCells);

}  // namespace results
