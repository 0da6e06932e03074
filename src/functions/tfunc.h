#pragma once
#include <string>

namespace functions {

// One temperature piece of a phase function: the expression that applies for
// Tmin <= T <= Tmax (both inclusive) inside the composition window [Xmin, Xmax].
struct Tfunc {
    double Tmin = 0;
    double Tmax = 0;
    double Xmin = 0;
    double Xmax = 1;
    double X = -1;           // composition of a point phase; -1 for a solution phase
    double Y = -1;           // second composition value of the X text; -1 when absent
    std::string Expression;  // cleaned text with every reference replaced
};

}  // namespace functions
