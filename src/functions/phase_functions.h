#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "functions/name_list.h"
#include "functions/run_values.h"
#include "functions/tfuncts.h"
#include "functions/tg.h"
#include "functions/tparserplus.h"
#include "functions/txclass.h"

namespace util {
class Dialogs;
}

namespace functions {

class FunctionSource;
struct GibbsRecord;

// The phase functions of the current system: assembled from the database before a calculation
// (or for the system listing) and evaluated by the run. Owns the four name lists and every object
// in them; the lists live from one assembly to the next.
class PhaseFunctions {
public:
    // `run` is read at every assembly and evaluation (and its CalculationMode decides what an
    // assembly keeps); `decimalSeparator` is used for the numbers of the listing and of messages.
    PhaseFunctions(RunValues& run, util::Dialogs& dialogs, char decimalSeparator);

    // Assembles the phases of the source's current system. False after a reference could not be
    // resolved (its message already shown): the lists then hold the phases completed before.
    // In calculation mode the last piece of every phase is compiled; a compile error is thrown.
    bool BuildPhaseFunctions(FunctionSource& source);

    // G of a solution phase at every entry of CompositionList at temperature T. G is resized to
    // the list's count (kept values stay, new ones are 0). Outside the phase's composition window
    // G is 1e30. An evaluation error is reported and leaves G from the failing entry on as it was;
    // a compile error of a newly loaded piece is thrown. When no piece covers T, G is unchanged.
    void EvaluateSolutionPhase(std::string_view name, TG& G, double T);

    // G of a point phase at its composition at temperature T; 0 when no piece covers T or the
    // phase is unknown. Compile and evaluation errors are thrown.
    double EvaluatePointPhase(std::string_view name, double T);

    // The listing lines (UTF-8) of the last assembly, in either mode.
    const std::vector<std::string>& listing() const { return listing_; }

    RunValues& run() { return run_; }
    util::Dialogs& dialogs() { return dialogs_; }
    char decimalSeparator() const { return separator_; }

    NameList<Tfuncts> FunctionList;      // phase name -> pieces, for every phase with a piece
    NameList<TParserplus> SolutionList;  // solution phase name -> evaluator
    NameList<TParserplus> PointPhaseList;  // marked point phase name -> evaluator
    NameList<TXclass> CompositionList;   // text of x -> grid composition; filled by the run

private:
    // Appends the pieces of one Gibbs-energy record; false when its references cannot be resolved.
    bool assembleRecord(FunctionSource& source, bool temperature, const GibbsRecord& record,
                        Tfuncts& pieces);
    void listPieces(const Tfuncts& pieces);
    void evaluateOverCompositions(TParserplus& evaluator, TG& G);

    RunValues& run_;
    util::Dialogs& dialogs_;
    char separator_;
    std::vector<std::string> listing_;
};

// The phase name with the point-phase mark "-(C)" appended, unless it holds a capital Latin "C".
std::string markPointPhase(const std::string& name);

}  // namespace functions
