#pragma once
#include <optional>
#include <string>

#include "calc/phase_matrix.h"

namespace results {

// The text of the region label a left click at the axis values (cx, cy) places on the diagram.
// The column is the first whose composition is at least cx, the row the first (from the highest
// Y down) whose Y is at most cy. A cell inside a two-phase field ("E") names the phases on its two
// sides as left + "+" + right; every "-(C)" mark of a point phase is dropped. nullopt when no
// label is placed: a click right of the last composition or below the lowest Y, or a matrix
// without data cells (before any run). The compositions and Y values are the numbers kept beside
// the header texts.
std::optional<std::string> regionLabelText(const calc::PhaseMatrix& matrix, double cx, double cy);

}  // namespace results
