#include "gui/models/phase_matrix_model.h"

#include <algorithm>

#include "calc/phase_matrix.h"

namespace gui {

PhaseMatrixModel::PhaseMatrixModel(QObject* parent) : QAbstractTableModel(parent) { texts_.emplace_back(); }

void PhaseMatrixModel::fill(const calc::PhaseMatrix& matrix) {
    beginResetModel();
    cols_ = matrix.colCount();
    rows_ = matrix.rowCount();
    cells_.assign(static_cast<size_t>(cols_) * rows_, 0);
    texts_.assign(1, std::string());
    // The matrix's own ids are dense from 0; they are renumbered so that this copy holds only the
    // texts in use and stays independent of the matrix's text table.
    constexpr uint32_t kUnseen = UINT32_MAX;
    std::vector<uint32_t> renumber(1, 0);  // matrix id -> id of this copy
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < cols_; ++c) {
            const calc::PhaseMatrix::TextId id = matrix.cell(c, r);
            if (id >= renumber.size()) renumber.resize(id + 1, kUnseen);
            if (renumber[id] == kUnseen) {
                renumber[id] = static_cast<uint32_t>(texts_.size());
                texts_.push_back(matrix.textOf(id));
            }
            cells_[static_cast<size_t>(r) * cols_ + c] = renumber[id];
        }
    }
    endResetModel();
}

void PhaseMatrixModel::clear() {
    beginResetModel();
    cols_ = rows_ = 0;
    cells_.clear();
    texts_.assign(1, std::string());
    endResetModel();
}

const std::string& PhaseMatrixModel::cellText(int col, int row) const {
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return texts_[0];
    return texts_[cells_[static_cast<size_t>(row) * cols_ + col]];
}

int PhaseMatrixModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(rows_ - 1, 0);
}

int PhaseMatrixModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(cols_ - 1, 0);
}

QVariant PhaseMatrixModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return QString::fromStdString(cellText(index.column() + 1, index.row() + 1));
}

QVariant PhaseMatrixModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return QString::fromStdString(cellText(section + 1, 0));
    return QString::fromStdString(cellText(0, section + 1));
}

}  // namespace gui
