#pragma once
#include <vector>

#include "results/diagram_content.h"
#include "results/invariant_table.h"

namespace results {

// The diagram with its node lines moved onto the refined invariants. A node line belongs to the
// invariant that came from its node (Invariant::fromNode, with the node's Y and left and right
// compositions as its grid values); when that invariant is refined, the line runs from the
// invariant's first to its last composition at its exact Y and its title gives that Y. Every other
// series, and a node line without a refined invariant, stays exactly as it was.
DiagramContent withRefinedNodeLines(DiagramContent content, const std::vector<Invariant>& invariants,
                                    char decimalSeparator);

}  // namespace results
