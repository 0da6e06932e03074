#include "gui/plot/diagram_plot.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace plot {

namespace {

// Ticks at multiples of a least label increment (0.1 on the composition axis) while the visible
// range holds at least two of them; closer when zoomed in further, so the axis never runs bare.
// A fixed number of minor ticks between two labels.
class IncrementTicker : public QCPAxisTicker {
public:
    IncrementTicker(double increment, int subTicks) : increment_(increment), subTicks_(subTicks) {}

protected:
    double getTickStep(const QCPRange& range) override {
        const double step = QCPAxisTicker::getTickStep(range);
        return increment_ > 0 && range.size() >= 2 * increment_ ? std::max(step, increment_) : step;
    }
    int getSubTickCount(double) override { return subTicks_; }

private:
    double increment_;
    int subTicks_;
};

// The zoom rectangle, drawn with a thin dark purple pen.
class ZoomBand : public QRubberBand {
public:
    explicit ZoomBand(QWidget* parent) : QRubberBand(QRubberBand::Rectangle, parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(QColor(64, 0, 64), 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

constexpr int kDragThreshold = 4;  // pixels a press must travel to become a drag
const char* const kRegionLabelProperty = "ravoRegionLabel";

QColor colorOf(std::uint32_t rgb) { return QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

QPen dottedGridPen() { return QPen(QColor(150, 150, 150), 0, Qt::DotLine); }

}  // namespace

QCPScatterStyle scatterStyle(const results::SeriesStyle& style) {
    using Shape = QCPScatterStyle::ScatterShape;
    Shape shape = QCPScatterStyle::ssNone;
    switch (style.marker) {
        case results::MarkerShape::None: shape = QCPScatterStyle::ssNone; break;
        case results::MarkerShape::Circle: shape = QCPScatterStyle::ssCircle; break;
        case results::MarkerShape::Square: shape = QCPScatterStyle::ssSquare; break;
        case results::MarkerShape::Triangle: shape = QCPScatterStyle::ssTriangle; break;
        case results::MarkerShape::Diamond: shape = QCPScatterStyle::ssDiamond; break;
        case results::MarkerShape::Cross: shape = QCPScatterStyle::ssCross; break;
        case results::MarkerShape::Plus: shape = QCPScatterStyle::ssPlus; break;
    }
    const QColor color = colorOf(style.rgb);
    QPen pen(color, 1, style.dottedOutline ? Qt::DotLine : Qt::SolidLine);
    const bool filled = shape == QCPScatterStyle::ssCircle || shape == QCPScatterStyle::ssSquare ||
                        shape == QCPScatterStyle::ssTriangle || shape == QCPScatterStyle::ssDiamond;
    // A dotted outline shows only when the inside is left empty.
    return QCPScatterStyle(shape, pen, filled && !style.dottedOutline ? QBrush(color) : QBrush(Qt::NoBrush),
                           style.size);
}

DiagramPlot::DiagramPlot(QWidget* parent) : QCustomPlot(parent) {
    setBackground(Qt::white);
    axisRect()->setBackground(Qt::white);
    legend->setVisible(false);
    setNoAntialiasingOnDrag(true);
    setPlottingHints(QCP::phFastPolylines | QCP::phCacheLabels);

    plotLayout()->insertRow(0);
    title_ = new QCPTextElement(this, QString(), QFont(font().family(), 10));
    title_->setTextFlags(Qt::AlignLeft | Qt::AlignVCenter);
    title_->setTextColor(Qt::black);
    plotLayout()->addElement(0, 0, title_);
    foot_ = new QCPTextElement(this, QString(), QFont(font().family(), 10));
    foot_->setTextFlags(Qt::AlignRight | Qt::AlignVCenter);
    foot_->setTextColor(Qt::black);
    plotLayout()->addElement(2, 0, foot_);

    auto bottomTicker = QSharedPointer<IncrementTicker>::create(0.1, 9);
    bottomTicker->setTickCount(10);
    xAxis->setTicker(bottomTicker);
    xAxis->setTickLength(2, 8);
    xAxis->setSubTickLength(0, 6);
    yAxis->setTicker(QSharedPointer<IncrementTicker>::create(0, 4));
    yAxis->setTickLength(0, 5);
    yAxis->setSubTickLength(0, 5);
    for (QCPAxis* axis : {xAxis, yAxis}) {
        axis->grid()->setPen(dottedGridPen());
        axis->grid()->setZeroLinePen(dottedGridPen());
        axis->grid()->setSubGridVisible(false);
    }

    rubber_ = new ZoomBand(this);
    rubber_->hide();
    setMouseTracking(true);
    applySettings(results::ChartSettings{});
}

QString DiagramPlot::titleText() const { return title_->text(); }
void DiagramPlot::setTitleText(const QString& text) {
    title_->setText(text);
    settings_.title = text.toStdString();
}
QString DiagramPlot::footText() const { return foot_->text(); }
void DiagramPlot::setFootText(const QString& text) {
    foot_->setText(text);
    settings_.foot = text.toStdString();
}

QString DiagramPlot::seriesTitle(int index) const { return graph(index)->name(); }

void DiagramPlot::applySettings(const results::ChartSettings& settings) {
    settings_ = settings;
    title_->setText(QString::fromStdString(settings.title));
    foot_->setText(QString::fromStdString(settings.foot));
    xAxis->grid()->setVisible(settings.grid);
    yAxis->grid()->setVisible(settings.grid);
    restyle();
    applyHomeRanges();
    zoomed_ = false;
    replot();
}

void DiagramPlot::setContent(const results::DiagramContent& content) {
    content_ = content;
    clearGraphs();
    for (const results::DiagramSeries& series : content_.series) {
        QCPGraph* graph = addGraph();
        graph->setName(QString::fromStdString(series.title));
        QVector<QCPGraphData> data(static_cast<qsizetype>(series.x.size()));
        for (size_t i = 0; i < series.x.size(); ++i) data[static_cast<qsizetype>(i)] = {series.x[i], series.y[i]};
        std::sort(data.begin(), data.end(), qcpLessThanSortKey<QCPGraphData>);
        graph->data()->set(data, true);
        graph->setAdaptiveSampling(true);
    }
    restyle();
    applyHomeRanges();
    zoomed_ = false;
    replot();
}

void DiagramPlot::restyle() {
    for (int i = 0; i < graphCount() && i < static_cast<int>(content_.series.size()); ++i) {
        const results::DiagramSeriesKind kind = content_.series[static_cast<size_t>(i)].kind;
        const results::SeriesStyle& style = settings_.style(kind);
        QCPGraph* g = graph(i);
        g->setVisible(style.visible);
        g->setPen(QPen(colorOf(style.rgb), 1));
        g->setLineStyle(kind == results::DiagramSeriesKind::NodeLine ? QCPGraph::lsLine : QCPGraph::lsNone);
        g->setScatterStyle(scatterStyle(style));
    }
}

void DiagramPlot::applyHomeRanges() {
    auto home = [&](QCPAxis* axis, const results::AxisRange& fixed, bool bottom) {
        if (!fixed.automatic) {
            axis->setRange(fixed.min, fixed.max);
            return;
        }
        const double gridMin = bottom ? content_.gridXMin : content_.gridYMin;
        const double gridMax = bottom ? content_.gridXMax : content_.gridYMax;
        bool found = gridMin <= gridMax;
        QCPRange range(gridMin, gridMax);
        for (int i = 0; i < graphCount(); ++i) {
            if (!graph(i)->visible() || graph(i)->dataCount() == 0) continue;
            bool ok = false;
            const QCPRange r = bottom ? graph(i)->getKeyRange(ok) : graph(i)->getValueRange(ok);
            if (!ok) continue;
            range = found ? QCPRange(std::min(range.lower, r.lower), std::max(range.upper, r.upper)) : r;
            found = true;
        }
        if (!found) range = QCPRange(0, 1);
        // A little room on both sides, so markers at the ends are drawn whole.
        double pad = range.size() * 0.02;
        if (pad <= 0) pad = std::max(std::fabs(range.lower) * 0.02, 0.5);
        axis->setRange(range.lower - pad, range.upper + pad);
    };
    home(xAxis, settings_.bottom, true);
    home(yAxis, settings_.left, false);
}

QCPItemText* DiagramPlot::addRegionLabel(const QPoint& pixel, const QString& text, const QFont& font,
                                         const QColor& color) {
    auto* label = new QCPItemText(this);
    label->setProperty(kRegionLabelProperty, true);
    label->setClipToAxisRect(false);
    label->setSelectable(false);
    label->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPadding(QMargins(0, 0, 0, 0));
    label->setPen(Qt::NoPen);
    label->setBrush(Qt::NoBrush);
    label->setFont(font);
    label->setColor(color);
    label->setText(text);
    label->position->setType(QCPItemPosition::ptPlotCoords);
    label->position->setPixelPosition(pixel);
    replot(rpQueuedReplot);
    return label;
}

QList<QCPItemText*> DiagramPlot::regionLabels() const {
    QList<QCPItemText*> labels;
    for (int i = 0; i < itemCount(); ++i) {
        auto* text = qobject_cast<QCPItemText*>(item(i));
        if (text && text->property(kRegionLabelProperty).toBool()) labels.append(text);
    }
    return labels;
}

QCPItemText* DiagramPlot::regionLabelAt(const QPoint& pixel) const {
    const QList<QCPItemText*> labels = regionLabels();
    // The label drawn last lies on top.
    for (auto it = labels.rbegin(); it != labels.rend(); ++it) {
        const QSize size = QFontMetrics((*it)->font()).size(0, (*it)->text());
        if (QRect((*it)->position->pixelPosition().toPoint(), size).contains(pixel)) return *it;
    }
    return nullptr;
}

void DiagramPlot::moveRegionLabel(QCPItemText* label, const QPoint& pixel) {
    label->position->setPixelPosition(pixel);
    replot(rpQueuedReplot);
}

void DiagramPlot::removeRegionLabel(QCPItemText* label) {
    if (dragged_ == label) {
        dragged_ = nullptr;
        gesture_ = Gesture::None;
    }
    removeItem(label);
    replot(rpQueuedReplot);
}

void DiagramPlot::removeRegionLabels() {
    const QList<QCPItemText*> labels = regionLabels();
    if (labels.isEmpty()) return;
    for (auto it = labels.rbegin(); it != labels.rend(); ++it) removeItem(*it);
    dragged_ = nullptr;
    if (gesture_ == Gesture::DragLabel) gesture_ = Gesture::None;
    replot(rpQueuedReplot);
}

void DiagramPlot::zoomToRect(const QRect& rect) {
    const QRect r = rect.normalized();
    xAxis->setRange(xAxis->pixelToCoord(r.left()), xAxis->pixelToCoord(r.right()));
    yAxis->setRange(yAxis->pixelToCoord(r.bottom()), yAxis->pixelToCoord(r.top()));
    zoomed_ = true;
    emit zoomedByUser();
    replot(rpQueuedReplot);
}

void DiagramPlot::scrollBy(const QPoint& delta) {
    xAxis->moveRange(xAxis->pixelToCoord(0) - xAxis->pixelToCoord(delta.x()));
    yAxis->moveRange(yAxis->pixelToCoord(0) - yAxis->pixelToCoord(delta.y()));
    zoomed_ = true;
    emit scrolledByUser();
    replot(rpQueuedReplot);
}

void DiagramPlot::zoomAbout(const QPoint& pixel, double factor) {
    xAxis->scaleRange(factor, xAxis->pixelToCoord(pixel.x()));
    yAxis->scaleRange(factor, yAxis->pixelToCoord(pixel.y()));
    zoomed_ = true;
    emit zoomedByUser();
    replot(rpQueuedReplot);
}

void DiagramPlot::undoZoom() {
    applyHomeRanges();
    zoomed_ = false;
    emit zoomUndone();
    replot(rpQueuedReplot);
}

bool DiagramPlot::insidePlotRect(const QPoint& pixel) const {
    const QRect r = axisRect()->rect();
    return pixel.x() >= r.left() && pixel.x() <= r.left() + r.width() && pixel.y() >= r.top() &&
           pixel.y() <= r.top() + r.height();
}

QPointF DiagramPlot::axisValues(const QPoint& pixel) const {
    return {xAxis->pixelToCoord(pixel.x()), yAxis->pixelToCoord(pixel.y())};
}

void DiagramPlot::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    origin_ = last_ = pos;
    if (event->button() == Qt::LeftButton) {
        dragged_ = regionLabelAt(pos);
        gesture_ = dragged_ ? Gesture::DragLabel : Gesture::LeftPending;
    } else if (event->button() == Qt::RightButton) {
        if (QCPItemText* label = regionLabelAt(pos)) {
            gesture_ = Gesture::None;
            emit labelRightPressed(label, event->modifiers().testFlag(Qt::AltModifier));
            return;
        }
        gesture_ = Gesture::RightPending;
    }
    event->accept();
}

void DiagramPlot::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void DiagramPlot::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    emit mouseMovedTo(pos);
    const bool travelled = (pos - origin_).manhattanLength() >= kDragThreshold;
    switch (gesture_) {
        case Gesture::DragLabel:
            if (dragged_) moveRegionLabel(dragged_, pos);
            break;
        case Gesture::LeftPending:
            if (!travelled) break;
            gesture_ = Gesture::Rubber;
            rubber_->show();
            [[fallthrough]];
        case Gesture::Rubber:
            rubber_->setGeometry(QRect(origin_, pos).normalized());
            break;
        case Gesture::RightPending:
            if (!travelled) break;
            gesture_ = Gesture::Scroll;
            [[fallthrough]];
        case Gesture::Scroll:
            scrollBy(pos - last_);
            break;
        case Gesture::None: break;
    }
    last_ = pos;
}

void DiagramPlot::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const Gesture gesture = gesture_;
    gesture_ = Gesture::None;
    switch (gesture) {
        case Gesture::DragLabel:
            if (dragged_) moveRegionLabel(dragged_, pos);
            dragged_ = nullptr;
            break;
        case Gesture::LeftPending:
            if (event->button() == Qt::LeftButton) emit leftClicked(pos);
            break;
        case Gesture::Rubber:
            rubber_->hide();
            // Dragged to the right: zoom into the rectangle; to the left: back to the whole diagram.
            if (pos.x() > origin_.x()) {
                if (std::abs(pos.x() - origin_.x()) >= 2 && std::abs(pos.y() - origin_.y()) >= 2)
                    zoomToRect(QRect(origin_, pos));
            } else {
                undoZoom();
            }
            break;
        case Gesture::RightPending:
            if (event->button() == Qt::RightButton) emit contextMenuRequested(pos);
            break;
        case Gesture::Scroll:
        case Gesture::None: break;
    }
    event->accept();
}

void DiagramPlot::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y();
    if (steps == 0) return;
    zoomAbout(event->position().toPoint(), std::pow(0.85, steps / 120.0));
    event->accept();
}

}  // namespace plot
