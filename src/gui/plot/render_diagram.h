#pragma once
// Deliberately free of Qt headers: ravo-cli includes it.
#include <string>

#include "results/chart_settings.h"
#include "results/diagram_content.h"

namespace plot {

struct RenderOptions {
    int width = 800;   // pixels of the chart as a window would show it
    int height = 600;
    int dpi = 300;     // PNG only
};

// Draws the diagram with the desktop program's chart code and writes it by the file's extension
// (".svg", ".pdf", ".png"; ".csv" writes the points). Works without a display: when no Qt
// application object exists it creates one, on the offscreen platform unless QT_QPA_PLATFORM is set
// or a display is reachable. Throws util::Error when the file cannot be written or has another
// extension.
void renderDiagramFile(const results::DiagramContent& content, const results::ChartSettings& settings,
                       const std::string& fileName, const RenderOptions& options = {});

}  // namespace plot
