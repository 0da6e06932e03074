#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "util/dialogs.h"

namespace calc {

// How large a grid run may grow. The matrix (four bytes a cell) and the boundary points grow with
// the grid; without a bound a grid the user mistyped (20000 x 20000, or 2e9 compositions) would eat
// the machine's memory before the first row is drawn.
inline constexpr double kMaxGridCells = 1e8;

// What a run of `xIntervals` x `yIntervals` grid intervals will hold at its peak.
struct GridEstimate {
    double columns = 0;  // matrix columns: compositions (point-phase ones included) + the Y column
    double rows = 0;     // matrix rows: Y rows + the header row
    double cells = 0;
    double bytes = 0;    // matrix while it grows, boundary points, per-row working arrays
};
GridEstimate EstimateGrid(double xIntervals, double yIntervals, std::size_t solutionPhases, std::size_t pointPhases);

// The machine's physical memory in bytes (0 when unknown).
std::uint64_t PhysicalMemory();

// The refusal text for a grid beyond kMaxGridCells cells or half of `memoryBytes` (no memory bound
// when 0), naming the grid and the limit; nullopt when the grid fits.
std::optional<std::string> GridRefusal(int xIntervals, int yIntervals, std::size_t solutionPhases,
                                       std::size_t pointPhases, std::uint64_t memoryBytes);

// Checks the grid before a run allocates it: shows the refusal as an error and returns false when
// the grid is too large.
bool CheckGridSize(int xIntervals, int yIntervals, std::size_t solutionPhases, std::size_t pointPhases,
                   util::Dialogs& dialogs);

}  // namespace calc
