#include "calc/grid_limits.h"

#include <algorithm>
#include <cmath>

#include <unistd.h>

#include "calc/points.h"
#include "util/number_format.h"

namespace calc {
namespace {

// Boundary points reserved per Y row: both ends of two two-phase fields.
constexpr double kBoundaryPointsPerRow = 4;
// A row's Y text in the matrix and its share of the text table.
constexpr double kBytesPerRowText = 48;

std::string gigabytes(double bytes) { return util::formatPicture(bytes / (1024.0 * 1024 * 1024), "0.#", '.') + " GB"; }

std::string whole(double v) { return util::formatPicture(v, "0", '.'); }

}  // namespace

GridEstimate EstimateGrid(double xIntervals, double yIntervals, std::size_t solutionPhases, std::size_t pointPhases) {
    GridEstimate e;
    const double gridCompositions = std::max(xIntervals, 2.0) + 1;
    // At most one point-phase composition joins each grid interval.
    const double compositions = gridCompositions + std::min(static_cast<double>(pointPhases), gridCompositions);
    e.columns = compositions + 1;
    e.rows = std::max(yIntervals, 1.0) + 2;
    e.cells = e.columns * e.rows;
    // The matrix grows row by row: while its storage moves, the old and the new block coexist.
    const double matrix = 2 * e.cells * sizeof(std::uint32_t);
    const double boundaries = e.rows * (kBoundaryPointsPerRow * sizeof(TZPoint) + kBytesPerRowText);
    const double working =
        compositions * (static_cast<double>(solutionPhases) * sizeof(double) + 3 * sizeof(TDPoint) + 32);
    e.bytes = matrix + boundaries + working;
    return e;
}

std::uint64_t PhysicalMemory() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0) return 0;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

std::optional<std::string> GridRefusal(int xIntervals, int yIntervals, std::size_t solutionPhases,
                                       std::size_t pointPhases, std::uint64_t memoryBytes) {
    const GridEstimate e = EstimateGrid(xIntervals, yIntervals, solutionPhases, pointPhases);
    const double memoryLimit = static_cast<double>(memoryBytes) / 2;
    if (e.cells <= kMaxGridCells && (memoryBytes == 0 || e.bytes <= memoryLimit)) return std::nullopt;
    std::string text = "The grid Xpoints = " + std::to_string(xIntervals) + " x Ypoints = " + std::to_string(yIntervals) +
                       " is too large: " + whole(e.cells) + " cells, about " + gigabytes(e.bytes) + " of memory.\r" +
                       "The limit is " + whole(kMaxGridCells) + " cells";
    if (memoryBytes != 0) text += " and " + gigabytes(memoryLimit) + " (half of this computer's memory)";
    return text + ".";
}

bool CheckGridSize(int xIntervals, int yIntervals, std::size_t solutionPhases, std::size_t pointPhases,
                   util::Dialogs& dialogs) {
    const auto refusal = GridRefusal(xIntervals, yIntervals, solutionPhases, pointPhases, PhysicalMemory());
    if (!refusal) return true;
    dialogs.error(*refusal);
    return false;
}

}  // namespace calc
