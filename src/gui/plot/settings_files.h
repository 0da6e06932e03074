#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

#include "results/chart_settings.h"
#include "results/label_font_file.h"

namespace plot {

// "Chart.cfg" and "fntLabel.cfg" on disk. Both are written through QSaveFile: the old file is
// replaced only when the new one was written whole, so a crash or a full disk never leaves a
// damaged file behind. Writers throw util::Error naming the file.

// nullopt when the file does not exist; util::Error (from the reader) when it is damaged.
std::optional<results::ChartSettings> loadChartSettings(const QString& fileName);
void saveChartSettings(const QString& fileName, const results::ChartSettings& settings);

// false when the file does not exist or has fewer than three lines; otherwise as
// results::readLabelFont, which applies the lines before a bad one to `font` and then throws.
bool loadLabelFont(const QString& fileName, results::LabelFontStyle& font);
void saveLabelFont(const QString& fileName, const results::LabelFontStyle& font);

// The label font as Qt draws it, and back. System colours take the application palette's colour
// of the same role; the colour value of `previous` is kept when the colour did not change, so a
// system colour stays symbolic in the file.
QFont toQFont(const results::LabelFontStyle& font);
QColor toQColor(std::uint32_t color);
results::LabelFontStyle toLabelFontStyle(const QFont& font, const QColor& color, std::uint32_t previousColor);

}  // namespace plot
