#include "gui/run/row_relay.h"

#include <cmath>

namespace gui {

RowRelay::RowRelay(QObject* parent) : QObject(parent) {}

bool RowRelay::nextRowIsLast() const {
    if (!prepared_) return false;
    const double next = rowsDone_ == 0 ? yMax_ : lastY_ - yStep_;
    // The run reaches YMin within 1e-11 or clamps a step that went below it.
    return next - yMin_ < 1e-11;
}

bool RowRelay::wantsChart() {
    if (!showChart.load(std::memory_order_relaxed)) return false;
    const Clock::time_point now = Clock::now();
    if (now - lastChart_ < chartInterval && !nextRowIsLast()) return false;
    lastChart_ = now;
    return true;
}

bool RowRelay::wantsMosaic() { return showMosaic.load(std::memory_order_relaxed); }

void RowRelay::runPrepared(const calc::RunStart& start) {
    auto batch = std::make_shared<RunStartBatch>();
    batch->solutionPhases = start.solutionPhases;
    batch->compositions = start.compositions;
    if (start.parameters) batch->parameters = *start.parameters;
    prepared_ = true;
    rowsDone_ = 0;
    yMin_ = batch->parameters.YMin;
    yMax_ = batch->parameters.YMax;
    yStep_ = batch->parameters.YStep;
    lastChart_ = {};
    emit prepared(std::move(batch));
}

void RowRelay::rowDone(const calc::RowFrame& row) {
    auto batch = std::make_shared<RowBatch>();
    batch->rowIndex = row.rowIndex;
    batch->y = row.y;
    batch->hasChart = !row.curves.empty() || !row.hullX.empty();
    if (batch->hasChart) {
        batch->curveX.reserve(row.curves.size());
        batch->curveG.reserve(row.curves.size());
        for (const calc::RowFrame::Curve& curve : row.curves) {
            batch->curveX.emplace_back(curve.x.begin(), curve.x.end());
            batch->curveG.emplace_back(curve.g.begin(), curve.g.end());
        }
        batch->hullX.assign(row.hullX.begin(), row.hullX.end());
        batch->hullG.assign(row.hullG.begin(), row.hullG.end());
    }
    batch->hasMosaic = !row.segments.empty() || !row.pointPhaseX.empty();
    batch->pointPhaseX.assign(row.pointPhaseX.begin(), row.pointPhaseX.end());
    batch->segments.assign(row.segments.begin(), row.segments.end());
    ++rowsDone_;
    lastY_ = row.y;
    emit rowReady(std::move(batch));
}

void RowRelay::statusText(const std::string& text) { emit statusChanged(QString::fromStdString(text)); }

}  // namespace gui
