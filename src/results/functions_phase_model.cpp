#include "results/functions_phase_model.h"

#include <cmath>

#include "expr/parser.h"
#include "expr/parser_errors.h"
#include "functions/ideal_mixing_entropy.h"
#include "util/errors.h"
#include "util/number_format.h"

namespace results {

FunctionsPhaseModel::FunctionsPhaseModel(functions::PhaseFunctions& phases, const calc::RunParameters& parameters)
    : parameters_(parameters) {
    for (const auto& entry : phases.SolutionList)
        entries_.push_back({entry.name, false, entry.object.get(), phases.FunctionList.find(entry.name)});
    for (const auto& entry : phases.PointPhaseList)
        entries_.push_back({entry.name, true, entry.object.get(), phases.FunctionList.find(entry.name)});
}

double FunctionsPhaseModel::pointComposition(int phase) const { return entries_[phase].evaluator->X; }
double FunctionsPhaseModel::windowMin(int phase) const { return entries_[phase].evaluator->Xmin; }
double FunctionsPhaseModel::windowMax(int phase) const { return entries_[phase].evaluator->Xmax; }

std::optional<double> FunctionsPhaseModel::gibbs(int phase, double x, double y) {
    Entry& entry = entries_[phase];
    functions::TParserplus& evaluator = *entry.evaluator;
    double T = parameters_.TValue;
    double P = parameters_.PValue;
    if (parameters_.YParameter == calc::kYTemperature) T = y;
    if (parameters_.YParameter == calc::kYPressure) P = y;

    // The loaded piece serves while it covers T; otherwise the last piece covering T is loaded,
    // as the run does. A point phase then sits at the composition of that piece.
    double pointX = evaluator.X;
    if (!evaluator.covers(T)) {
        const functions::Tfunc* chosen = nullptr;
        if (entry.pieces != nullptr)
            for (const functions::Tfunc& piece : *entry.pieces)
                if (piece.Tmin <= T && T <= piece.Tmax) chosen = &piece;
        if (chosen == nullptr) return std::nullopt;
        evaluator.load(*chosen, true);
        if (entry.point) pointX = chosen->X;
    }
    if (entry.point) {
        x = pointX;
    } else if (x < evaluator.Xmin || x > evaluator.Xmax) {
        return std::nullopt;
    }
    evaluator.setConditions(T, P, y);
    *evaluator.xCell() = x;
    *evaluator.sidCell() = functions::IdealMixingEntropy(x);
    double g = 0;
    try {
        g = evaluator.parser().value();
    } catch (const expr::EEvaluationError& fault) {
        throw util::Error(std::string(fault.what()) + " (" + entry.name + " at X = " + util::formatGeneral(x, '.') +
                          ")");
    }
    if (!std::isfinite(g) || std::abs(g) >= 1e29) return std::nullopt;
    return g;
}

}  // namespace results
