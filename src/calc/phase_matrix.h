#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace calc {

// The phase diagram in matrix form, indexed [column][row]: [0][0] holds " Y/X", row 0 the
// composition texts, column 0 the Y texts, and every other cell a phase name or "E" (inside a
// two-phase field). Cells are stored as indices into a table of distinct texts, so a large grid
// costs four bytes a cell; text(c, r) gives the cell's text. An unwritten cell reads as "".
class PhaseMatrix {
public:
    PhaseMatrix();

    int colCount() const { return cols_; }
    int rowCount() const { return rows_; }

    // Changes the counts, keeping the cells inside both the old and the new size; new cells are "".
    void resize(int colCount, int rowCount);
    // Empties the matrix (0 x 0) and forgets the texts.
    void clear();

    // A cell outside the matrix reads as ""; writing one throws std::out_of_range (resize first).
    const std::string& text(int col, int row) const;
    void setText(int col, int row, std::string_view text);

    bool inside(int col, int row) const { return col >= 0 && row >= 0 && col < cols_ && row < rows_; }

private:
    uint32_t intern(std::string_view text);

    int cols_ = 0;
    int rows_ = 0;
    std::vector<uint32_t> cells_;  // column-major: cells_[col * rows_ + row]
    std::vector<std::string> texts_;  // texts_[0] is ""
    std::unordered_map<std::string, uint32_t> index_;
};

}  // namespace calc
