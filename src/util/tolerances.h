#pragma once

namespace util {

// Fixed absolute tolerances of the phase-diagram calculation. They are absolute, not relative:
// compositions are mole fractions in [0, 1] and G values are compared against chords of the same
// row, so one fixed width serves every system.

// Two compositions closer than this are the same composition (grid columns, point phases).
inline constexpr double kCompositionTolerance = 1e-8;

// A G value less than this below the chord between a row's ends still counts as on the chord.
inline constexpr double kChordTolerance = 1e-8;

// Stepping along the composition grid stops once x is within this of the range's end.
inline constexpr double kCompositionRangeEndTolerance = 1e-12;

// The walk down the Y rows has reached Ymin once YCurrent is within this of it.
inline constexpr double kYMinTolerance = 1e-11;

// Starting value of every minimum search: above any Gibbs energy a phase can have.
inline constexpr double kMinimumSearchStart = 1e10;

// G of a composition outside a phase's composition window: so far above any real Gibbs energy that
// the phase never wins there while another phase is defined.
inline constexpr double kGOutsideWindow = 1e30;

}  // namespace util
