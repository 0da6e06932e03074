#pragma once
#include <string>

#include "results/invariant_table.h"

namespace results {

// The texts of one row of the table of invariant equilibria, as the invariants window and the
// command line show them; numbers with the given decimal separator.
struct InvariantTexts {
    std::string y;             // "454.563" ("0.###")
    std::string compositions;  // "Fcc_A1 0.26321; Liquid 0.73733; Bct_A5 0.97552" ("0.#####")
    std::string grid;          // "456 (0.26 | 0.74 | 0.975)": the grid's Y and compositions
    std::string reason;        // empty when refined
};

InvariantTexts invariantTexts(const Invariant& entry, char decimalSeparator);

}  // namespace results
