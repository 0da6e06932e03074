#include "results/y_parameter.h"

namespace results {

std::string yParameterText(int yParameterIndex) {
    switch (yParameterIndex) {
        case kYTemperature: return "Temperature";
        case kYPressure: return "Pressure";
        case kYFree: return "Y";
        default: return "";
    }
}

std::string yLetter(int yParameterIndex) {
    std::string text = yParameterText(yParameterIndex);
    return text.empty() ? std::string("Y") : text.substr(0, 1);
}

}  // namespace results
