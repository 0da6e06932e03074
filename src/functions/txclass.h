#pragma once

namespace functions {

// One grid composition: the object of a CompositionList entry.
struct TXclass {
    double x = 0;
};

}  // namespace functions
