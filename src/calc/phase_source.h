#pragma once
#include <span>
#include <string>
#include <vector>

#include "calc/row_analysis.h"

namespace calc {

// The phases of the system being calculated, as the grid run needs them: assembled once per run,
// then evaluated row by row. The run owns the temperature it passes; pressure, Y and the
// composition range are read by the evaluators from the run parameters they were given.
class PhaseSource {
public:
    virtual ~PhaseSource() = default;

    // Assembles the phase functions; false when they cannot be used (the reason already shown).
    virtual bool build() = 0;
    // Names as listed, in list order (point phases with their mark and composition).
    virtual std::vector<std::string> solutionPhases() = 0;
    virtual std::vector<PointPhaseEntry> pointPhases() = 0;
    // The composition grid of the run, with the text of each composition; set before evaluating.
    virtual void setCompositions(std::span<const double> x, std::span<const std::string> texts) = 0;
    // G of solution phase `phase` at every grid composition; g has one entry per composition and
    // keeps the values the evaluator leaves alone.
    virtual void evaluateSolution(int phase, std::vector<double>& g, double temperature) = 0;
    // G of point phase `phase` at its own composition. Faults are thrown and end the run.
    virtual double evaluatePoint(int phase, double temperature) = 0;
};

}  // namespace calc
