#pragma once
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "calc/grid_run.h"
#include "functions/phase_functions.h"
#include "results/invariant_table.h"
#include "results/special_points.h"

namespace cli {

// Removes every `flag` (an option without a value) from args; true when there was one.
bool takeFlag(std::vector<std::string>& args, const std::string& flag);

// The refined invariants of a finished run whose phases are still assembled in `phases`.
std::vector<results::Invariant> refinedInvariants(const calc::GridRun& run, functions::PhaseFunctions& phases,
                                                  const results::SpecialPoints& special);

// The table of invariants as aligned text, as CSV (one row per invariant, up to three phases) or
// as JSON; numbers with "." as the decimal separator.
void writeInvariantsText(std::ostream& out, const std::vector<results::Invariant>& table);
void writeInvariantsCsv(std::ostream& out, const std::vector<results::Invariant>& table);
void writeInvariantsJson(std::ostream& out, const std::vector<results::Invariant>& table);

// The boundary points with refined compositions: the columns of boundaries.csv, then GridX and
// Refined (1 or 0).
void writeRefinedBoundaries(std::ostream& out, const std::vector<results::RefinedBoundary>& boundaries);

// `calc --refine`: writes "invariants.csv" and the refined "boundaries.csv" into outDir.
void writeRefinedFiles(const std::filesystem::path& outDir, const calc::GridRun& run,
                       functions::PhaseFunctions& phases, const results::SpecialPoints& special);

}  // namespace cli
