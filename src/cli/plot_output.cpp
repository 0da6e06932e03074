#include "cli/plot_output.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "db/tdm.h"
#include "engine/calculation.h"
#include "results/chart_settings.h"
#include "results/diagram_content.h"
#include "util/errors.h"
#ifdef RAVO_WITH_PLOT
#include "gui/plot/render_diagram.h"
#endif

namespace cli {

bool isPlotFileName(const std::string& fileName) {
    std::string extension = std::filesystem::path(fileName).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return extension == ".svg" || extension == ".pdf" || extension == ".png";
}

void writePlot(const std::string& fileName, const engine::Calculation& calculation, const db::TDM& tdm, std::ostream& err) {
#ifdef RAVO_WITH_PLOT
    results::ChartSettings settings;
    if (std::ifstream file("Chart.cfg", std::ios::binary); file) {
        try {
            settings = results::readChartSettings(file);
        } catch (const util::Error& e) {
            err << e.what() << "; the default appearance is used\n";
        }
    }
    const calc::RunParameters& parameters = calculation.parameters();
    results::DiagramInputs inputs;
    inputs.boundaries = calculation.results().boundaries();
    inputs.special = &calculation.specialPoints();
    inputs.experiment = results::experimentPoints(tdm.tblExperiment);
    inputs.xCaption = parameters.XCaption;
    inputs.yCaption = parameters.YCaption;
    inputs.yParameterIndex = parameters.YParameter;
    inputs.defaultFoot = settings.foot;
    inputs.decimalSeparator = '.';
    inputs.gridXMin = parameters.XMin;
    inputs.gridXMax = parameters.XMax;
    inputs.gridYMin = parameters.YMin;
    inputs.gridYMax = parameters.YMax;
    plot::renderDiagramFile(results::buildDiagramContent(inputs), settings, fileName);
#else
    (void)fileName, (void)calculation, (void)tdm, (void)err;
    throw util::Error("This ravo-cli was built without the chart library: --plot needs Qt 6 and QCustomPlot");
#endif
}

}  // namespace cli
