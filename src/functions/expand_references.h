#pragma once
#include <string>
#include <vector>

#include "functions/tfunc.h"

namespace util {
class Dialogs;
}

namespace functions {

class FunctionSource;
struct RunValues;

// Replaces the references {Designation} of a cleaned Gibbs-energy expression by the expressions
// of the referenced stability parameters and cuts the record into temperature pieces: the pieces
// start at the smallest referenced detail Tmin, are cut at every referenced Tmin and end at the
// smallest of the parameters' last Tmax (at most 1e10). Breakpoints are rounded to 15 significant
// digits. Each piece takes, for every reference, the first detail record that spans the whole
// piece (else the parameter's last one); its composition window is that of the detail record
// chosen for the text's last reference, or the run's composition range when that record's stored
// Xmin equals its stored Xmax. `x`, `y` become every piece's X and Y.
//
// An unresolvable reference shows "Designation: <name> not found" (also for a "}" standing before
// the first "{"), a "{" without "}" shows "No matching bracket: " + the text as reduced so far;
// then false is returned and `pieces` is left empty. Errors of the source are passed on.
// A reference inside inserted element data is expanded in turn (it adds no breakpoint); a
// parameter met inside its own expansion fails after "Designation: <name> refers to itself".
bool ExpandReferences(const std::string& text, double x, double y, FunctionSource& source,
                      const RunValues& run, util::Dialogs& dialogs, std::vector<Tfunc>& pieces);

}  // namespace functions
