#pragma once
#include <vector>

#include "expr/operation.h"

namespace expr {

// The compiled form of one expression: operations in an order where every operation runs after
// those that produce its operands, the last one being the root. Operands point at variable cells
// of the parser or at cells owned here (constants and results), so evaluation does no lookup,
// no text work and no allocation.
class CompiledForm {
public:
    // `cells` holds the constants and the result cells that `operations` and `result` point into;
    // its buffer moves in unchanged, so those pointers stay valid.
    CompiledForm(std::vector<double> cells, std::vector<Operation> operations, const double* result);
    CompiledForm(const CompiledForm&) = delete;
    CompiledForm& operator=(const CompiledForm&) = delete;

    // Runs every operation once and returns the root's value. Arithmetic, powers, PH, SINH and
    // COSH compute in extended precision and round to a double when they store; LN, EXP, SQRT,
    // SIN, COS, TAN and ARCTAN use the double-precision library routines, whose results are the
    // nearest double or within a hair of it (the extended logarithm alone would cost several
    // times the rest of a typical evaluation). Throws EEvaluationError on invalid operation,
    // division by zero, overflow and integer division by zero; evaluation stops at the failing
    // operation.
    double evaluate();

    std::size_t operationCount() const { return operations_.size(); }

private:
    std::vector<double> cells_;
    std::vector<Operation> operations_;
    const double* result_;
};

}  // namespace expr
