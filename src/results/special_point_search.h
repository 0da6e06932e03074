#pragma once
#include "calc/phase_matrix.h"
#include "results/special_point_sink.h"

namespace results {

// Looks through the phase matrix for the places where the picture of phases changes from one Y
// row to the next, and hands the nodes, the other special points with their texts and the
// diagram's special point series to the sink, in the order found (see SpecialPointSink).
//
// Only the texts of the matrix are read: phase names, the two-phase marker "E", and the header
// texts, which are read as numbers written with decimalSeparator (the run wrote them so). A header
// text that is not such a number stops the search with util::Error; what the sink received before
// stays. A matrix with fewer than two data rows, or without data columns, finds nothing.
// yParameterIndex (see y_parameter.h) gives the letter that opens each other-point text.
void FindSpecialPoints(const calc::PhaseMatrix& matrix, int yParameterIndex, char decimalSeparator,
                       SpecialPointSink& sink);

}  // namespace results
