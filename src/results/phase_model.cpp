#include "results/phase_model.h"

#include "util/text.h"

namespace results {

int PhaseModel::find(std::string_view name) const {
    for (int i = 0; i < phaseCount(); ++i)
        if (util::equalsIgnoreCase(phaseName(i), name)) return i;
    return -1;
}

}  // namespace results
