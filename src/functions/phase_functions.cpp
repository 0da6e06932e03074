#include "functions/phase_functions.h"

#include <memory>

#include "expr/parser.h"
#include "functions/composition_window.h"
#include "functions/expand_references.h"
#include "functions/function_source.h"
#include "functions/ideal_mixing_entropy.h"
#include "functions/parse_composition.h"
#include "util/dialogs.h"
#include "util/errors.h"
#include "util/number_format.h"
#include "util/text.h"

namespace functions {

std::string markPointPhase(const std::string& name) {
    return name.find('C') == std::string::npos ? name + "-(C)" : name;
}

PhaseFunctions::PhaseFunctions(RunValues& run, util::Dialogs& dialogs, char decimalSeparator)
    : run_(run), dialogs_(dialogs), separator_(decimalSeparator) {}

bool PhaseFunctions::BuildPhaseFunctions(FunctionSource& source) {
    FunctionList.clear();
    SolutionList.clear();
    PointPhaseList.clear();
    listing_.clear();
    source.rewindPhases();
    listing_.push_back("SYSTEM: " + source.systemDesignation());
    listing_.emplace_back();
    const bool temperature = source.yParameter() == "Temperature";

    const int phaseCount = source.phaseCount();
    for (int phase = 0; phase < phaseCount; ++phase) {
        std::string name = source.phaseDesignation(phase);
        listing_.push_back("PHASE: " + markPointPhase(name));
        auto pieces = std::make_unique<Tfuncts>();
        const int records = source.gibbsCount(phase);
        for (int index = 0; index < records; ++index) {
            GibbsRecord record;
            try {
                record = source.gibbsRecord(phase, index);
                if (!assembleRecord(source, temperature, record, *pieces)) return false;
            } catch (const util::Error&) {
                // The phase keeps the pieces made so far; its remaining records are not read.
                dialogs_.message(record.Expression);
                break;
            }
        }
        listPieces(*pieces);
        if (records > 0) listing_.emplace_back();
        if (pieces->count() == 0) continue;

        // A point phase is listed in FunctionList under its marked name in either mode.
        if (pieces->last().X >= 0) name = markPointPhase(name);
        if (run_.CalculationMode) {
            const Tfunc& last = pieces->last();
            auto evaluator = std::make_unique<TParserplus>();
            evaluator->Xmin = last.Xmin;
            evaluator->Xmax = last.Xmax;
            evaluator->X = -1;
            if (last.X >= 0) {
                evaluator->X = last.X;
                *evaluator->xCell() = last.X;
                *evaluator->yCell() = last.Y;
                evaluator->load(last, false);
                PointPhaseList.add(name, std::move(evaluator));
            } else {
                evaluator->load(last, false);
                SolutionList.add(name, std::move(evaluator));
            }
        }
        FunctionList.add(name, std::move(pieces));
    }
    source.rewindPhases();
    return true;
}

bool PhaseFunctions::assembleRecord(FunctionSource& source, bool temperature, const GibbsRecord& record,
                                    Tfuncts& pieces) {
    Tfunc piece;
    piece.Tmin = record.Tmin;
    piece.Tmax = record.Tmax;
    if (temperature && piece.Tmax <= 0) piece.Tmax = 10000;
    setCompositionWindow(piece, record.Xmin, record.Xmax, run_);

    const std::string compositionText = util::trim(record.X);
    if (!compositionText.empty()) {
        const Composition composition = ParseComposition(compositionText);
        piece.X = composition.x;
        piece.Y = composition.y;
    }
    // A point phase never sits exactly on an end of the composition range.
    if (piece.X == run_.XMax) piece.X = run_.XMax - 1e-10;
    if (piece.X == run_.XMin) piece.X = run_.XMin + 1e-10;

    std::string expression = util::CleanExpressionText(record.Expression);
    if (expression.find('{') == std::string::npos) {
        piece.Expression = std::move(expression);
        pieces.append(std::move(piece));
        return true;
    }
    std::vector<Tfunc> expanded;
    if (!ExpandReferences(expression, piece.X, piece.Y, source, run_, dialogs_, expanded)) return false;
    for (Tfunc& part : expanded) pieces.append(std::move(part));
    return true;
}

void PhaseFunctions::listPieces(const Tfuncts& pieces) {
    const auto number = [this](double v) { return util::formatPicture(v, "0.###", separator_); };
    for (const Tfunc& piece : pieces) {
        listing_.push_back("Tmin = " + number(piece.Tmin) + "  Tmax = " + number(piece.Tmax));
        if (piece.Xmin != 0) listing_.push_back("Xmin = " + number(piece.Xmin));
        if (piece.Xmax != 1) listing_.push_back("Xmax = " + number(piece.Xmax));
        listing_.push_back(piece.Expression);
    }
}

void PhaseFunctions::EvaluateSolutionPhase(std::string_view name, TG& G, double T) {
    G.resize(CompositionList.count());
    TParserplus* evaluator = SolutionList.find(name);
    if (evaluator == nullptr) {
        dialogs_.error("Phase " + std::string(name) + " not found in list of solutions");
        return;
    }
    if (evaluator->covers(T)) {
        evaluator->setConditions(T, run_.PValue, run_.YCurrent);
        evaluateOverCompositions(*evaluator, G);
        return;
    }
    const Tfuncts* pieces = FunctionList.find(name);
    if (pieces == nullptr) {
        dialogs_.error("Phase " + std::string(name) + " not found in list of functions");
        return;
    }
    // Every covering piece is evaluated in turn: the last one in order provides the values and
    // stays loaded.
    for (const Tfunc& piece : *pieces) {
        if (!(piece.Tmin <= T && T <= piece.Tmax)) continue;
        evaluator->load(piece, true);
        evaluator->setConditions(T, run_.PValue, run_.YCurrent);
        evaluateOverCompositions(*evaluator, G);
    }
}

void PhaseFunctions::evaluateOverCompositions(TParserplus& evaluator, TG& G) {
    expr::TParser& parser = evaluator.parser();
    double* const x = evaluator.xCell();
    double* const sid = evaluator.sidCell();
    const double xmin = evaluator.Xmin;
    const double xmax = evaluator.Xmax;
    const std::size_t count = CompositionList.count();
    std::size_t i = 0;
    try {
        for (; i < count; ++i) {
            const TXclass& composition = CompositionList.object(i);
            if (composition.x < xmin || composition.x > xmax) {
                G[i] = 1e30;  // far above any real Gibbs energy: the phase never wins here
                continue;
            }
            *x = composition.x;
            *sid = composition.sid;
            G[i] = parser.value();
        }
    } catch (const expr::EEvaluationError&) {
        dialogs_.message(parser.expression() + "\r" + " at X = " +
                         util::formatGeneral(CompositionList.object(i).x, separator_));
    }
}

double PhaseFunctions::EvaluatePointPhase(std::string_view name, double T) {
    TParserplus* evaluator = PointPhaseList.find(name);
    if (evaluator == nullptr) {
        dialogs_.error("Phase " + std::string(name) + " not found in list of point phases");
        return 0;
    }
    if (evaluator->covers(T)) {
        evaluator->setConditions(T, run_.PValue, run_.YCurrent);
        *evaluator->xCell() = evaluator->X;
        *evaluator->sidCell() = IdealMixingEntropy(evaluator->X);
        return evaluator->parser().value();
    }
    const Tfuncts* pieces = FunctionList.find(name);
    if (pieces == nullptr) {
        dialogs_.error("Phase " + std::string(name) + " not found in list of functions");
        return 0;
    }
    double result = 0;
    for (const Tfunc& piece : *pieces) {
        if (!(piece.Tmin <= T && T <= piece.Tmax)) continue;
        evaluator->load(piece, false);
        evaluator->setConditions(T, run_.PValue, run_.YCurrent);
        *evaluator->xCell() = piece.X;
        *evaluator->sidCell() = IdealMixingEntropy(piece.X);
        result = evaluator->parser().value();
    }
    return result;
}

}  // namespace functions
