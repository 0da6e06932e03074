#include "calc/grid_run.h"

#include <cmath>

#include "util/number_format.h"
#include "util/tolerances.h"

namespace calc {

namespace {

// Clears the running mark however the run ends (faults of the evaluators included).
struct RunningMark {
    explicit RunningMark(std::atomic<bool>& flag) : flag_(flag) {}
    ~RunningMark() { flag_ = false; }
    std::atomic<bool>& flag_;
};

}  // namespace

std::string GridRun::statusText(double y) const {
    std::string number;
    if (std::fabs(y) > 1e-4) {
        number = util::formatPicture(y, "0.####", separator_);
    } else {
        // The picture puts a blank before the exponent.
        const std::string plain = util::formatPicture(y, "0.####e-00", separator_);
        const size_t e = plain.find_first_of("eE");
        number = e == std::string::npos ? plain : plain.substr(0, e) + ' ' + plain.substr(e);
    }
    return params_.YText + " = " + number;
}

bool GridRun::askStop(util::Dialogs& dialogs) {
    if (!dialogs.confirm("Остановить расчет?")) return false;
    requestStop();
    return true;
}

GridRun::Outcome GridRun::run(const SystemRecord& system, PhaseSource& phases, RowObserver& observer,
                              util::Dialogs& dialogs) {
    bool idle = false;
    if (!running_.compare_exchange_strong(idle, true)) {
        dialogs.warning("The calculation is already running");
        return Outcome::NotStarted;
    }
    RunningMark mark(running_);
    stopRequested_ = false;

    // An empty composition range is refused at once. Ymax below Ymin ends the start only after
    // the phases are assembled, so that faults of their expressions are reported as well.
    const bool parametersValid = params_.read(system, dialogs);
    if (!parametersValid && !(params_.XMax > params_.XMin)) {
        observer.runFinished(false);
        return Outcome::NotStarted;
    }
    if (!phases.build()) {
        dialogs.error("Invalid thermodynamic properties");
        observer.runFinished(false);
        return Outcome::NotStarted;
    }
    if (!parametersValid) {
        observer.runFinished(false);
        return Outcome::NotStarted;
    }

    const std::vector<std::string> solutionPhases = phases.solutionPhases();
    const std::vector<PointPhaseEntry> pointPhases = phases.pointPhases();
    results_.clear();
    results_.resetBoundaries(params_.YIntervals);
    results_.matrix.resize(params_.XIntervals + 2, 3);
    results_.matrix.setText(0, 0, " Y/X");
    buildGrid(pointPhases);
    results_.matrix.resize(static_cast<int>(compositions_.size()) + 1, 3);
    phases.setCompositions(compositions_, compositionTexts_);
    analysis_.begin(results_, params_, compositions_, solutionPhases, pointPhases, separator_);
    gs_.resize(solutionPhases.size());
    for (auto& g : gs_) g.assign(compositions_.size(), 0.0);
    pointG_.assign(pointPhases.size(), 0.0);

    curves_.resize(solutionPhases.size());
    for (size_t i = 0; i < curves_.size(); ++i) curves_[i] = {compositions_, gs_[i]};
    RunStart start;
    start.solutionPhases = solutionPhases;
    start.compositions = compositions_;
    start.parameters = &params_;
    observer.runPrepared(start);

    while (params_.YCurrent >= params_.YMin) {
        if (stopRequested_) {
            stopRequested_ = false;
            closeMatrix();
            observer.runFinished(false);
            return Outcome::Stopped;
        }
        results_.segmentCount = 0;
        results_.candidateLast = -1;
        params_.enterRow();
        if (params_.RowIndex % 10 == 0) observer.statusText(statusText(params_.YCurrent));
        const bool chart = observer.wantsChart();
        const bool mosaic = observer.wantsMosaic();

        for (size_t i = 0; i < gs_.size(); ++i)
            phases.evaluateSolution(static_cast<int>(i), gs_[i], params_.TValue);
        for (size_t k = 0; k < pointG_.size(); ++k) pointG_[k] = phases.evaluatePoint(static_cast<int>(k), params_.TValue);
        analysis_.analyse(params_, gs_, pointG_, chart, mosaic, dialogs);
        reportRow(observer, chart, mosaic);

        if (std::fabs(params_.YCurrent - params_.YMin) < util::kYMinTolerance) break;
        // Rounding may leave the last step a hair above YMin: that row is computed at YMin itself.
        const double next = params_.YCurrent - params_.YStep;
        const bool atEnd = next < params_.YMin || std::fabs(next - params_.YMin) < util::kYMinTolerance ||
                           next == params_.YCurrent;
        params_.YCurrent = atEnd ? params_.YMin : next;
    }
    stopRequested_ = false;
    closeMatrix();
    observer.runFinished(true);
    return Outcome::Completed;
}

void GridRun::buildGrid(const std::vector<PointPhaseEntry>& pointPhases) {
    compositions_.clear();
    compositionTexts_.clear();
    const double xMax = params_.XMax;
    const double step = params_.XStep;
    double x = params_.XMin;
    for (;;) {
        if (x > xMax) break;
        addComposition(x);
        if (x >= xMax || std::fabs(xMax - x) < util::kCompositionRangeEndTolerance) break;
        x += step;
        if (std::fabs(xMax - x) < util::kCompositionRangeEndTolerance) x = xMax;
        if (x > xMax) x = xMax;
        // At most one point-phase composition per grid interval, the first listed; one within
        // 1e-8 of a grid composition uses that composition.
        for (const PointPhaseEntry& phase : pointPhases) {
            const double xc = phase.x;
            if (std::fabs(x - xc) >= util::kCompositionTolerance &&
                std::fabs(x - step - xc) >= util::kCompositionTolerance && x - step < xc && xc < x) {
                addComposition(xc);
                break;
            }
        }
    }
}

void GridRun::addComposition(double x) {
    PhaseMatrix& matrix = results_.matrix;
    const int col = static_cast<int>(compositions_.size()) + 1;
    if (col >= matrix.colCount()) matrix.resize(col + 1, matrix.rowCount());
    HeaderText header = headerText(x, "0.########", separator_);
    matrix.setColumnHeader(col, header.text, header.value);
    compositionTexts_.push_back(std::move(header.text));
    compositions_.push_back(x);
}

void GridRun::reportRow(RowObserver& observer, bool chart, bool mosaic) {
    RowFrame frame;
    frame.rowIndex = params_.RowIndex;
    frame.y = params_.YCurrent;
    if (chart) {
        frame.curves = curves_;
        frame.hullX = analysis_.hullLineX();
        frame.hullG = analysis_.hullLineG();
    }
    if (mosaic) {
        frame.pointPhaseX = analysis_.pointPhaseMarks();
        // The row's boundary points come in pairs, right end first.
        segments_.clear();
        const auto boundaries = results_.boundaries();
        for (size_t k = boundaries.size() - 2 * static_cast<size_t>(results_.segmentCount); k + 1 < boundaries.size();
             k += 2)
            segments_.push_back({boundaries[k + 1].X, boundaries[k].X});
        frame.segments = segments_;
    }
    observer.rowDone(frame);
}

void GridRun::closeMatrix() {
    results_.matrix.resize(results_.matrix.colCount(), params_.RowIndex + 2);
}

}  // namespace calc
