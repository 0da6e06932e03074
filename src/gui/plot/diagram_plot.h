#pragma once
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRubberBand>
#include <qcustomplot.h>

#include "results/chart_settings.h"
#include "results/diagram_content.h"

namespace plot {

// The phase diagram chart: composition on the bottom axis, Y on the left one, the title (the Y
// caption, left-aligned) above and the foot (the x caption, right-aligned) below. It draws a
// results::DiagramContent in its series order and keeps the region labels as text items anchored in
// axis coordinates, so every export and copy draws them where they stand on the axes.
//
// Mouse: a left drag from left to right zooms into the rectangle, a left drag towards the left
// undoes the zoom; a left click (no drag) is reported as leftClicked(). A right drag scrolls; a
// right click on the empty chart is reported as contextMenuRequested(). The wheel zooms about the
// point under the mouse. A left drag that starts on a region label moves the label: its top-left
// corner follows the mouse. A right press on a label is reported as labelRightPressed().
class DiagramPlot : public QCustomPlot {
    Q_OBJECT
public:
    explicit DiagramPlot(QWidget* parent = nullptr);

    // Replaces every series by the content's, restores the automatic (or the settings' fixed)
    // ranges and replots. Region labels are not touched.
    void setContent(const results::DiagramContent& content);
    const results::DiagramContent& content() const { return content_; }

    // Title, foot, axis ranges, grid and series looks; the current series are restyled.
    void applySettings(const results::ChartSettings& settings);
    results::ChartSettings settings() const { return settings_; }

    QString titleText() const;
    void setTitleText(const QString& text);
    QString footText() const;
    void setFootText(const QString& text);

    int seriesCount() const { return graphCount(); }
    QString seriesTitle(int index) const;

    // Region labels: top-left corner at a point of the widget, in axis coordinates from then on.
    QCPItemText* addRegionLabel(const QPoint& pixel, const QString& text, const QFont& font, const QColor& color);
    QList<QCPItemText*> regionLabels() const;
    QCPItemText* regionLabelAt(const QPoint& pixel) const;
    void moveRegionLabel(QCPItemText* label, const QPoint& pixel);
    void removeRegionLabel(QCPItemText* label);
    void removeRegionLabels();

    // Zoom and scroll in pixels of the widget, as the mouse does them; each marks the chart zoomed.
    void zoomToRect(const QRect& rect);
    void scrollBy(const QPoint& delta);
    void zoomAbout(const QPoint& pixel, double factor);
    // Back to the ranges the content and settings give.
    void undoZoom();
    bool isZoomed() const { return zoomed_; }

    // The plot rectangle (bounded by the axes) contains the point, edges included.
    bool insidePlotRect(const QPoint& pixel) const;
    QPointF axisValues(const QPoint& pixel) const;

signals:
    void leftClicked(const QPoint& pixel);
    void contextMenuRequested(const QPoint& pixel);
    void labelRightPressed(QCPItemText* label, bool altHeld);
    void mouseMovedTo(const QPoint& pixel);
    void zoomedByUser();
    void scrolledByUser();
    void zoomUndone();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void restyle();
    void applyHomeRanges();

    enum class Gesture { None, LeftPending, Rubber, RightPending, Scroll, DragLabel };

    results::DiagramContent content_;
    results::ChartSettings settings_;
    QCPTextElement* title_ = nullptr;
    QCPTextElement* foot_ = nullptr;
    QRubberBand* rubber_ = nullptr;
    Gesture gesture_ = Gesture::None;
    QPoint origin_;
    QPoint last_;
    QCPItemText* dragged_ = nullptr;
    bool zoomed_ = false;
};

// The series looks of the chart as QCustomPlot styles.
QCPScatterStyle scatterStyle(const results::SeriesStyle& style);

}  // namespace plot
