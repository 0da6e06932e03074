#pragma once
#include <QStyledItemDelegate>

#include "results/matrix_cell.h"

namespace gui {

// Paints one cell of the matrix view by the cell rule: fixed cells (the headers) in button-face
// colours, two-phase cells yellow with red text, the others in window colours. The text starts as
// many pixels right of the cell's left edge as the font's point size and 2 pixels below its top.
// Selection and focus do not change the colours.
void paintMatrixCell(QPainter* painter, const QRect& rect, const QString& text, results::MatrixCellStyle style,
                     const QPalette& palette, const QFont& font);

// The colours of a cell style: background, then text.
std::pair<QColor, QColor> matrixCellColours(results::MatrixCellStyle style, const QPalette& palette);

class MatrixCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace gui
