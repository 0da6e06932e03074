#pragma once
#include <string>

#include "calc/run_parameters.h"

namespace results {

// yParameterIndex is the item index of the Y selector (calc::YMeaning).
// The selector's display text: "Temperature", "Pressure", "Y"; "" when none is chosen.
std::string yParameterText(int yParameterIndex);

// The first letter of the display text, which opens every other-point text: "T", "P" or "Y".
// With none chosen there is no display text; "Y" is used then, as Y is treated like the free
// variable in that case.
std::string yLetter(int yParameterIndex);

}  // namespace results
