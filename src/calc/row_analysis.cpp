#include "calc/row_analysis.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "util/number_format.h"
#include "util/tolerances.h"
#include "util/utf8.h"

namespace calc {

namespace {

using util::kChordTolerance;
using util::kCompositionRangeEndTolerance;
using util::kCompositionTolerance;
using util::kMinimumSearchStart;

constexpr int kRightEndNameLength = 60;

}  // namespace

void RowAnalysis::begin(RunResults& results, const RunParameters& params, std::span<const double> compositions,
                        const std::vector<std::string>& solutionPhases,
                        const std::vector<PointPhaseEntry>& pointPhases, char decimalSeparator) {
    results_ = &results;
    PhaseMatrix& matrix = results.matrix;
    compositions_.assign(compositions.begin(), compositions.end());
    xMin_ = params.XMin;
    xMax_ = params.XMax;
    xStep_ = params.XStep;
    separator_ = decimalSeparator;

    const int n = static_cast<int>(compositions_.size());
    if (matrix.colCount() != n + 1 || matrix.rowCount() < 3)
        matrix.resize(n + 1, std::max(matrix.rowCount(), 3));
    twoPhaseId_ = matrix.intern("E");
    solutionNames_.clear();
    for (const std::string& name : solutionPhases) solutionNames_.push_back(matrix.intern(name));
    pointPhases_.clear();
    for (const PointPhaseEntry& phase : pointPhases) {
        PointPhaseInfo info;
        info.x = phase.x;
        info.name = matrix.intern(phase.name);
        info.shortName = matrix.intern(util::firstCharacters(phase.name, kRightEndNameLength));
        for (int c = 0; c < n; ++c)
            if (std::fabs(compositions_[c] - phase.x) < kCompositionTolerance) {
                info.column = c + 1;
                break;
            }
        pointPhases_.push_back(info);
    }

    const size_t capacity = compositions_.size() + pointPhases_.size();
    results.candidatePoints.resize(capacity);
    results.belowChordPoints.resize(capacity);
    results.hullPoints.resize(capacity);
    results.candidateLast = results.belowChordLast = results.hullLast = -1;
    results.segmentCount = 0;
    defined_.assign(compositions_.size(), 0);
    hullX_.reserve(capacity);
    hullY_.reserve(capacity);
}

void RowAnalysis::analyse(RunParameters& params, std::span<const std::vector<double>> gs,
                          std::span<const double> pointG, bool chart, bool mosaic, util::Dialogs& dialogs) {
    RunResults& results = *results_;
    results.candidateLast = -1;
    results.segmentCount = 0;
    lineX_.clear();
    lineG_.clear();
    marks_.clear();
    collectCandidates(params, gs, pointG);
    chooseChord(params);
    const int kept = chordTest();
    if (kept < 1) {
        dialogs.message("Number of points equals to " + std::to_string(results.candidateLast));
        results.hullLast = -1;
    } else {
        takeHull(kept);
    }
    writeRow(params);
    walkHull(params, chart, mosaic, dialogs);
}

void RowAnalysis::collectCandidates(const RunParameters& params, std::span<const std::vector<double>> gs,
                                    std::span<const double> pointG) {
    RunResults& results = *results_;
    PhaseMatrix& matrix = results.matrix;
    const size_t phases = std::min(gs.size(), solutionNames_.size());
    TDPoint* out = results.candidatePoints.data();
    int last = -1;
    for (size_t c = 0; c < compositions_.size(); ++c) {
        const double x = compositions_[c];
        double gmin = kMinimumSearchStart;
        int imin = -1;
        for (size_t i = 0; i < phases; ++i) {
            const double g = gs[i][c];
            if (g < gmin) {
                gmin = g;
                imin = static_cast<int>(i);
            }
        }
        defined_[c] = imin >= 0;
        if (imin < 0) continue;
        TDPoint& p = out[++last];
        p.IsPointPhase = false;
        p.AboveChord = false;
        p.X = x;
        p.G = gmin;
        p.Step = params.XStep;
        p.NameId = solutionNames_[imin];
        p.PhaseName = matrix.textOf(p.NameId);
        p.Column = static_cast<int32_t>(c + 1);
        p.PointPhase = -1;
    }
    for (size_t k = 0; k < pointPhases_.size() && k < pointG.size(); ++k) {
        TDPoint& p = out[++last];
        p.IsPointPhase = true;
        p.AboveChord = false;
        p.X = pointPhases_[k].x;
        p.G = pointG[k];
        p.Step = params.XStep;
        p.NameId = pointPhases_[k].name;
        p.PhaseName = matrix.textOf(p.NameId);
        p.Column = 0;
        p.PointPhase = static_cast<int32_t>(k);
    }
    results.candidateLast = last;
}

void RowAnalysis::chooseChord(const RunParameters& params) {
    const RunResults& results = *results_;
    const size_t n = compositions_.size();
    haveChord_ = false;
    if (n > 0 && defined_[0] && defined_[n - 1] && compositions_[0] == params.XMin) {
        // The ends of the range: the first and the last solution candidates.
        const TDPoint& left = results.candidatePoints[0];
        int lastSolution = 0;
        while (lastSolution + 1 <= results.candidateLast && !results.candidatePoints[lastSolution + 1].IsPointPhase)
            ++lastSolution;
        const TDPoint& right = results.candidatePoints[lastSolution];
        chordX0_ = params.XMin;
        chordG0_ = left.G;
        chordX1_ = params.XMax;
        chordG1_ = right.G;
        haveChord_ = true;
    } else if (results.candidateLast >= 0) {
        // A range end without a defined phase: the outermost candidates stand in for the ends.
        const TDPoint* left = nullptr;
        const TDPoint* right = nullptr;
        for (int k = 0; k <= results.candidateLast; ++k) {
            const TDPoint& p = results.candidatePoints[k];
            if (!left || p.X < left->X || (p.X == left->X && p.G < left->G)) left = &p;
            if (!right || p.X > right->X || (p.X == right->X && p.G < right->G)) right = &p;
        }
        chordX0_ = left->X;
        chordG0_ = left->G;
        chordX1_ = right->X;
        chordG1_ = right->G;
        haveChord_ = true;
    }
    chordSlope_ = haveChord_ && chordX1_ > chordX0_ ? (chordG1_ - chordG0_) / (chordX1_ - chordX0_) : 0.0;
}

bool RowAnalysis::isChordEnd(double x) const {
    return x == chordX0_ || std::fabs(x - chordX1_) < kCompositionRangeEndTolerance;
}

int RowAnalysis::chordTest() {
    RunResults& results = *results_;
    int kept = 0;
    for (int k = 0; k <= results.candidateLast; ++k) {
        TDPoint& p = results.candidatePoints[k];
        const double c = chordAt(p.X);
        bool keep;
        if (isChordEnd(p.X)) {
            keep = true;
        } else if (p.G > c + kChordTolerance) {
            p.AboveChord = true;
            keep = false;
        } else {
            // Within the tolerance of the chord an interior point cannot be a vertex.
            keep = std::fabs(p.G - c) >= kChordTolerance;
        }
        if (keep) results.belowChordPoints[kept++] = p;
    }
    results.belowChordLast = kept - 1;
    return kept;
}

void RowAnalysis::takeHull(int kept) {
    RunResults& results = *results_;
    hullX_.resize(kept);
    hullY_.resize(kept);
    for (int k = 0; k < kept; ++k) {
        hullX_[k] = results.belowChordPoints[k].X;
        hullY_[k] = results.belowChordPoints[k].G;
    }
    hull_.compute(hullX_, hullY_);
    const std::vector<uint8_t>& marks = hull_.marks();
    int last = -1;
    for (int k = kept - 1; k >= 0; --k)
        if (marks[k]) results.hullPoints[++last] = results.belowChordPoints[k];
    std::sort(results.hullPoints.begin(), results.hullPoints.begin() + (last + 1),
              [](const TDPoint& a, const TDPoint& b) { return a.X != b.X ? a.X > b.X : a.G < b.G; });
    results.hullLast = last;
}

void RowAnalysis::writeRow(RunParameters& params) {
    RunResults& results = *results_;
    PhaseMatrix& matrix = results.matrix;
    params.RowIndex += 1;
    const int r = params.RowIndex + 1;
    if (params.RowIndex >= 2 || matrix.rowCount() < r + 1) matrix.resize(matrix.colCount(), params.RowIndex + 2);
    const HeaderText y = headerText(params.YCurrent, "0.######", separator_);
    matrix.setRowHeader(r, y.text, y.value);
    // A composition without a defined phase between the outermost hull vertices lies on a hull
    // edge, inside a two-phase field, like any point dropped by the chord test.
    const double left = results.hullLast >= 0 ? results.hullPoints[results.hullLast].X : 0;
    const double right = results.hullLast >= 0 ? results.hullPoints[0].X : 0;
    for (size_t c = 0; c < compositions_.size(); ++c) {
        const bool inside = defined_[c] || (compositions_[c] > left && compositions_[c] < right);
        matrix.setCell(static_cast<int>(c + 1), r, inside ? twoPhaseId_ : PhaseMatrix::kEmpty);
    }
    for (int k = 0; k <= results.hullLast; ++k) {
        const TDPoint& v = results.hullPoints[k];
        if (v.Column >= 1) matrix.setCell(v.Column, r, v.NameId);
    }
}

void RowAnalysis::walkHull(RunParameters& params, bool chart, bool mosaic, util::Dialogs& dialogs) {
    RunResults& results = *results_;
    const int r = params.RowIndex + 1;
    auto addLinePoint = [this](const TDPoint& p) {
        lineX_.push_back(p.X);
        lineG_.push_back(p.G);
    };
    if (chart && results.hullLast >= 0) addLinePoint(results.hullPoints[0]);
    for (int i = 1; i <= results.hullLast; ++i) {
        const TDPoint& v = results.hullPoints[i];
        const TDPoint& u = results.hullPoints[i - 1];
        double ch = chordAt(v.X);
        if (!isChordEnd(v.X)) ch += kChordTolerance;
        const bool convexLine = !((v.X == u.X && v.G > u.G) || (v.G > ch && v.X != chordX0_));
        if (chart && convexLine) addLinePoint(v);
        if (std::fabs(v.X - u.X) < u.Step + kCompositionTolerance && !v.IsPointPhase && !u.IsPointPhase) continue;
        if (v.G > ch) continue;
        if (v.IsPointPhase && mosaic) marks_.push_back(v.X);
        if (std::fabs(u.X - v.X) > params.XStep) {
            try {
                results.segmentCount += 1;
                recordEnd(u, params.YCurrent, r, true);
                recordEnd(v, params.YCurrent, r, false);
            } catch (const std::exception&) {
                dialogs.message("Error at " + params.YText + " = " + util::formatGeneral(params.YCurrent, separator_) +
                                "\rX = " + util::formatGeneral(v.X, separator_));
            }
        }
    }
}

void RowAnalysis::recordEnd(const TDPoint& end, double y, int row, bool rightEnd) {
    RunResults& results = *results_;
    results.appendBoundary(TZPoint{end.X, y, end.Column, end.PhaseName});
    if (end.Column != 0) {
        results.matrix.setCell(end.Column, row, end.NameId);
    } else if (end.IsPointPhase) {
        const PointPhaseInfo& info = pointPhases_.at(static_cast<size_t>(end.PointPhase));
        if (info.column > 0) results.matrix.setCell(info.column, row, rightEnd ? info.shortName : info.name);
    }
}

}  // namespace calc
