#pragma once
#include "calc/phase_matrix.h"
#include "results/special_point_sink.h"

namespace results {

// Looks through the phase matrix for the places where the picture of phases changes from one Y
// row to the next, and hands the nodes, the other special points with their texts and the
// diagram's special point series to the sink, in the order found (see SpecialPointSink).
//
// Only the matrix is read: the cell texts (phase names, the two-phase marker "E") and the numbers
// kept beside the header texts (compositions and Y values as the texts show them). A header
// without a number stops the search with util::Error; what the sink received before stays. A
// matrix with fewer than two data rows, or without data columns, finds nothing.
// yParameterIndex (see y_parameter.h) gives the letter that opens each other-point text; its
// numbers are written with decimalSeparator.
void FindSpecialPoints(const calc::PhaseMatrix& matrix, int yParameterIndex, char decimalSeparator,
                       SpecialPointSink& sink);

}  // namespace results
