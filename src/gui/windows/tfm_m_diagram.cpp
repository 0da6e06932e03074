#include "gui/windows/tfm_m_diagram.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "util/number_format.h"

namespace gui {

TfmMDiagram::TfmMDiagram(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("fmMDiagram");
    setWindowTitle(tr("Mosaic diagram"));
    resize(500, 400);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TfmMDiagram::resetMosaic(const Range& range) {
    range_ = range;
    // One bitmap pixel per screen pixel, also on a scaled screen, so the rows stay one pixel high.
    const QSize size = (QSizeF(contentsRect().size()) * devicePixelRatioF()).toSize().expandedTo(QSize(1, 1));
    image_ = QImage(size, QImage::Format_RGB32);
    image_.fill(Qt::white);
    const double yRange = range.yMax - range.yMin;
    imageScale_ = yRange != 0 ? (image_.height() - 10) / yRange : 0;
    update();
}

double TfmMDiagram::fraction(double x) const {
    const double width = range_.xMax - range_.xMin;
    return width != 0 ? (x - range_.xMin) / width : 0;
}

int TfmMDiagram::pixelRow(int rowIndex) const {
    if (rowIndex <= 0) return 0;
    const double row = std::trunc((rowIndex - 1) * range_.yStep * imageScale_);
    return std::isfinite(row) ? static_cast<int>(std::clamp(row, -1e6, 1e6)) : 0;
}

int TfmMDiagram::pixelColumn(double x) const {
    const double column = util::roundHalfEven(image_.width() * fraction(x));
    return std::isfinite(column) ? static_cast<int>(std::clamp(column, -1e6, 1e6)) : 0;
}

void TfmMDiagram::drawSegment(double x1, double x2, int pixelRow, QColor color) {
    if (pixelRow < 0 || pixelRow >= image_.height()) return;
    int p1 = pixelColumn(x1);
    int p2 = pixelColumn(x2);
    if (p2 < p1) std::swap(p1, p2);
    p1 = std::max(p1, 0);
    p2 = std::min(p2, image_.width() - 1);
    if (p1 > p2) return;
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(pixelRow));
    std::fill(line + p1, line + p2 + 1, color.rgb());
    update();
}

void TfmMDiagram::drawPointPhase(double x, int pixelRow) {
    if (image_.isNull()) return;
    const double u = fraction(x);
    const int left = static_cast<int>(util::roundHalfEven(image_.width() * u - 2));
    const int right = static_cast<int>(util::roundHalfEven(image_.width() * u + 2));
    QPainter painter(&image_);
    painter.setPen(QPen(QColor(255, 0, 0), 1));
    painter.setBrush(Qt::white);
    // The box spans left ... right and row - 2 ... row + 2, its last column and row included.
    painter.drawEllipse(QRect(QPoint(left, pixelRow - 2), QPoint(right - 1, pixelRow + 1)));
    update();
}

void TfmMDiagram::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (image_.isNull()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    painter.drawImage(contentsRect(), image_);
}

}  // namespace gui
