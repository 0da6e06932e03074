#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "calc/system_record.h"
#include "functions/run_values.h"
#include "util/dialogs.h"

namespace calc {

// What Y stands for: the item index of the Y selector (dbcbY) of a system.
enum YMeaning : int { kYNone = -1, kYTemperature = 0, kYPressure = 1, kYFree = 2 };

// The item index of a Yparameter field text; letter case does not matter.
int yMeaningIndex(std::string_view yparameter);

// The label beside the Zvalue edit (lblZ) and whether the edit is shown, for a Y selector item
// index: 0 "P, бар"; 1 "T, К"; 2 "P = 1 бар, T = 300 K" with the edit hidden. For any other index
// the edit is shown and the caption stays what it was (nullopt).
struct ZValueLabel {
    bool editVisible = true;
    std::optional<std::string> caption;
};
ZValueLabel zValueLabel(int yMeaningIndex);

// The numbers that drive one grid run. XMin, XMax, PValue and YCurrent are the values the phase
// evaluators read (the base part is handed to them by reference). Fields keep their values
// between runs; read() sets them anew.
struct RunParameters : functions::RunValues {
    bool ParametersInvalid = true;
    int XIntervals = 2;  // NX
    double XStep = 0.5;
    double YMin = 0;
    double YMax = 0;
    int YIntervals = 1;  // NY
    double YStep = 0;
    double TValue = 300;  // temperature passed to the evaluators, K
    std::string XCaption;
    std::string YCaption;
    int YParameter = kYNone;  // what Y stands for (YMeaning)
    std::string YText;        // the Y selector's text: the system's Yparameter as stored
    int RowIndex = -1;        // index of the last computed Y row
    double BottomAxisIncrement = 0.1;  // working diagram: one tenth of the composition range

    // Reads the system record and the directive lines of its Abbreviations text. Unreadable
    // directive numbers show the message of ParseNumber and its value is used. Refuses, with a
    // warning and ParametersInvalid left true, "Ymax must be more that Ymin" and an empty or
    // reversed composition range (XMax <= XMin). Returns !ParametersInvalid.
    bool read(const SystemRecord& system, util::Dialogs& dialogs);

    // The temperature and pressure of the row about to be computed follow Y when it stands for
    // one of them.
    void enterRow();
};

}  // namespace calc
