#include "results/diagram_texts.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "results/y_parameter.h"

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
    std::string text;
    if (std::isnan(value)) {
        text = "NAN";
    } else if (std::isinf(value)) {
        text = value < 0 ? "-INF" : "INF";
    } else {
        char buffer[400];
        if (std::fabs(value) >= 1) {
            auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
            text.assign(buffer, result.ptr);
        } else {
            auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 4);
            std::string_view written(buffer, static_cast<size_t>(result.ptr - buffer));
            size_t e = written.find('e');
            int exponent = std::atoi(std::string(written.substr(e + 1)).c_str());
            std::string digits = std::to_string(std::abs(exponent));
            if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
            text = std::string(written.substr(0, e)) + "E" + (exponent < 0 ? "-" : "+") + digits;
        }
        for (char& ch : text)
            if (ch == '.') ch = decimalSeparator;
    }
    if (text.size() < 12) text.append(12 - text.size(), ' ');
    return text;
}

std::string coordinateReadout(double x, double v, std::string_view chartTitle, char decimalSeparator) {
    std::string_view firstLine = chartTitle.substr(0, chartTitle.find_first_of("\r\n"));
    return "X = " + readoutNumber(x, decimalSeparator) + "    " + std::string(firstLine) + " = " +
           readoutNumber(v, decimalSeparator);
}

}  // namespace results
