#pragma once
#include <QAbstractTableModel>
#include <cstdint>
#include <string>
#include <vector>

namespace calc { class PhaseMatrix; }

namespace gui {

// The phase matrix of a run as a table: model row r and column c show matrix cell (c + 1, r + 1);
// the matrix's row 0 (compositions) and column 0 (Y values) are the horizontal and vertical header
// texts, and cell (0, 0) (" Y/X") is cornerText().
//
// fill() keeps its own copy of the matrix as it stands, so the view is unaffected by a later run
// that rewrites the results; the copy is the matrix's cell ids (four bytes a cell) and its few
// distinct texts, never one string per cell, so a 1,001 x 1,001 result is copied in milliseconds.
class PhaseMatrixModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PhaseMatrixModel(QObject* parent = nullptr);

    void fill(const calc::PhaseMatrix& matrix);
    void clear();

    // Counts of the copied matrix, header row and column included (both 0 before any fill).
    int matrixColCount() const { return cols_; }
    int matrixRowCount() const { return rows_; }
    // Text of matrix cell (col, row); "" outside the copy.
    const std::string& cellText(int col, int row) const;
    QString cornerText() const { return QString::fromStdString(cellText(0, 0)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    int cols_ = 0;
    int rows_ = 0;
    std::vector<uint32_t> cells_;    // row-major ids into texts_
    std::vector<std::string> texts_;  // texts_[0] is ""
};

}  // namespace gui
