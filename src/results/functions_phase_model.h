#pragma once
#include <string>
#include <vector>

#include "calc/run_parameters.h"
#include "functions/phase_functions.h"
#include "results/phase_model.h"

namespace results {

// The phase model of the last run: the assembled phase functions, evaluated one composition at a
// time at any Y. Y stands for the temperature, the pressure or the free variable as the run
// parameters say; the other conditions are those of the run. The solution phases come first, in
// list order, then the point phases, named as listed (with their mark).
//
// Evaluating at a temperature outside the loaded piece loads the covering piece, as the run does,
// so the phase functions must not be used by a run at the same time.
class FunctionsPhaseModel : public PhaseModel {
public:
    FunctionsPhaseModel(functions::PhaseFunctions& phases, const calc::RunParameters& parameters);

    int phaseCount() const override { return static_cast<int>(entries_.size()); }
    const std::string& phaseName(int phase) const override { return entries_[phase].name; }
    bool isPointPhase(int phase) const override { return entries_[phase].point; }
    double pointComposition(int phase) const override;
    double windowMin(int phase) const override;
    double windowMax(int phase) const override;
    std::optional<double> gibbs(int phase, double x, double y) override;

private:
    struct Entry {
        std::string name;
        bool point = false;
        functions::TParserplus* evaluator = nullptr;
        const functions::Tfuncts* pieces = nullptr;
    };
    const calc::RunParameters& parameters_;
    std::vector<Entry> entries_;
};

}  // namespace results
