#pragma once
#include <string_view>

namespace functions {

struct Composition {
    double x = -1;  // -1: no composition (a solution phase)
    double y = -1;  // -1: no second value
};

// Reads the X text of a Gibbs-energy record (trimmed by the caller): "x" or "x;y", each part an
// expression evaluated by a fresh parser with only the predefined variables, all 0. An empty
// first part is 0; a value above 1 becomes -1. Compile and evaluation errors of the parser are
// passed to the caller.
Composition ParseComposition(std::string_view text);

}  // namespace functions
