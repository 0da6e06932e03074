#include "calc/run_parameters.h"

#include <algorithm>
#include <vector>

#include "util/number_format.h"
#include "util/text.h"
#include "util/utf8.h"

namespace calc {

namespace {

// The text without its first n characters (code points; a broken byte counts as one).
std::string dropCharacters(std::string_view text, int n) {
    size_t pos = 0;
    for (int k = 0; k < n && pos < text.size(); ++k) {
        size_t length = util::decodeUtf8At(text, pos).length;
        pos += length == 0 ? 1 : length;
    }
    return std::string(text.substr(pos));
}

std::vector<std::string_view> memoLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
            lines.push_back(text.substr(start, i - start));
            if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    return lines;
}

bool containsText(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace

int yMeaningIndex(std::string_view yparameter) {
    if (util::equalsIgnoreCase(yparameter, "Temperature")) return kYTemperature;
    if (util::equalsIgnoreCase(yparameter, "Pressure")) return kYPressure;
    if (util::equalsIgnoreCase(yparameter, "Y")) return kYFree;
    return kYNone;
}

ZValueLabel zValueLabel(int yMeaningIndex) {
    switch (yMeaningIndex) {
        case kYTemperature: return {true, "P, бар"};
        case kYPressure: return {true, "T, К"};
        case kYFree: return {false, "P = 1 бар, T = 300 K"};
        default: return {true, std::nullopt};
    }
}

bool RunParameters::read(const SystemRecord& system, util::Dialogs& dialogs) {
    ParametersInvalid = true;
    XMin = 0;
    XMax = 1;
    PValue = 1;
    TValue = 300;
    XCaption.clear();
    YCaption.clear();

    for (std::string_view line : memoLines(system.Abbreviations)) {
        std::string s = util::trim(line);
        if (size_t comment = s.find('%'); comment != std::string::npos) s.erase(comment);
        size_t equals = s.find('=');
        if (s.empty() || equals == std::string::npos) continue;
        std::string head;
        for (size_t i = 0; i < equals; ++i)
            if (static_cast<unsigned char>(s[i]) > 32) head += s[i];
        s = head + s.substr(equals);

        std::string upper = util::toUpperText(s);
        if (containsText(upper, "#XCAP=")) {
            XCaption = dropCharacters(s, 6);
            continue;
        }
        if (containsText(upper, "#YCAP=")) {
            YCaption = dropCharacters(s, 6);
            continue;
        }
        s = util::RemoveBlanks(s);
        upper = util::toUpperText(s);
        double* target = nullptr;
        int drop = 0;
        if (containsText(upper, "#XMIN=")) {
            target = &XMin;
            drop = 6;
        } else if (containsText(upper, "#XMAX=")) {
            target = &XMax;
            drop = 6;
        } else if (upper.starts_with("P=")) {
            target = &PValue;
            drop = 2;
        } else if (upper.starts_with("T=")) {
            target = &TValue;
            drop = 2;
        }
        if (target == nullptr) continue;
        std::string value = util::trim(dropCharacters(s, drop));
        if (!value.empty()) *target = util::ParseNumber(value, dialogs);
    }

    // An empty or reversed composition range would make every step and chord slope meaningless.
    if (!(XMax > XMin)) {
        dialogs.warning("Xmax must be more than Xmin");
        return false;
    }
    YMin = system.Ymin;
    YMax = system.Ymax;
    if (YMax < YMin) {
        dialogs.warning("Ymax must be more that Ymin");
        return false;
    }

    YText = system.Yparameter;
    YParameter = yMeaningIndex(system.Yparameter);
    if (YParameter == kYTemperature) PValue = system.Zvalue;
    if (YParameter == kYPressure) TValue = system.Zvalue;
    if (!(PValue > 0)) PValue = 1;

    YCurrent = YMax;
    YIntervals = std::max(system.Ypoints, 1);
    XIntervals = std::max(system.Xpoints, 2);
    XStep = (XMax - XMin) / XIntervals;
    BottomAxisIncrement = std::max(util::roundHalfEven((XMax - XMin) * 1000) / 10000, 0.0);
    YStep = (YMax - YMin) / YIntervals;
    RowIndex = -1;
    ParametersInvalid = false;
    return true;
}

void RunParameters::enterRow() {
    if (YParameter == kYTemperature) TValue = YCurrent;
    if (YParameter == kYPressure) PValue = YCurrent;
}

}  // namespace calc
