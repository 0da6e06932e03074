#include "gui/run/calculation_engine.h"

#include "db/tdm.h"

namespace gui {

CalculationEngine::CalculationEngine(db::TDM& tdm, util::Dialogs& dialogs, char decimalSeparator)
    : tdm_(&tdm), calculation_(dialogs, decimalSeparator) {}

CalculationEngine::CalculationEngine(std::shared_ptr<const engine::RunSnapshot> fixed, util::Dialogs& dialogs,
                                     char decimalSeparator)
    : calculation_(dialogs, decimalSeparator), fixed_(std::move(fixed)) {}

void CalculationEngine::prepare() {
    if (!tdm_) {
        snapshot_ = fixed_;
        return;
    }
    tdm_->PostPendingEdits();
    snapshot_ = engine::Calculation::takeSnapshot(*tdm_);
}

RunEngine::Outcome CalculationEngine::run(calc::RowObserver& observer) {
    auto snapshot = std::move(snapshot_);
    switch (calculation_.run(std::move(snapshot), observer)) {
    case engine::Calculation::Outcome::Completed:
        return Outcome::Completed;
    case engine::Calculation::Outcome::Stopped:
        return Outcome::Stopped;
    case engine::Calculation::Outcome::NotStarted:
        break;
    }
    return Outcome::NotStarted;
}

}  // namespace gui
