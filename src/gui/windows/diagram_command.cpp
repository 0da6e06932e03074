#include "gui/windows/diagram_command.h"

#include "db/tdm.h"
#include "engine/calculation.h"
#include "gui/windows/tfm_diagram2.h"
#include "results/region_label.h"

namespace gui {

void sbDiagramClick(TfmDiagram2& window, DiagramRequest request) {
    results::DiagramInputs inputs;
    if (request.results) inputs.boundaries = request.results->boundaries();
    inputs.special = request.special;
    inputs.experiment = std::move(request.experiment);
    if (request.parameters) {
        inputs.xCaption = request.parameters->XCaption;
        inputs.yCaption = request.parameters->YCaption;
        inputs.yParameterIndex = request.parameters->YParameter;
        if (request.results && request.results->matrix.rowCount() > 1) {
            inputs.gridXMin = request.parameters->XMin;
            inputs.gridXMax = request.parameters->XMax;
            inputs.gridYMin = request.parameters->YMin;
            inputs.gridYMax = request.parameters->YMax;
        }
    }
    inputs.defaultFoot = window.defaultFootText();
    inputs.decimalSeparator = request.decimalSeparator;

    TfmDiagram2::RegionLookup lookup;
    if (request.results) {
        const calc::PhaseMatrix* matrix = &request.results->matrix;
        lookup = [matrix, running = std::move(request.running)](double cx, double cy) -> std::optional<std::string> {
            if (running && running()) return std::nullopt;
            return results::regionLabelText(*matrix, cx, cy);
        };
    }
    window.showDiagram(results::buildDiagramContent(inputs), std::move(lookup));
}

void sbDiagramClick(TfmDiagram2& window, engine::Calculation& calculation, const db::TDM& tdm,
                    char decimalSeparator) {
    DiagramRequest request;
    request.results = &calculation.results();
    request.parameters = &calculation.parameters();
    request.special = &calculation.findSpecialPoints();
    request.experiment = results::experimentPoints(tdm.tblExperiment);
    request.running = [&calculation] { return calculation.running(); };
    request.decimalSeparator = decimalSeparator;
    sbDiagramClick(window, std::move(request));
}

}  // namespace gui
