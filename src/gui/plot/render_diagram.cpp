#include "gui/plot/render_diagram.h"

#include <QApplication>
#include <memory>

#include "gui/plot/diagram_export.h"
#include "gui/plot/diagram_plot.h"

namespace plot {

namespace {

// The widgets need an application object; a command-line host has none, so one lives for the
// drawing of one picture.
std::unique_ptr<QApplication> applicationIfNone() {
    if (QApplication::instance()) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "ravo-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

void renderDiagramFile(const results::DiagramContent& content, const results::ChartSettings& settings,
                       const std::string& fileName, const RenderOptions& options) {
    const std::unique_ptr<QApplication> application = applicationIfNone();
    DiagramPlot chart;
    chart.resize(options.width, options.height);
    chart.applySettings(settings);
    chart.setContent(content);
    chart.setTitleText(QString::fromStdString(content.title));
    chart.setFootText(QString::fromStdString(content.foot));
    savePicture(chart, QString::fromStdString(fileName), options.dpi, options.width, options.height);
}

}  // namespace plot
