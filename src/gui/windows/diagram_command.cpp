#include "gui/windows/diagram_command.h"

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
    if (request.results && request.dialogs) {
        const calc::PhaseMatrix* matrix = &request.results->matrix;
        util::Dialogs* dialogs = request.dialogs;
        lookup = [matrix, dialogs, running = std::move(request.running)](double cx, double cy)
            -> std::optional<std::string> {
            if (running && running()) return std::nullopt;
            return results::regionLabelText(*matrix, cx, cy, *dialogs);
        };
    }
    window.showDiagram(results::buildDiagramContent(inputs), std::move(lookup));
}

}  // namespace gui
