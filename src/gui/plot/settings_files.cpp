#include "gui/plot/settings_files.h"

#include <QApplication>
#include <QFile>
#include <QPalette>
#include <QSaveFile>
#include <sstream>

#include "util/errors.h"

namespace plot {

namespace {

std::optional<std::string> readWhole(const QString& fileName) {
    QFile file(fileName);
    if (!file.exists()) return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) throw util::Error("Cannot read " + fileName.toStdString());
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void writeWhole(const QString& fileName, const std::string& bytes) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.commit())
        throw util::Error("Cannot write " + fileName.toStdString());
}

}  // namespace

std::optional<results::ChartSettings> loadChartSettings(const QString& fileName) {
    const std::optional<std::string> bytes = readWhole(fileName);
    if (!bytes) return std::nullopt;
    std::istringstream in(*bytes);
    return results::readChartSettings(in);
}

void saveChartSettings(const QString& fileName, const results::ChartSettings& settings) {
    std::ostringstream out;
    results::writeChartSettings(out, settings);
    writeWhole(fileName, out.str());
}

bool loadLabelFont(const QString& fileName, results::LabelFontStyle& font) {
    const std::optional<std::string> bytes = readWhole(fileName);
    if (!bytes) return false;
    std::istringstream in(*bytes);
    return results::readLabelFont(in, font);
}

void saveLabelFont(const QString& fileName, const results::LabelFontStyle& font) {
    std::ostringstream out;
    results::writeLabelFont(out, font);
    writeWhole(fileName, out.str());
}

QFont toQFont(const results::LabelFontStyle& style) {
    QFont font(QString::fromStdString(style.name));
    if (style.size > 0) font.setPointSize(style.size);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

QColor toQColor(std::uint32_t color) {
    if (!results::isSystemColor(color))
        return QColor::fromRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    const QPalette palette = QApplication::palette();
    switch (color & 0xFF) {
        case 5: case 4: return palette.color(QPalette::Window);           // window, menu
        case 13: return palette.color(QPalette::Highlight);
        case 14: return palette.color(QPalette::HighlightedText);
        case 15: return palette.color(QPalette::Button);                  // button face
        case 18: return palette.color(QPalette::ButtonText);
        case 17: return palette.color(QPalette::Disabled, QPalette::Text);  // grey text
        case 23: return palette.color(QPalette::ToolTipText);
        case 24: return palette.color(QPalette::ToolTipBase);
        default: return palette.color(QPalette::WindowText);              // window text and the rest
    }
}

results::LabelFontStyle toLabelFontStyle(const QFont& font, const QColor& color, std::uint32_t previousColor) {
    results::LabelFontStyle style;
    style.name = font.family().toStdString();
    style.size = font.pointSize() > 0 ? font.pointSize() : static_cast<int>(font.pointSizeF() + 0.5);
    style.color = toQColor(previousColor) == color ? previousColor
                                                  : results::colorFromRgb(color.red(), color.green(), color.blue());
    style.bold = font.bold();
    style.italic = font.italic();
    style.underline = font.underline();
    return style;
}

}  // namespace plot
