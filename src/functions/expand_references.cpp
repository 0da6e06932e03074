#include "functions/expand_references.h"

#include <algorithm>

#include "functions/composition_window.h"
#include "functions/function_source.h"
#include "functions/run_values.h"
#include "util/dialogs.h"
#include "util/number_format.h"
#include "util/text.h"

namespace functions {

namespace {

// A breakpoint travels as text with 15 significant digits and is read back from it.
double throughText(double value) {
    double read = value;
    util::TryParseNumber(util::formatGeneral(value, '.'), read);
    return read;
}

void insertBreakpoint(std::vector<double>& breakpoints, double value) {
    const auto at = std::lower_bound(breakpoints.begin(), breakpoints.end(), value);
    if (at == breakpoints.end() || *at != value) breakpoints.insert(at, value);
}

void notFound(util::Dialogs& dialogs, const std::string& name) {
    dialogs.error("Designation: " + name + " not found");
}

// The breakpoints of the text: every referenced detail Tmin in ascending order, then the smallest
// last Tmax. False after a message when a reference cannot be resolved.
bool collectBreakpoints(std::string copy, FunctionSource& source, util::Dialogs& dialogs,
                        std::vector<double>& breakpoints) {
    double upper = 1e10;
    std::vector<StabilityDetail> details;
    for (std::size_t open = copy.find('{'); open != std::string::npos; open = copy.find('{')) {
        const std::size_t close = copy.find('}');
        if (close == std::string::npos) {
            dialogs.error("No matching bracket: " + copy);
            return false;
        }
        if (close < open) {  // nothing stands between the braces
            notFound(dialogs, "");
            return false;
        }
        const std::string name = copy.substr(open + 1, close - open - 1);
        if (!source.findStability(name, details)) {
            notFound(dialogs, name);
            return false;
        }
        for (const StabilityDetail& detail : details) insertBreakpoint(breakpoints, throughText(detail.Tmin));
        const double lastTmax = details.empty() ? 0 : details.back().Tmax;
        if (lastTmax < upper) upper = lastTmax;
        copy.erase(open, close - open + 1);
    }
    breakpoints.push_back(throughText(upper));
    return true;
}

// Substitutes every reference of `text` for the piece lower..upper, always the first "{" with the
// first "}" of the text as it stands, so a reference inside inserted element data is expanded in
// its turn. A parameter met again inside its own expansion would never end: it fails after
// "Designation: <name> refers to itself". `last` receives the detail record chosen last.
bool substitute(const std::string& text, double lower, double upper, FunctionSource& source,
                util::Dialogs& dialogs, std::string& result, StabilityDetail& last) {
    struct Expansion {
        std::string name;
        std::size_t end;  // the inserted text ends before this position
    };
    std::vector<Expansion> enclosing;  // innermost last
    result = text;
    std::vector<StabilityDetail> details;
    for (std::size_t open = result.find('{'); open != std::string::npos; open = result.find('{', open)) {
        const std::size_t close = result.find('}');
        if (close == std::string::npos) {
            dialogs.error("No matching bracket: " + result);
            return false;
        }
        if (close < open) {
            notFound(dialogs, "");
            return false;
        }
        const std::string name = result.substr(open + 1, close - open - 1);
        while (!enclosing.empty() && enclosing.back().end <= open) enclosing.pop_back();
        for (const Expansion& outer : enclosing) {
            if (util::equalsIgnoreCase(outer.name, name)) {
                dialogs.error("Designation: " + name + " refers to itself");
                return false;
            }
        }
        if (!source.findStability(name, details)) {
            notFound(dialogs, name);
            return false;
        }
        const auto spans = std::find_if(details.begin(), details.end(), [&](const StabilityDetail& d) {
            return d.Tmin <= lower && d.Tmax >= upper;
        });
        last = spans != details.end() ? *spans : details.empty() ? StabilityDetail{} : details.back();
        const std::size_t removed = close - open + 1;
        result.replace(open, removed, last.Expression);
        for (Expansion& outer : enclosing) outer.end = outer.end - removed + last.Expression.size();
        enclosing.push_back({name, open + last.Expression.size()});
    }
    return true;
}

}  // namespace

bool ExpandReferences(const std::string& text, double x, double y, FunctionSource& source,
                      const RunValues& run, util::Dialogs& dialogs, std::vector<Tfunc>& pieces) {
    pieces.clear();
    std::vector<double> breakpoints;
    if (!collectBreakpoints(text, source, dialogs, breakpoints)) return false;

    std::vector<Tfunc> made;
    std::string substituted;
    for (std::size_t k = 1; k < breakpoints.size(); ++k) {
        Tfunc piece;
        piece.Tmin = breakpoints[k - 1];
        piece.Tmax = breakpoints[k];
        StabilityDetail last;
        if (!substitute(text, piece.Tmin, piece.Tmax, source, dialogs, substituted, last)) return false;
        setCompositionWindow(piece, last.Xmin, last.Xmax, run);
        piece.X = x;
        piece.Y = y;
        piece.Expression = util::CleanExpressionText(substituted);
        made.push_back(std::move(piece));
    }
    pieces = std::move(made);
    return true;
}

}  // namespace functions
