#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

class QMimeData;

namespace plot {

class DiagramPlot;

// Pictures of the chart with its region labels, drawn at the given size in pixels (0: the widget's
// size). Every writer throws util::Error with the file name when the file cannot be written.

// SVG; its description lists the series titles, one per line, in chart order.
QByteArray svgBytes(DiagramPlot& plot, int width = 0, int height = 0);
void saveSvg(DiagramPlot& plot, const QString& fileName, int width = 0, int height = 0);
void savePdf(DiagramPlot& plot, const QString& fileName, int width = 0, int height = 0);
QByteArray pdfBytes(DiagramPlot& plot, int width = 0, int height = 0);
// PNG at `dpi`: the picture is drawn at the widget size scaled by dpi / 96 and marked with that
// resolution, so it prints at the size it has on the screen.
void savePng(DiagramPlot& plot, const QString& fileName, int dpi, int width = 0, int height = 0);
QImage bitmap(DiagramPlot& plot, int width = 0, int height = 0);

// By the extension: ".svg", ".pdf" or ".png" (letter case ignored); ".csv" writes the chart's
// points. Anything else throws util::Error.
void savePicture(DiagramPlot& plot, const QString& fileName, int dpi = 300, int width = 0, int height = 0);

// What "Копировать" puts on the clipboard: SVG and PDF for drawing and office programs, and the
// bitmap for everything else.
QMimeData* clipboardData(DiagramPlot& plot);

}  // namespace plot
