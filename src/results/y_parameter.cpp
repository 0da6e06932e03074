#include "results/y_parameter.h"

namespace results {

std::string yParameterText(int yParameterIndex) {
    switch (yParameterIndex) {
        case calc::kYTemperature: return "Temperature";
        case calc::kYPressure: return "Pressure";
        case calc::kYFree: return "Y";
        default: return "";
    }
}

std::string yLetter(int yParameterIndex) {
    std::string text = yParameterText(yParameterIndex);
    return text.empty() ? std::string("Y") : text.substr(0, 1);
}

}  // namespace results
