#pragma once
#include <optional>

#include "functions/run_values.h"
#include "functions/tfunc.h"

namespace functions {

// Sets the piece's composition window from a record's stored Xmin, Xmax (empty fields read as 0):
// Xmin below 0 becomes 0, Xmax above 1 or equal to 0 becomes 1. When the stored values are equal
// (both empty, or both the same number; an empty field does not equal a stored 0) the record
// names no window and the run's composition range applies.
inline void setCompositionWindow(Tfunc& piece, const std::optional<double>& xmin,
                                 const std::optional<double>& xmax, const RunValues& run) {
    const bool same = (!xmin && !xmax) || (xmin && xmax && *xmin == *xmax);
    if (same) {
        piece.Xmin = run.XMin;
        piece.Xmax = run.XMax;
        return;
    }
    piece.Xmin = xmin.value_or(0);
    if (piece.Xmin < 0) piece.Xmin = 0;
    piece.Xmax = xmax.value_or(0);
    if (piece.Xmax > 1 || piece.Xmax == 0) piece.Xmax = 1;
}

}  // namespace functions
