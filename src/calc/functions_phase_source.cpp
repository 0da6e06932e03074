#include "calc/functions_phase_source.h"

#include <memory>

namespace calc {

bool FunctionsPhaseSource::build() {
    phases_.run().CalculationMode = true;
    return phases_.BuildPhaseFunctions(source_);
}

std::vector<std::string> FunctionsPhaseSource::solutionPhases() {
    std::vector<std::string> names;
    for (const auto& entry : phases_.SolutionList) names.push_back(entry.name);
    return names;
}

std::vector<PointPhaseEntry> FunctionsPhaseSource::pointPhases() {
    std::vector<PointPhaseEntry> entries;
    for (const auto& entry : phases_.PointPhaseList) entries.push_back({entry.name, entry.object->X});
    return entries;
}

void FunctionsPhaseSource::setCompositions(std::span<const double> x, std::span<const std::string> texts) {
    phases_.CompositionList.clear();
    for (size_t c = 0; c < x.size(); ++c)
        phases_.CompositionList.add(texts[c], std::make_unique<functions::TXclass>(functions::TXclass{x[c]}));
}

void FunctionsPhaseSource::evaluateSolution(int phase, std::vector<double>& g, double temperature) {
    phases_.EvaluateSolutionPhase(phases_.SolutionList.name(static_cast<size_t>(phase)), g, temperature);
}

double FunctionsPhaseSource::evaluatePoint(int phase, double temperature) {
    return phases_.EvaluatePointPhase(phases_.PointPhaseList.name(static_cast<size_t>(phase)), temperature);
}

}  // namespace calc
