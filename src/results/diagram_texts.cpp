#include "results/diagram_texts.h"

#include <cmath>

#include "results/y_parameter.h"
#include "util/number_format.h"

namespace results {

std::string diagramTitle(const std::string& yCaption, int yParameterIndex) {
    if (yParameterIndex == calc::kYTemperature) return "T, K";
    if (yParameterIndex == calc::kYPressure) return "p, бар";
    return yCaption.empty() ? yParameterText(yParameterIndex) : yCaption;
}

std::string diagramFoot(const std::string& xCaption, const std::string& defaultFoot) {
    return xCaption.empty() ? defaultFoot : xCaption;
}

std::string readoutNumber(double value, char decimalSeparator) {
    return util::formatSpecifier(value, std::fabs(value) >= 1 ? "%-12.3f" : "%-12.5e", decimalSeparator);
}

std::string coordinateReadout(double x, double v, std::string_view chartTitle, char decimalSeparator) {
    std::string_view firstLine = chartTitle.substr(0, chartTitle.find_first_of("\r\n"));
    return "X = " + readoutNumber(x, decimalSeparator) + "    " + std::string(firstLine) + " = " +
           readoutNumber(v, decimalSeparator);
}

}  // namespace results
