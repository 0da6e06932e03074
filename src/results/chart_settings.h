#pragma once
#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>

#include "results/diagram_content.h"

namespace results {

enum class MarkerShape { None, Circle, Square, Triangle, Diamond, Cross, Plus };

// The look of one kind of series on the phase diagram chart. All node lines share one style.
struct SeriesStyle {
    bool visible = true;
    std::uint32_t rgb = 0;  // 0xRRGGBB
    MarkerShape marker = MarkerShape::Circle;
    double size = 5;        // marker width in pixels
    bool dottedOutline = false;
    bool operator==(const SeriesStyle&) const = default;
};

struct AxisRange {
    bool automatic = true;
    double min = 0;
    double max = 1;
    bool operator==(const AxisRange&) const = default;
};

// What the chart editor changes and "Chart.cfg" keeps from one program run to the next.
struct ChartSettings {
    std::string title = "       T, K";
    std::string foot = "Мольная доля (x) компонента B в системе A-B";
    AxisRange bottom;
    AxisRange left;
    bool grid = true;
    // Indexed by DiagramSeriesKind.
    std::array<SeriesStyle, 4> styles = defaultStyles();

    SeriesStyle& style(DiagramSeriesKind kind) { return styles[static_cast<size_t>(kind)]; }
    const SeriesStyle& style(DiagramSeriesKind kind) const { return styles[static_cast<size_t>(kind)]; }
    static std::array<SeriesStyle, 4> defaultStyles();
    bool operator==(const ChartSettings&) const = default;
};

// "Chart.cfg": a text file in code page 1251 with CR LF line ends. The first line is
// "[Ravo chart 1]"; each further line is "key=value":
//   title, foot                       texts; a line break inside is written as "\n", a backslash "\\"
//   bottom, left                      "auto" or "MIN;MAX" (numbers with ".")
//   grid                              "1" or "0"
//   boundaries, special, nodes, experiment
//                                     "VISIBLE;#RRGGBB;MARKER;SIZE;OUTLINE" with MARKER one of none,
//                                     circle, square, triangle, diamond, cross, plus and OUTLINE
//                                     "solid" or "dotted"
// Blank lines are skipped; a key the program does not know is ignored, so an older program reads
// a newer file.
void writeChartSettings(std::ostream& out, const ChartSettings& settings);

// Reads a whole file. A missing first line, a line without "=", or a value that does not parse
// throws util::Error naming "Chart.cfg" and the line number; `settings` is not touched then, so the
// caller keeps the appearance it had.
ChartSettings readChartSettings(std::istream& in);

}  // namespace results
