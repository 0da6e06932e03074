#pragma once
#include <QImage>
#include <QWidget>

namespace gui {

// The mosaic diagram: a bitmap that grows row by row from YMax (top) down to YMin while a run
// works, showing two-phase fields as horizontal runs of the mosaic colour and point phases as small
// red circles. Single-phase fields are never painted and keep the white background.
//
// The bitmap is made at the window's size in screen pixels when a run starts and keeps that size
// for the whole run; the window always shows it stretched to its current client area, so a window
// resized during a run shows the same picture scaled.
//
// Geometry (W, H: bitmap size; u = (x - XMin) / (XMax - XMin)):
// - pixel column of x: W * u rounded half to even, so 0.5 ties fall on the even column;
// - pixel row of the k-th computed row (rowIndex = k - 1): 0 for the first two rows, then
//   Trunc((k - 2) * YStep * ImageScale) with ImageScale = (H - 10) / (YMax - YMin), pixels per unit
//   of Y; a zero Y range draws every row at the top.
// Pixels falling outside the bitmap (x = XMax lands on column W) are clipped.
class TfmMDiagram : public QWidget {
    Q_OBJECT
public:
    explicit TfmMDiagram(QWidget* parent = nullptr);

    struct Range {
        double xMin = 0;
        double xMax = 1;
        double yMin = 0;
        double yMax = 1;
        double yStep = 1;
    };

    // A fresh white bitmap at the current client size for a run over the given ranges.
    void resetMosaic(const Range& range);

    // Pixel row of a computed row (rowIndex 0 is the first row, YMax).
    int pixelRow(int rowIndex) const;
    // Pixel column of a composition, rounded half to even.
    int pixelColumn(double x) const;

    // A two-phase segment from x1 to x2 (either order) in the given pixel row, in `color`.
    void drawSegment(double x1, double x2, int pixelRow, QColor color);
    // A point phase at x: a red circle in the 5 x 5 box around (column of x, pixelRow).
    void drawPointPhase(double x, int pixelRow);

    const QImage& image() const { return image_; }
    double imageScale() const { return imageScale_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double fraction(double x) const;

    QImage image_;
    Range range_;
    double imageScale_ = 0;
};

}  // namespace gui
