#include "gui/widgets/matrix_cell_delegate.h"

#include <QPainter>

namespace gui {

std::pair<QColor, QColor> matrixCellColours(results::MatrixCellStyle style, const QPalette& palette) {
    switch (style) {
    case results::MatrixCellStyle::Header:
        return {palette.color(QPalette::Button), palette.color(QPalette::WindowText)};
    case results::MatrixCellStyle::TwoPhase:
        return {QColor(255, 255, 0), QColor(255, 0, 0)};
    case results::MatrixCellStyle::Phase:
        break;
    }
    return {palette.color(QPalette::Base), palette.color(QPalette::WindowText)};
}

void paintMatrixCell(QPainter* painter, const QRect& rect, const QString& text, results::MatrixCellStyle style,
                     const QPalette& palette, const QFont& font) {
    const auto [background, foreground] = matrixCellColours(style, palette);
    painter->save();
    painter->fillRect(rect, background);
    painter->setClipRect(rect);
    painter->setFont(font);
    painter->setPen(foreground);
    const int margin = font.pointSize() > 0 ? font.pointSize() : 8;
    painter->drawText(rect.adjusted(margin, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter->restore();
}

void MatrixCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const QString text = index.data(Qt::DisplayRole).toString();
    // Model cells are matrix data cells: matrix column and row are one more than the model's.
    const auto style = results::matrixCellStyle(index.column() + 1, index.row() + 1, text.toStdString());
    paintMatrixCell(painter, option.rect, text, style, option.palette, option.font);
}

}  // namespace gui
