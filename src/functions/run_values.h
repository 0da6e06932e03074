#pragma once

namespace functions {

// The values of the current run that the phase evaluators read. The calculation owns this object
// and fills it (composition range and pressure before assembling, YCurrent before every row);
// the phase functions only read it. Defaults are the values in force before any run.
struct RunValues {
    double XMin = 0;      // composition range of the grid
    double XMax = 1;
    double PValue = 1;    // pressure, seen by the expressions as P
    double YCurrent = 0;  // Y of the row being computed, seen by the expressions as Y
    // True when the assembly prepares a calculation (evaluators are compiled and kept);
    // false when it only produces the system listing.
    bool CalculationMode = true;
};

}  // namespace functions
