#include "gui/widgets/matrix_header_view.h"

#include <QPainter>

#include "gui/widgets/matrix_cell_delegate.h"

namespace gui {

MatrixHeaderView::MatrixHeaderView(Qt::Orientation orientation, QWidget* parent) : QHeaderView(orientation, parent) {
    setSectionsClickable(false);
    setHighlightSections(false);
}

void MatrixHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const QString text = model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    paintMatrixCell(painter, rect, text, results::MatrixCellStyle::Header, palette(), font());
    painter->save();
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->restore();
}

}  // namespace gui
