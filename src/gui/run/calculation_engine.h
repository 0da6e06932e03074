#pragma once
#include <memory>

#include "engine/calculation.h"
#include "gui/run/run_engine.h"

namespace db { class TDM; }

namespace gui {

// The program's engine: the core's calculation object over the data module's tables. prepare()
// posts pending edits and takes the snapshot of the current system on the GUI thread; run() works
// on that snapshot only, so the tables may be browsed while it runs.
class CalculationEngine : public RunEngine {
public:
    // dialogs: what the calculation reports and asks while it runs (called on the worker thread).
    CalculationEngine(db::TDM& tdm, util::Dialogs& dialogs, char decimalSeparator);
    // Runs the given snapshot every time instead of the data module's current system (benchmarks).
    CalculationEngine(std::shared_ptr<const engine::RunSnapshot> fixed, util::Dialogs& dialogs,
                      char decimalSeparator);

    void prepare() override;
    Outcome run(calc::RowObserver& observer) override;
    void requestStop() override { calculation_.requestStop(); }
    bool askStop() override { return calculation_.askStop(); }
    bool running() const override { return calculation_.running(); }
    const calc::RunParameters& parameters() const override { return calculation_.parameters(); }
    const calc::RunResults& results() const override { return calculation_.results(); }
    const results::SpecialPoints& findSpecialPoints() override { return calculation_.findSpecialPoints(); }
    const std::vector<results::Invariant>& findInvariants() override { return calculation_.findInvariants(); }

    const engine::Calculation& calculation() const { return calculation_; }
    engine::Calculation& calculation() { return calculation_; }

private:
    db::TDM* tdm_ = nullptr;
    engine::Calculation calculation_;
    std::shared_ptr<const engine::RunSnapshot> fixed_;
    std::shared_ptr<const engine::RunSnapshot> snapshot_;
};

}  // namespace gui
