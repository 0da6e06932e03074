#pragma once
#include <QObject>
#include <QString>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "calc/row_observer.h"
#include "calc/run_parameters.h"

namespace gui {

// What the displays need before the first row, copied off the worker.
struct RunStartBatch {
    std::vector<std::string> solutionPhases;
    std::vector<double> compositions;
    calc::RunParameters parameters;
};

// One computed row as plain data, copied off the worker. The chart part is empty when the chart
// was not wanted for this row, the mosaic part when the mosaic was not.
struct RowBatch {
    int rowIndex = 0;
    double y = 0;
    bool hasChart = false;
    std::vector<std::vector<double>> curveX;  // one per solution phase
    std::vector<std::vector<double>> curveG;
    std::vector<double> hullX;
    std::vector<double> hullG;
    bool hasMosaic = false;
    std::vector<double> pointPhaseX;
    std::vector<calc::RowFrame::Segment> segments;
};

// The observer of a run on the worker thread. It copies each row into a RowBatch and posts it to
// the GUI thread by a queued signal; nothing here touches a widget.
//
// Every row's mosaic data is posted. The chart shows only the last row, so its data is gathered at
// most every `chartInterval` (and always for the row expected to be the last, YMin), which keeps a
// fast run from flooding the GUI thread with curves nobody could see.
//
// The display switches are atomics written by the GUI thread (the check boxes) and read here once
// per row.
class RowRelay : public QObject, public calc::RowObserver {
    Q_OBJECT
public:
    explicit RowRelay(QObject* parent = nullptr);

    std::atomic<bool> showChart{false};
    std::atomic<bool> showMosaic{false};
    std::chrono::milliseconds chartInterval{33};

    // Called on the worker thread by the run.
    bool wantsChart() override;
    bool wantsMosaic() override;
    void runPrepared(const calc::RunStart& start) override;
    void rowDone(const calc::RowFrame& row) override;
    void statusText(const std::string& text) override;

signals:
    void prepared(std::shared_ptr<const gui::RunStartBatch> start);
    void rowReady(std::shared_ptr<const gui::RowBatch> row);
    void statusChanged(const QString& text);

private:
    bool nextRowIsLast() const;

    using Clock = std::chrono::steady_clock;
    Clock::time_point lastChart_{};
    bool prepared_ = false;
    int rowsDone_ = 0;
    double lastY_ = 0;
    double yMin_ = 0;
    double yMax_ = 0;
    double yStep_ = 0;
};

}  // namespace gui
