#include "calc/phase_matrix.h"

#include <algorithm>
#include <stdexcept>

namespace calc {

PhaseMatrix::PhaseMatrix() { clear(); }

void PhaseMatrix::clear() {
    cols_ = rows_ = 0;
    cells_.clear();
    texts_.assign(1, std::string());
    index_.clear();
    index_.emplace(std::string(), 0);
}

void PhaseMatrix::resize(int colCount, int rowCount) {
    colCount = std::max(colCount, 0);
    rowCount = std::max(rowCount, 0);
    if (colCount == cols_ && rowCount == rows_) return;
    std::vector<uint32_t> cells(static_cast<size_t>(colCount) * static_cast<size_t>(rowCount), 0);
    int keepCols = std::min(cols_, colCount);
    int keepRows = std::min(rows_, rowCount);
    for (int c = 0; c < keepCols; ++c)
        std::copy_n(cells_.begin() + static_cast<ptrdiff_t>(c) * rows_, keepRows,
                    cells.begin() + static_cast<ptrdiff_t>(c) * rowCount);
    cells_.swap(cells);
    cols_ = colCount;
    rows_ = rowCount;
}

const std::string& PhaseMatrix::text(int col, int row) const {
    if (!inside(col, row)) return texts_[0];
    return texts_[cells_[static_cast<size_t>(col) * rows_ + row]];
}

void PhaseMatrix::setText(int col, int row, std::string_view text) {
    if (!inside(col, row)) throw std::out_of_range("PhaseMatrix cell outside the matrix");
    cells_[static_cast<size_t>(col) * rows_ + row] = intern(text);
}

uint32_t PhaseMatrix::intern(std::string_view text) {
    auto it = index_.find(std::string(text));
    if (it != index_.end()) return it->second;
    auto id = static_cast<uint32_t>(texts_.size());
    texts_.emplace_back(text);
    index_.emplace(texts_.back(), id);
    return id;
}

}  // namespace calc
