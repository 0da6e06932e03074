#pragma once
#include "functions/ideal_mixing_entropy.h"

namespace functions {

// One grid composition: the object of a CompositionList entry. Its ideal mixing entropy is
// computed once here, since the grid stays fixed for a whole run while every row evaluates every
// solution phase at every composition.
class TXclass {
public:
    explicit TXclass(double composition) : x(composition), sid(IdealMixingEntropy(composition)) {}

    const double x;    // mole fraction of the second component
    const double sid;  // IdealMixingEntropy(x)
};

}  // namespace functions
