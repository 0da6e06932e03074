#pragma once
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "engine/calculation.h"
#include "results/invariant_table.h"

namespace cli {

// Removes every `flag` (an option without a value) from args; true when there was one.
bool takeFlag(std::vector<std::string>& args, const std::string& flag);

// The table of invariants as aligned text, as CSV (one row per invariant, up to three phases) or
// as JSON; numbers with "." as the decimal separator.
void writeInvariantsText(std::ostream& out, const std::vector<results::Invariant>& table);
void writeInvariantsCsv(std::ostream& out, const std::vector<results::Invariant>& table);
void writeInvariantsJson(std::ostream& out, const std::vector<results::Invariant>& table);

// The boundary points with refined compositions: the columns of boundaries.csv, then GridX and
// Refined (1 or 0).
void writeRefinedBoundaries(std::ostream& out, const std::vector<results::RefinedBoundary>& boundaries);

// `calc --refine`: writes "invariants.csv" and the refined "boundaries.csv" of the calculation's
// last run into outDir.
void writeRefinedFiles(const std::filesystem::path& outDir, engine::Calculation& calculation);

}  // namespace cli
