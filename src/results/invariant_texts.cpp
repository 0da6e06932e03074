#include "results/invariant_texts.h"

#include "util/number_format.h"

namespace results {

InvariantTexts invariantTexts(const Invariant& entry, char decimalSeparator) {
    InvariantTexts texts;
    texts.y = util::formatPicture(entry.y, "0.###", decimalSeparator);
    // Phases are parted by "; " so that a decimal comma cannot be taken for a separator.
    for (const InvariantPhase& phase : entry.phases)
        texts.compositions += (texts.compositions.empty() ? "" : "; ") + phase.name + " " +
                              util::formatPicture(phase.x, "0.#####", decimalSeparator);
    texts.grid = util::formatPicture(entry.gridY, "0.###", decimalSeparator);
    for (size_t i = 0; i < entry.gridX.size(); ++i)
        texts.grid += (i == 0 ? " (" : " | ") + util::formatPicture(entry.gridX[i], "0.####", decimalSeparator);
    if (!entry.gridX.empty()) texts.grid += ")";
    if (!entry.refined) texts.reason = entry.reason;
    return texts;
}

}  // namespace results
