#pragma once
#include <iosfwd>
#include <string>

namespace db { class TDM; }
namespace engine { class Calculation; }

namespace cli {

// True for the picture types --plot writes: ".svg", ".pdf", ".png" (letter case ignored).
bool isPlotFileName(const std::string& fileName);

// ravo-cli calc --plot: the phase diagram of the last run as the desktop program's chart draws it
// (boundaries, the special points and node lines of the last search, the current system's measured
// points), written without a display. The chart's appearance comes from "Chart.cfg" in the current directory when there is
// one; a damaged one is reported on `err` and the default appearance is used. Throws util::Error
// when the picture cannot be written or this ravo-cli was built without the chart library.
void writePlot(const std::string& fileName, const engine::Calculation& calculation, const db::TDM& tdm, std::ostream& err);

}  // namespace cli
