#include "gui/plot/diagram_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QMimeData>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <sstream>

#include "gui/plot/diagram_plot.h"
#include "util/errors.h"

namespace plot {

namespace {

QSize pictureSize(DiagramPlot& plot, int width, int height) {
    return {width > 0 ? width : plot.width(), height > 0 ? height : plot.height()};
}

void writeFile(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw util::Error("Cannot write " + fileName.toStdString());
}

// Draws the chart through QCustomPlot's own painter onto any paint device. The layout is computed
// for the picture's size, so axes and labels are placed as on a window of that size.
void drawOnto(DiagramPlot& plot, QPaintDevice& device, QSize size) {
    QCPPainter painter(&device);
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    plot.toPainter(&painter, size.width(), size.height());
    painter.end();
}

}  // namespace

QByteArray svgBytes(DiagramPlot& plot, int width, int height) {
    const QSize size = pictureSize(plot, width, height);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(plot.titleText().trimmed());
    QStringList titles;
    for (int i = 0; i < plot.seriesCount(); ++i) titles << plot.seriesTitle(i);
    generator.setDescription(titles.join('\n'));
    drawOnto(plot, generator, size);
    return bytes;
}

void saveSvg(DiagramPlot& plot, const QString& fileName, int width, int height) {
    writeFile(fileName, svgBytes(plot, width, height));
}

QByteArray pdfBytes(DiagramPlot& plot, int width, int height) {
    const QSize size = pictureSize(plot, width, height);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator("Ravo");
    writer.setTitle(plot.titleText().trimmed());
    writer.setResolution(96);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point, QString(), QPageSize::ExactMatch));
    drawOnto(plot, writer, size);
    return bytes;
}

void savePdf(DiagramPlot& plot, const QString& fileName, int width, int height) {
    writeFile(fileName, pdfBytes(plot, width, height));
}

QImage bitmap(DiagramPlot& plot, int width, int height) {
    const QSize size = pictureSize(plot, width, height);
    return plot.toPixmap(size.width(), size.height()).toImage();
}

void savePng(DiagramPlot& plot, const QString& fileName, int dpi, int width, int height) {
    if (dpi < 10 || dpi > 2400) throw util::Error("The resolution must lie between 10 and 2400 dpi");
    const QSize size = pictureSize(plot, width, height);
    QImage image = plot.toPixmap(size.width(), size.height(), dpi / 96.0).toImage();
    const int dotsPerMeter = static_cast<int>(dpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw util::Error("Cannot write " + fileName.toStdString());
    writeFile(fileName, bytes);
}

void savePicture(DiagramPlot& plot, const QString& fileName, int dpi, int width, int height) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == "svg") saveSvg(plot, fileName, width, height);
    else if (suffix == "pdf") savePdf(plot, fileName, width, height);
    else if (suffix == "png") savePng(plot, fileName, dpi, width, height);
    else if (suffix == "csv") {
        std::ostringstream out;
        results::writeDiagramCsv(out, plot.content());
        const std::string text = out.str();
        writeFile(fileName, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    } else {
        throw util::Error("Unknown picture type: " + fileName.toStdString() + " (use .svg, .pdf, .png or .csv)");
    }
}

QMimeData* clipboardData(DiagramPlot& plot) {
    auto* data = new QMimeData;
    data->setData("image/svg+xml", svgBytes(plot));
    data->setData("application/pdf", pdfBytes(plot));
    data->setImageData(bitmap(plot));
    return data;
}

}  // namespace plot
