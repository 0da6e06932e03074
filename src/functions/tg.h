#pragma once
#include <vector>

namespace functions {

// G of one solution phase at each entry of CompositionList, in list order (J/mol).
using TG = std::vector<double>;

}  // namespace functions
