#include "results/special_point_search.h"

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "results/y_parameter.h"
#include "util/errors.h"
#include "util/number_format.h"
#include "util/text.h"

namespace results {
namespace {

constexpr std::string_view kTwoPhase = "E";
// A non-compound run that starts this close to either end of the composition range keeps its x.
constexpr double kRangeEndTolerance = 1e-7;

// One run of equal cell texts along a row. An inserted empty run has LastCol = FirstCol - 1.
struct TR {
    int FirstCol = 0;
    int LastCol = 0;
    std::string_view CellText;  // points into the matrix's texts, or at kTwoPhase
};
using RunList = std::vector<TR>;

// Compound text names a point phase: it holds a capital Latin "C" somewhere.
bool isCompound(std::string_view text) { return text.find('C') != std::string_view::npos; }
bool isPlain(std::string_view text) { return text != kTwoPhase && !isCompound(text); }

// The number beside a header text. A header written without one (not by a run) stops the search.
double headerValue(double value, const std::string& text) {
    if (std::isnan(value)) throw util::Error("'" + text + "' is not a valid floating point value");
    return value;
}

class Search {
public:
    Search(const calc::PhaseMatrix& matrix, int yParameterIndex, char separator, SpecialPointSink& sink)
        : m_(matrix), sink_(sink), sep_(separator), letter_(yLetter(yParameterIndex)),
          rows_(matrix.rowCount()), last_(matrix.colCount() - 1) {}

    void run() {
        sink_.begin();
        if (last_ >= 1 && rows_ >= 3) {
            RunList previous = runList(1);
            for (int r = 2; r < rows_; ++r) {
                RunList current = runList(r);
                comparePair(r, previous, current);
                previous.swap(current);
            }
        }
        sink_.end();
    }

private:
    const std::string& cell(int c, int r) const { return m_.text(c, r); }
    bool isTwoPhase(int c, int r) const { return cell(c, r) == kTwoPhase; }
    double x(int c) const { return headerValue(m_.columnValue(c), cell(c, 0)); }
    double Y(int r) const { return headerValue(m_.rowValue(r), cell(0, r)); }

    // Runs of equal texts over columns 1 .. last of row r. Two different single-phase texts that
    // meet without an "E" between them get an empty "E" run between their runs.
    RunList runList(int r) const {
        RunList runs;
        runs.push_back({1, 0, cell(1, r)});
        for (int c = 2; c <= last_; ++c) {
            std::string_view t = cell(c, r);
            if (t == runs.back().CellText) continue;
            if (isPlain(t) && isPlain(runs.back().CellText)) {
                runs.back().LastCol = c - 1;
                runs.push_back({c, 0, kTwoPhase});
            }
            runs.back().LastCol = c - 1;
            runs.push_back({c, 0, t});
        }
        runs.back().LastCol = last_;
        return runs;
    }

    // Walks the runs of the longer list of rows r - 1 and r (row r's on equal counts). An "E" run
    // is examined only when the runs on both sides share their text; otherwise the run after it
    // is examined in its place.
    void comparePair(int r, const RunList& previous, const RunList& current) {
        bool currentIsW = current.size() >= previous.size();
        const RunList& W = currentIsW ? current : previous;
        int rW = currentIsW ? r : r - 1;
        int rO = currentIsW ? r - 1 : r;
        int h = static_cast<int>(W.size()) - 1;
        for (int k = 0; k <= h; ++k) {
            if (W[k].CellText == kTwoPhase && k >= 1) {
                std::string_view S = W[k - 1].CellText;
                ++k;
                if (k > h) break;
                if (W[k].CellText == S) --k;
            }
            if (examine(W, k, h, r, rW, rO)) return;
        }
    }

    // Distinct non-empty texts of row `row` in columns first .. lastCol, in column order.
    std::vector<std::string_view> texts(int row, int first, int lastCol) const {
        std::vector<std::string_view> out;
        for (int c = first; c <= lastCol; ++c) {
            std::string_view t = cell(c, row);
            if (t.empty()) continue;
            bool seen = false;
            for (std::string_view u : out) seen = seen || u == t;
            if (!seen) out.push_back(t);
        }
        return out;
    }

    // Returns true when the walk of this row pair ends (an other special point was reported).
    bool examine(const RunList& W, int k, int h, int r, int rW, int rO) {
        auto TA = texts(rW, W[k].FirstCol, W[k].LastCol);
        auto TB = texts(rO, W[k].FirstCol, W[k].LastCol);
        for (std::string_view a : TA)
            for (std::string_view b : TB)
                if (util::equalsIgnoreCase(a, b)) return false;
        bool otherPhaseAcross = false;
        for (std::string_view b : TB) otherPhaseAcross = otherPhaseAcross || b != kTwoPhase;
        if (!otherPhaseAcross) {
            // The field ends between the two rows: only a node can come of it.
            if (k >= 2 && k <= h - 2)
                offerNode(rW, W[k - 2].LastCol, (W[k].FirstCol + W[k].LastCol) / 2, W[k + 2].FirstCol);
            return false;
        }
        reportOtherPoint(W[k], r);
        nodeTests(W, k, h, r, rW);
        return true;
    }

    void reportOtherPoint(const TR& run, int r) {
        int first = run.FirstCol;
        double x0 = x(first);
        double y = Y(r);
        double px = x0;
        if (!isCompound(run.CellText)) {
            y = (Y(r - 1) + Y(r)) / 2;
            bool atRangeEnd = std::fabs(x0 - 1) <= kRangeEndTolerance || std::fabs(x0) <= kRangeEndTolerance;
            if (!atRangeEnd && first < last_) {
                // Middle between the run's first column and the last "E" column to its right.
                int c = first + 1;
                while (util::trim(cell(c, r)) == kTwoPhase && c != last_) ++c;
                px = (x0 + x(c - 1)) / 2;
            }
        }
        std::string text = letter_ + "(X = " + util::formatGeneral(px, sep_) + ") = " +
                           util::formatGeneral(y, sep_) + " ";
        sink_.otherPoint({px, y}, text);
        sink_.chartPoint(px, y);
    }

    // The node tests that follow an other special point, each tried on its own.
    void nodeTests(const RunList& W, int k, int h, int r, int rW) {
        bool nextRow = r < rows_ - 1;
        if (k >= 2 && k >= h - 2) {
            const TR& before = W[k - 1];
            if ((isTwoPhase(before.LastCol, r - 1) || isTwoPhase(before.FirstCol, r - 1)) && nextRow &&
                isTwoPhase(before.FirstCol, r + 1))
                offerNode(rW, W[k - 2].LastCol, W[k].FirstCol, W[k].FirstCol);
        }
        if (k <= h - 2) {
            int after = W[k + 1].LastCol;
            bool fieldAround = isTwoPhase(after, r - 1) && nextRow && isTwoPhase(after, r + 1);
            if (fieldAround && k < 2) offerNode(rW, W[k].LastCol, W[k].LastCol, W[k + 2].FirstCol);
            if (fieldAround && k >= 2)
                offerNode(rW, W[k - 2].LastCol, (W[k].FirstCol + W[k].LastCol) / 2, W[k + 2].FirstCol);
        }
    }

    // A candidate node at the Y of row rW through the compositions of three columns; accepted
    // when XLeft <= X <= XRight. Needs readable header texts and columns inside the data range.
    void offerNode(int rW, int leftCol, int midCol, int rightCol) {
        for (int c : {leftCol, midCol, rightCol})
            if (c < 1 || c > last_ || cell(c, 0).empty()) return;
        if (cell(0, rW).empty()) return;
        TNode node;
        node.Y = Y(rW);
        node.XLeft = x(leftCol);
        node.X = x(midCol);
        node.XRight = x(rightCol);
        if (!(node.XLeft <= node.X && node.X <= node.XRight)) return;
        sink_.node(node);
        sink_.chartPoint(node.XLeft, node.Y);
        sink_.chartPoint(node.X, node.Y);
        sink_.chartPoint(node.XRight, node.Y);
    }

    const calc::PhaseMatrix& m_;
    SpecialPointSink& sink_;
    char sep_;
    std::string letter_;
    int rows_;
    int last_;  // last data column
};

}  // namespace

void FindSpecialPoints(const calc::PhaseMatrix& matrix, int yParameterIndex, char decimalSeparator,
                       SpecialPointSink& sink) {
    Search(matrix, yParameterIndex, decimalSeparator, sink).run();
}

}  // namespace results
