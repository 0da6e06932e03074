#pragma once

namespace functions {

// The gas constant in J/(mol*K), as the expressions see it in R.
inline constexpr double GasConstant = 8.31441;

// Ideal entropy of mixing of a binary solution at mole fraction x, J/(mol*K):
// R * (-x ln x - (1-x) ln(1-x)), 0 for x <= 0 or x >= 1. Computed in extended precision and
// rounded to double once at the end.
double IdealMixingEntropy(double x);

}  // namespace functions
