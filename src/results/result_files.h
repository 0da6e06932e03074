#pragma once
#include <ostream>
#include <span>

#include "calc/phase_matrix.h"
#include "calc/points.h"

namespace results {

// The phase matrix as CSV: one line per matrix row, header row and column included, cells split
// by "," and written as the matrix holds them; a cell holding ",", a quote or a line break is
// quoted (inner quotes doubled). Lines end in LF.
void writeMatrixCsv(std::ostream& out, const calc::PhaseMatrix& matrix);

// The boundary points as CSV: the line "X,Y,Column,PhaseName", then one line per point in the
// order stored, numbers in the shortest form that reads back to the same double, with ".", phase
// names quoted as in writeMatrixCsv. Lines end in LF.
void writeBoundariesCsv(std::ostream& out, std::span<const calc::TZPoint> boundaries);

}  // namespace results
