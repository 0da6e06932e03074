#pragma once
#include "calc/phase_source.h"
#include "functions/function_source.h"
#include "functions/phase_functions.h"

namespace calc {

// The grid run's phases from the phase-function machinery: assembles the current system of a
// function source and evaluates through the name lists. The phase functions must read the run
// parameters of the run that uses this source (construct them over GridRun::parameters()).
class FunctionsPhaseSource : public PhaseSource {
public:
    FunctionsPhaseSource(functions::PhaseFunctions& phases, functions::FunctionSource& source)
        : phases_(phases), source_(source) {}

    bool build() override;
    std::vector<std::string> solutionPhases() override;
    std::vector<PointPhaseEntry> pointPhases() override;
    void setCompositions(std::span<const double> x, std::span<const std::string> texts) override;
    void evaluateSolution(int phase, std::vector<double>& g, double temperature) override;
    double evaluatePoint(int phase, double temperature) override;

private:
    functions::PhaseFunctions& phases_;
    functions::FunctionSource& source_;
};

}  // namespace calc
