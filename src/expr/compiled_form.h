#pragma once
#include <cstdint>
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

    // Runs the operations in order and returns the root's value. An operation none of whose
    // variables changed since the last evaluation that ended without a fault keeps the result it
    // stored then (the same operands give the same result), so the terms that depend only on the
    // temperature are not recomputed while only X and SID move along a row. Arithmetic, powers, PH, SINH and
    // COSH compute in extended precision and round to a double when they store; LN, EXP, SQRT,
    // SIN, COS, TAN and ARCTAN use the double-precision library routines, whose results are the
    // nearest double or within a hair of it (the extended logarithm alone would cost several
    // times the rest of a typical evaluation). Throws EEvaluationError on invalid operation,
    // division by zero, overflow and integer division by zero; evaluation stops at the failing
    // operation.
    double evaluate();

    std::size_t operationCount() const { return operations_.size(); }

private:
    // A variable cell the operations read, with the bits of its value at the last evaluation.
    struct Watched {
        const double* cell;
        std::uint64_t bits;
    };
    // Marks operations that must run at every evaluation: RND, and readers of variables beyond
    // the 62 that get a bit of their own.
    static constexpr std::uint64_t kAlways = std::uint64_t{1} << 63;
    // Carried by every operation: set only in a full evaluation, so that operations of constants
    // alone run then and keep their results afterwards.
    static constexpr std::uint64_t kFullRun = std::uint64_t{1} << 62;

    void markDependencies();

    std::vector<double> cells_;
    std::vector<Operation> operations_;
    const double* result_;
    std::vector<Watched> watched_;
    bool resultsValid_ = false;  // every result cell holds the value of the last evaluation
};

}  // namespace expr
