#include "functions/tparserplus.h"

#include "expr/parser.h"
#include "functions/ideal_mixing_entropy.h"
#include "functions/tfunc.h"

namespace functions {

TParserplus::TParserplus() : parser_(std::make_unique<expr::TParser>()) {
    parser_->setVariable("R", GasConstant);
    parser_->setVariable("P", 1);
    parser_->setVariable("SID", 0.5);
    t_ = parser_->variableCell("T");
    p_ = parser_->variableCell("P");
    y_ = parser_->variableCell("Y");
    x_ = parser_->variableCell("X");
    sid_ = parser_->variableCell("SID");
}

TParserplus::~TParserplus() = default;

void TParserplus::load(const Tfunc& piece, bool onlyWhenChanged) {
    Tmin = piece.Tmin;
    Tmax = piece.Tmax;
    if (onlyWhenChanged && parser_->expression() == piece.Expression && parser_->hasCompiledForm()) return;
    try {
        parser_->setExpression(piece.Expression);
    } catch (...) {
        Tmin = 1;
        Tmax = 0;
        parser_->setExpression("");
        throw;
    }
}

}  // namespace functions
