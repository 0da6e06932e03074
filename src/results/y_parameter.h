#pragma once
#include <string>

namespace results {

// What Y stands for, as the item index of the Y-parameter selector of a system:
// 0 temperature, 1 pressure, 2 the free variable y, -1 (or anything else) none chosen.
enum YParameterIndex : int { kYTemperature = 0, kYPressure = 1, kYFree = 2 };

// The selector's display text: "Temperature", "Pressure", "Y"; "" when none is chosen.
std::string yParameterText(int yParameterIndex);

// The first letter of the display text, which opens every other-point text: "T", "P" or "Y".
// With none chosen there is no display text; "Y" is used then, as Y is treated like the free
// variable in that case.
std::string yLetter(int yParameterIndex);

}  // namespace results
