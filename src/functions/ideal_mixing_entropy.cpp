#include "functions/ideal_mixing_entropy.h"

#include <cmath>

namespace functions {

double IdealMixingEntropy(double x) {
    if (x <= 0 || x >= 1) return 0;
    const long double lx = x;
    const long double rest = 1.0L - lx;
    const long double r = 8.31441L;
    return static_cast<double>(r * (-lx * std::log(lx) - rest * std::log(rest)));
}

}  // namespace functions
