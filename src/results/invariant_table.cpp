#include "results/invariant_table.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "util/text.h"

namespace results {

namespace {

bool same(std::string_view a, std::string_view b) { return util::equalsIgnoreCase(a, b); }

bool overlaps(const RowSegment& s, double lo, double hi) { return s.xLeft < hi && s.xRight > lo; }

bool anyOverlap(const RunRow& row, double lo, double hi) {
    return std::any_of(row.segments.begin(), row.segments.end(),
                       [&](const RowSegment& s) { return overlaps(s, lo, hi); });
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : " + ") + name;
    return text;
}

// A change between two neighbouring rows that points to an invariant, before refinement.
struct Candidate {
    enum Shape { ThreePhase, Congruent, Critical } shape = ThreePhase;
    std::vector<int> phases;  // three-phase: a, b, c; congruent: appearing, host; critical: the phase
    std::vector<double> x;    // start compositions (congruent: x, xLo, xHi)
    double yLow = 0, yHigh = 0;
    double gridY = 0;
    std::vector<double> gridX;
    bool laterBelow = true;   // congruent/critical: the appearing phase or the gap is in the lower row
};

}  // namespace

std::string displayName(std::string_view listed) {
    std::string name(listed);
    const std::string mark = "-(C)";
    if (name.size() >= mark.size() && name.compare(name.size() - mark.size(), mark.size(), mark) == 0)
        name.erase(name.size() - mark.size());
    return name;
}

bool isLiquidName(std::string_view name) {
    const std::string upper = util::toUpperText(util::trim(name));
    if (upper.rfind("LIQ", 0) == 0) return true;
    if (upper.rfind("\xD0\x96", 0) == 0 || upper.rfind("\xD0\xB6", 0) == 0) return true;  // Ж, ж
    if (upper.empty() || upper[0] != 'L') return false;
    return upper.size() == 1 || !std::isalpha(static_cast<unsigned char>(upper[1]));
}

std::string invariantTypeName(InvariantKind kind) {
    switch (kind) {
        case InvariantKind::Eutectic: return "eutectic";
        case InvariantKind::Eutectoid: return "eutectoid";
        case InvariantKind::Monotectic: return "monotectic";
        case InvariantKind::Monotectoid: return "monotectoid";
        case InvariantKind::Metatectic: return "metatectic";
        case InvariantKind::Peritectic: return "peritectic";
        case InvariantKind::Peritectoid: return "peritectoid";
        case InvariantKind::Syntectic: return "syntectic";
        case InvariantKind::CongruentMelting: return "congruent melting";
        case InvariantKind::CongruentTransformation: return "congruent transformation";
        case InvariantKind::CriticalPoint: return "critical point";
        case InvariantKind::Unclassified: break;
    }
    return "unclassified";
}

InvariantKind classifyThreePhase(std::string_view a, std::string_view b, std::string_view c, bool middleAbove) {
    const bool liquidA = isLiquidName(a), liquidB = isLiquidName(b), liquidC = isLiquidName(c);
    const bool middleRepeats = same(a, b) || same(b, c);
    if (middleAbove) {  // b splits into a and c on falling Y
        if (middleRepeats) return liquidB ? InvariantKind::Monotectic : InvariantKind::Monotectoid;
        if (liquidB) return InvariantKind::Eutectic;
        if (liquidA || liquidC) return InvariantKind::Metatectic;
        return InvariantKind::Eutectoid;
    }
    // a and c form b on falling Y
    if (same(a, c)) return liquidA ? InvariantKind::Syntectic : InvariantKind::Peritectoid;
    if (middleRepeats) return liquidB ? InvariantKind::Monotectic : InvariantKind::Monotectoid;
    if (liquidA || liquidB || liquidC) return InvariantKind::Peritectic;
    return InvariantKind::Peritectoid;
}

std::vector<RunRow> rowsOfRun(const calc::RunResults& results) {
    std::vector<RunRow> rows;
    const calc::PhaseMatrix& matrix = results.matrix;
    const int last = matrix.colCount() - 1;
    const double xFirst = last >= 1 ? matrix.columnValue(1) : NAN;
    const double xLast = last >= 1 ? matrix.columnValue(last) : NAN;
    const std::span<const calc::TZPoint> boundaries = results.boundaries();
    size_t next = 0;
    for (int r = 1; r < matrix.rowCount(); ++r) {
        RunRow row;
        const double y = matrix.rowValue(r);
        if (std::isnan(y)) continue;
        row.y = y;
        // The row's boundary points carry its exact Y; the header's number is rounded as its text.
        if (next + 1 < boundaries.size() && std::abs(boundaries[next].Y - y) <= 1e-6 * std::max(1.0, std::abs(y))) {
            row.y = boundaries[next].Y;
            while (next + 1 < boundaries.size() && boundaries[next].Y == row.y) {
                const calc::TZPoint& right = boundaries[next];
                const calc::TZPoint& left = boundaries[next + 1];
                row.segments.push_back({left.X, std::string(left.PhaseName), left.Column == 0, right.X,
                                        std::string(right.PhaseName), right.Column == 0});
                next += 2;
            }
            std::sort(row.segments.begin(), row.segments.end(),
                      [](const RowSegment& a, const RowSegment& b) { return a.xLeft < b.xLeft; });
        }
        row.atMin = last >= 1 ? matrix.text(1, r) : "";
        row.atMax = last >= 1 ? matrix.text(last, r) : "";
        // A point phase within 1e-6 of an end of the range stands for the pure component there.
        if (!row.segments.empty()) {
            const RowSegment& first = row.segments.front();
            if (first.leftPoint && std::abs(first.xLeft - xFirst) < 1e-6) row.atMin = first.left;
            const RowSegment& lastSegment = row.segments.back();
            if (lastSegment.rightPoint && std::abs(lastSegment.xRight - xLast) < 1e-6) row.atMax = lastSegment.right;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

namespace {

// Primes the second appearance (in order of composition) of a phase.
void primeRepeats(std::vector<InvariantPhase>& phases) {
    for (size_t i = 0; i < phases.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (same(phases[i].name, phases[j].name)) {
                phases[i].name += "'";
                break;
            }
}

std::vector<Candidate> candidatesBetween(PhaseModel& model, const RunRow& upper, const RunRow& lower, double xMin,
                                         double xMax, double xStep) {
    std::vector<Candidate> found;
    const double tol = std::max(3 * xStep, 0.03);
    for (int side = 0; side < 2; ++side) {
        // `single` shows one field where `split` shows two around a third phase, or nothing where
        // `split` shows a phase or a gap appearing.
        const RunRow& single = side == 0 ? lower : upper;
        const RunRow& split = side == 0 ? upper : lower;
        const bool laterBelow = side == 1;
        for (const RowSegment& s : single.segments) {
            for (size_t j = 0; j + 1 < split.segments.size(); ++j) {
                const RowSegment& t1 = split.segments[j];
                const RowSegment& t2 = split.segments[j + 1];
                if (!same(t1.left, s.left) || !same(t2.right, s.right) || !same(t1.right, t2.left)) continue;
                if (std::abs(t1.xLeft - s.xLeft) > tol || std::abs(t2.xRight - s.xRight) > tol) continue;
                if (same(s.left, s.right) && same(s.left, t1.right)) continue;
                const int a = model.find(s.left), b = model.find(t1.right), c = model.find(s.right);
                if (a < 0 || b < 0 || c < 0) continue;
                Candidate candidate;
                candidate.shape = Candidate::ThreePhase;
                candidate.phases = {a, b, c};
                candidate.x = {s.xLeft, 0.5 * (t1.xRight + t2.xLeft), s.xRight};
                candidate.yLow = lower.y;
                candidate.yHigh = upper.y;
                candidate.gridY = split.y;
                candidate.gridX = candidate.x;
                found.push_back(candidate);
            }
        }
        // A phase appearing inside the field of another: host | new | host with nothing there in
        // the other row.
        for (size_t j = 0; j + 1 < split.segments.size(); ++j) {
            const RowSegment& t1 = split.segments[j];
            const RowSegment& t2 = split.segments[j + 1];
            if (!same(t1.left, t2.right) || !same(t1.right, t2.left) || same(t1.left, t1.right)) continue;
            if (anyOverlap(single, t1.xLeft, t2.xRight)) continue;
            const int appearing = model.find(t1.right), host = model.find(t1.left);
            if (appearing < 0 || host < 0) continue;
            Candidate candidate;
            candidate.shape = Candidate::Congruent;
            candidate.phases = {appearing, host};
            const double x = 0.5 * (t1.xRight + t2.xLeft);
            candidate.x = {x, t1.xLeft, t2.xRight};
            candidate.yLow = lower.y;
            candidate.yHigh = upper.y;
            candidate.gridY = split.y;
            candidate.gridX = {x};
            candidate.laterBelow = laterBelow;
            found.push_back(candidate);
        }
        // A miscibility gap opening inside the field of its phase.
        for (const RowSegment& t : split.segments) {
            if (!same(t.left, t.right) || t.leftPoint || anyOverlap(single, t.xLeft, t.xRight)) continue;
            const int phase = model.find(t.left);
            if (phase < 0) continue;
            Candidate candidate;
            candidate.shape = Candidate::Critical;
            candidate.phases = {phase};
            const double margin = std::max(5 * xStep, 0.05);
            candidate.x = {0.5 * (t.xLeft + t.xRight), t.xLeft - margin, t.xRight + margin};
            candidate.yLow = lower.y;
            candidate.yHigh = upper.y;
            candidate.gridY = split.y;
            candidate.gridX = {0.5 * (t.xLeft + t.xRight)};
            candidate.laterBelow = laterBelow;
            found.push_back(candidate);
        }
    }
    // The phase of a pure component changing between the rows.
    auto endChange = [&](const std::string& above, const std::string& below, double x) {
        if (above.empty() || below.empty() || above == "E" || below == "E" || same(above, below)) return;
        const int appearing = model.find(below), host = model.find(above);
        if (appearing < 0 || host < 0) return;
        Candidate candidate;
        candidate.shape = Candidate::Congruent;
        candidate.phases = {appearing, host};
        candidate.x = {x, x, x};
        candidate.yLow = lower.y;
        candidate.yHigh = upper.y;
        candidate.gridY = lower.y;
        candidate.gridX = {x};
        found.push_back(candidate);
    };
    if (std::abs(xMin) < 1e-12) endChange(upper.atMin, lower.atMin, xMin);
    if (std::abs(xMax - 1) < 1e-12) endChange(upper.atMax, lower.atMax, xMax);
    return found;
}

Invariant refineCandidate(PhaseModel& model, InvariantRefinement& refinement, const Candidate& candidate) {
    Invariant entry;
    entry.gridY = candidate.gridY;
    entry.gridX = candidate.gridX;
    entry.y = candidate.gridY;
    auto name = [&](int phase) { return displayName(model.phaseName(phase)); };
    if (candidate.shape == Candidate::ThreePhase) {
        const int a = candidate.phases[0], b = candidate.phases[1], c = candidate.phases[2];
        const auto result = refinement.threePhase(a, candidate.x[0], b, candidate.x[1], c, candidate.x[2],
                                                  candidate.yLow, candidate.yHigh);
        // Not refined: the middle phase is stable on the side of the row that shows it.
        bool middleAbove = candidate.gridY == candidate.yHigh;
        double xs[3] = {candidate.x[0], candidate.x[1], candidate.x[2]};
        if (result.ok) {
            entry.refined = true;
            entry.y = result.value.y;
            std::copy(result.value.x, result.value.x + 3, xs);
            middleAbove = result.value.middleAbove;
        } else {
            entry.reason = result.reason;
        }
        entry.phases = {{name(a), xs[0]}, {name(b), xs[1]}, {name(c), xs[2]}};
        entry.kind = classifyThreePhase(entry.phases[0].name, entry.phases[1].name, entry.phases[2].name, middleAbove);
        primeRepeats(entry.phases);
        const std::string above = middleAbove ? entry.phases[1].name
                                              : joined({entry.phases[0].name, entry.phases[2].name});
        const std::string below = middleAbove ? joined({entry.phases[0].name, entry.phases[2].name})
                                              : entry.phases[1].name;
        entry.reaction = above + " = " + below;
        return entry;
    }
    if (candidate.shape == Candidate::Congruent) {
        const int appearing = candidate.phases[0], host = candidate.phases[1];
        const auto result = refinement.congruent(appearing, host, candidate.x[0], candidate.x[1], candidate.x[2],
                                                 candidate.yLow, candidate.yHigh);
        double x = candidate.x[0];
        if (result.ok) {
            entry.refined = true;
            entry.y = result.value.y;
            x = result.value.x;
        } else {
            entry.reason = result.reason;
        }
        const std::string above = name(candidate.laterBelow ? host : appearing);
        const std::string below = name(candidate.laterBelow ? appearing : host);
        entry.kind = isLiquidName(above) || isLiquidName(below) ? InvariantKind::CongruentMelting
                                                                : InvariantKind::CongruentTransformation;
        entry.phases = {{above, x}, {below, x}};
        entry.reaction = above + " = " + below;
        return entry;
    }
    const int phase = candidate.phases[0];
    const auto result = refinement.critical(phase, candidate.x[1], candidate.x[2], candidate.yLow, candidate.yHigh);
    double x = candidate.x[0];
    if (result.ok) {
        entry.refined = true;
        entry.y = result.value.y;
        x = result.value.x;
    } else {
        entry.reason = result.reason;
    }
    entry.kind = InvariantKind::CriticalPoint;
    const std::string single = name(phase);
    const std::string pair = single + " + " + single + "'";
    entry.phases = {{single, x}};
    entry.reaction = candidate.laterBelow ? single + " = " + pair : pair + " = " + single;
    return entry;
}

bool samePhases(const Invariant& a, const Invariant& b) {
    if (a.kind != b.kind || a.phases.size() != b.phases.size()) return false;
    for (size_t i = 0; i < a.phases.size(); ++i)
        if (!same(a.phases[i].name, b.phases[i].name)) return false;
    return true;
}

}  // namespace

std::vector<Invariant> findInvariants(PhaseModel& model, const std::vector<RunRow>& rows,
                                      const std::vector<TNode>& nodes, double xMin, double xMax, double xStep) {
    InvariantRefinement refinement(model);
    std::vector<Invariant> table;
    double yStep = 0;
    for (size_t r = 0; r + 1 < rows.size(); ++r) {
        yStep = std::max(yStep, std::abs(rows[r].y - rows[r + 1].y));
        for (const Candidate& candidate : candidatesBetween(model, rows[r], rows[r + 1], xMin, xMax, xStep)) {
            Invariant entry = refineCandidate(model, refinement, candidate);
            // The same equilibrium seen again from another pair of rows.
            const bool seen = std::any_of(table.begin(), table.end(), [&](const Invariant& other) {
                if (!samePhases(entry, other)) return false;
                if (entry.refined && other.refined)
                    return std::abs(entry.y - other.y) <= 1e-6 * std::max(1.0, std::abs(entry.y));
                return std::abs(entry.gridY - other.gridY) <= 3 * yStep;
            });
            if (!seen) table.push_back(std::move(entry));
        }
    }
    // Each node of the special point search belongs to the three-phase equilibrium whose grid
    // picture it marks; the grid column of the table then shows the node.
    const double tol = std::max(3 * xStep, 0.03);
    for (const TNode& node : nodes) {
        Invariant* match = nullptr;
        for (Invariant& entry : table) {
            if (entry.phases.size() != 3 || entry.fromNode) continue;
            if (std::abs(entry.gridY - node.Y) > 1.5 * yStep + 1e-9) continue;
            if (std::abs(entry.gridX[0] - node.XLeft) > tol || std::abs(entry.gridX[2] - node.XRight) > tol) continue;
            match = &entry;
            break;
        }
        if (match != nullptr) {
            match->fromNode = true;
            match->gridY = node.Y;
            match->gridX = {node.XLeft, node.X, node.XRight};
            // Not refined: the node is the grid's value of the equilibrium.
            if (!match->refined) {
                match->y = node.Y;
                for (size_t i = 0; i < 3; ++i) match->phases[i].x = match->gridX[i];
            }
            continue;
        }
        Invariant entry;
        entry.y = entry.gridY = node.Y;
        entry.gridX = {node.XLeft, node.X, node.XRight};
        entry.fromNode = true;
        entry.reason = "the rows around this node show no three phases sharing a tie line";
        table.push_back(std::move(entry));
    }
    std::stable_sort(table.begin(), table.end(), [](const Invariant& a, const Invariant& b) { return a.y > b.y; });
    return table;
}

std::vector<RefinedBoundary> refineBoundaries(PhaseModel& model, std::span<const calc::TZPoint> boundaries,
                                              double xStep) {
    InvariantRefinement refinement(model);
    std::vector<RefinedBoundary> refined;
    refined.reserve(boundaries.size());
    for (size_t i = 0; i + 1 < boundaries.size(); i += 2) {
        const calc::TZPoint& right = boundaries[i];
        const calc::TZPoint& left = boundaries[i + 1];
        RefinedBoundary r{right, right.X, false, ""};
        RefinedBoundary l{left, left.X, false, ""};
        const int a = model.find(left.PhaseName), b = model.find(right.PhaseName);
        if (a < 0 || b < 0) {
            l.reason = r.reason = "phase not in the model";
        } else {
            const auto tie = refinement.tieLine(a, left.X, b, right.X, right.Y, std::max(3 * xStep, 1e-3));
            if (tie.ok) {
                l.point.X = tie.value.x1;
                r.point.X = tie.value.x2;
                l.refined = r.refined = true;
            } else {
                l.reason = r.reason = tie.reason;
            }
        }
        refined.push_back(r);
        refined.push_back(l);
    }
    if (boundaries.size() % 2 == 1) refined.push_back({boundaries.back(), boundaries.back().X, false, "unpaired"});
    return refined;
}

}  // namespace results
