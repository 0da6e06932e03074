#include "engine/calculation.h"

#include <algorithm>
#include <stdexcept>

#include "calc/functions_phase_source.h"
#include "db/tdm.h"
#include "results/functions_phase_model.h"
#include "results/special_point_search.h"
#include "util/memory_guard.h"

namespace engine {

Calculation::Calculation(util::Dialogs& dialogs, char decimalSeparator)
    : dialogs_(dialogs), separator_(decimalSeparator), grid_(decimalSeparator),
      functions_(grid_.parameters(), dialogs, decimalSeparator) {}

Calculation::~Calculation() = default;

std::shared_ptr<const RunSnapshot> Calculation::takeSnapshot(const db::TDM& tdm) {
    auto snapshot = std::make_shared<RunSnapshot>();
    snapshot->system = calc::ReadSystemRecord(tdm.tblSystems);
    snapshot->phases = functions::MemorySource::ReadCurrentSystem(tdm);
    return snapshot;
}

void Calculation::setGridOverride(std::optional<int> xpoints, std::optional<int> ypoints) {
    xpoints_ = xpoints;
    ypoints_ = ypoints;
}

Calculation::Outcome Calculation::run(std::shared_ptr<const RunSnapshot> snapshot) {
    calc::RowObserver none;
    return run(std::move(snapshot), none);
}

Calculation::Outcome Calculation::run(std::shared_ptr<const RunSnapshot> snapshot, calc::RowObserver& observer) {
    if (running()) {
        dialogs_.warning("The calculation is already running");
        return Outcome::NotStarted;
    }
    if (!snapshot) throw std::invalid_argument("Calculation::run needs a snapshot");
    // Nodes of an earlier run must not outlive the start of this one, however it ends.
    specialPoints_.clear();
    searched_ = false;
    invariants_.clear();
    snapshot_ = std::move(snapshot);
    calc::SystemRecord system = snapshot_->system;
    if (xpoints_) system.Xpoints = *xpoints_;
    if (ypoints_) system.Ypoints = *ypoints_;
    // The assembly reads a private copy: the snapshot itself is never changed.
    source_ = snapshot_->phases;
    calc::FunctionsPhaseSource phases(functions_, source_);
    // Every front end reads "Not enough memory for the calculation of …" instead of a library's bare
    // text when an allocation of the run fails; the rows finished before stay.
    return util::WithMemoryGuard("the calculation of " + system.System_designation,
                                 [&] { return grid_.run(system, phases, observer, dialogs_); });
}

std::optional<double> Calculation::gibbsEnergy(std::string_view phase, double x, double T) {
    if (functions_.PointPhaseList.find(phase) != nullptr) {
        const functions::Tfuncts* pieces = functions_.FunctionList.find(phase);
        const bool covered = pieces != nullptr && std::any_of(pieces->begin(), pieces->end(), [T](const auto& p) {
                                 return p.Tmin <= T && T <= p.Tmax;
                             });
        if (!covered) return std::nullopt;
        return functions_.EvaluatePointPhase(phase, T);
    }
    const functions::TParserplus* evaluator = functions_.SolutionList.find(phase);
    const functions::Tfuncts* pieces = functions_.FunctionList.find(phase);
    if (evaluator == nullptr || pieces == nullptr) return std::nullopt;
    if (!evaluator->covers(T) &&
        std::none_of(pieces->begin(), pieces->end(), [T](const auto& p) { return p.Tmin <= T && T <= p.Tmax; }))
        return std::nullopt;
    // The run's evaluation over a one-entry composition list; the grid's list is put back after.
    functions::NameList<functions::TXclass> grid = std::move(functions_.CompositionList);
    functions_.CompositionList.clear();
    functions_.CompositionList.add("x", std::make_unique<functions::TXclass>(x));
    functions::TG g(1, 0.0);
    try {
        functions_.EvaluateSolutionPhase(phase, g, T);
    } catch (...) {
        functions_.CompositionList = std::move(grid);
        throw;
    }
    functions_.CompositionList = std::move(grid);
    return g[0];
}

const results::SpecialPoints& Calculation::findSpecialPoints() {
    results::FindSpecialPoints(grid_.results().matrix, grid_.parameters().YParameter, separator_, specialPoints_);
    searched_ = true;
    return specialPoints_;
}

const std::vector<results::Invariant>& Calculation::findInvariants() {
    invariants_.clear();
    if (snapshot_ == nullptr) return invariants_;
    if (!searched_) findSpecialPoints();
    const calc::RunParameters& parameters = grid_.parameters();
    results::FunctionsPhaseModel model(functions_, parameters);
    invariants_ = results::findInvariants(model, results::rowsOfRun(grid_.results()), specialPoints_.nodes(),
                                          parameters.XMin, parameters.XMax, parameters.XStep);
    return invariants_;
}

std::vector<results::RefinedBoundary> Calculation::refineBoundaries() {
    if (snapshot_ == nullptr) return {};
    results::FunctionsPhaseModel model(functions_, grid_.parameters());
    return results::refineBoundaries(model, grid_.results().boundaries(), grid_.parameters().XStep);
}

}  // namespace engine
