#pragma once
#include <string>
#include <string_view>

namespace results {

// Texts of the phase diagram chart before any settings were loaded.
inline constexpr std::string_view kInitialDiagramTitle = "       T, K";
inline constexpr std::string_view kInitialDiagramFoot = "Мольная доля (x) компонента B в системе A-B";
// Series titles, in the chart's series order (node lines come between the last two).
inline constexpr std::string_view kBoundarySeriesTitle = "Границы фаз";
inline constexpr std::string_view kSpecialPointSeriesTitle = "Особые точки";
inline constexpr std::string_view kExperimentSeriesTitle = "Экспериментальные данные";

// The chart title (the Y axis caption): "T, K" for temperature and "p, бар" for pressure whatever
// the caption directive says; for the free variable (or none chosen) the caption directive when
// there is one, else the selector's display text.
std::string diagramTitle(const std::string& yCaption, int yParameterIndex);

// The chart foot (the x axis caption): the caption directive when there is one, else the foot the
// chart had after its settings were loaded or last edited.
std::string diagramFoot(const std::string& xCaption, const std::string& defaultFoot);

// One readout value: for |v| >= 1 fixed with three decimals, otherwise scientific with five
// significant digits and a signed exponent of at least three digits (2.5000E-001); left-aligned
// and padded with blanks to 12 characters. Never reads the process locale.
std::string readoutNumber(double value, char decimalSeparator);

// The coordinate readout under the chart: "X = " + x + "    " + the first line of the chart
// title + " = " + v, both numbers as readoutNumber writes them.
std::string coordinateReadout(double x, double v, std::string_view chartTitle, char decimalSeparator);

}  // namespace results
