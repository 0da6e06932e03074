#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace results {

// The Gibbs energies of a system's phases at any composition and Y, as the refinement of
// invariants and boundaries needs them. A solution phase is evaluated at the composition asked
// for; a point phase has a fixed composition and ignores it.
class PhaseModel {
public:
    virtual ~PhaseModel() = default;

    virtual int phaseCount() const = 0;
    // The name as listed (a point phase carries its mark).
    virtual const std::string& phaseName(int phase) const = 0;
    virtual bool isPointPhase(int phase) const = 0;
    // The composition of a point phase.
    virtual double pointComposition(int phase) const = 0;
    // The composition window of a solution phase; derivatives are taken inside it.
    virtual double windowMin(int phase) const = 0;
    virtual double windowMax(int phase) const = 0;
    // G in J/mol at composition x and Y = y; nullopt where the phase is not defined there (outside
    // its window, no temperature piece covering, a value that is not a finite number). An
    // evaluation fault of the expression is thrown as util::Error with its message.
    virtual std::optional<double> gibbs(int phase, double x, double y) = 0;

    // The index of the phase listed under `name` (letter case ignored), or -1.
    int find(std::string_view name) const;
};

}  // namespace results
