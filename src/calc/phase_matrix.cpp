#include "calc/phase_matrix.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "util/number_format.h"
#include "util/text.h"

namespace calc {

namespace {
constexpr double kNoNumber = std::numeric_limits<double>::quiet_NaN();
}

PhaseMatrix::PhaseMatrix() { clear(); }

void PhaseMatrix::clear() {
    cols_ = rows_ = 0;
    cells_.clear();
    columnValues_.clear();
    rowValues_.clear();
    index_.clear();
    texts_.clear();
    texts_.emplace_back();
    index_.emplace(texts_.back(), kEmpty);
}

void PhaseMatrix::resize(int colCount, int rowCount) {
    colCount = std::max(colCount, 0);
    rowCount = std::max(rowCount, 0);
    if (colCount == cols_ && rowCount == rows_) return;
    columnValues_.resize(static_cast<size_t>(colCount), kNoNumber);
    rowValues_.resize(static_cast<size_t>(rowCount), kNoNumber);
    if (colCount == cols_) {
        // Rows only: the cells of the kept rows do not move; vector growth keeps appends amortised.
        cells_.resize(static_cast<size_t>(colCount) * static_cast<size_t>(rowCount), kEmpty);
        rows_ = rowCount;
        return;
    }
    std::vector<TextId> cells(static_cast<size_t>(colCount) * static_cast<size_t>(rowCount), kEmpty);
    int keepCols = std::min(cols_, colCount);
    int keepRows = std::min(rows_, rowCount);
    for (int r = 0; r < keepRows; ++r)
        std::copy_n(cells_.begin() + static_cast<ptrdiff_t>(index(0, r)), keepCols,
                    cells.begin() + static_cast<ptrdiff_t>(r) * colCount);
    cells_.swap(cells);
    cols_ = colCount;
    rows_ = rowCount;
}

const std::string& PhaseMatrix::text(int col, int row) const {
    if (!inside(col, row)) return texts_[kEmpty];
    return texts_[cell(col, row)];
}

void PhaseMatrix::setText(int col, int row, std::string_view text) {
    if (!inside(col, row)) throw std::out_of_range("PhaseMatrix cell outside the matrix");
    setCell(col, row, intern(text));
}

void PhaseMatrix::setColumnHeader(int col, std::string_view text, double x) {
    setText(col, 0, text);
    columnValues_[static_cast<size_t>(col)] = x;
}

void PhaseMatrix::setRowHeader(int row, std::string_view text, double y) {
    setText(0, row, text);
    rowValues_[static_cast<size_t>(row)] = y;
}

double PhaseMatrix::columnValue(int col) const {
    return col >= 0 && col < cols_ ? columnValues_[static_cast<size_t>(col)] : kNoNumber;
}

double PhaseMatrix::rowValue(int row) const {
    return row >= 0 && row < rows_ ? rowValues_[static_cast<size_t>(row)] : kNoNumber;
}

PhaseMatrix::TextId PhaseMatrix::intern(std::string_view text) {
    auto it = index_.find(text);
    if (it != index_.end()) return it->second;
    auto id = static_cast<TextId>(texts_.size());
    texts_.emplace_back(text);
    index_.emplace(texts_.back(), id);
    return id;
}

HeaderText headerText(double v, std::string_view picture, char decimalSeparator) {
    HeaderText header;
    header.text = util::formatPicture(v, picture, decimalSeparator);
    header.value = v;
    util::TryParseNumber(header.text, decimalSeparator, header.value);
    return header;
}

}  // namespace calc
