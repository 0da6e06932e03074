#pragma once
#include <cstdint>

namespace expr {

// What one compiled operation computes. One-argument functions and the two-argument functions
// have kinds of their own, so the evaluator dispatches with a single switch and no call through
// a pointer.
enum class OpKind : std::uint8_t {
    Negate,
    Add,
    Subtract,
    Multiply,
    Divide,
    IntDiv,
    Mod,
    IntPower,   // a ^ exponent, exponent a whole number fixed at compile time
    RealPower,  // a ^ b
    Square,
    Cube,
    Fourth,
    // one-argument functions
    Tan,
    Sin,
    Cos,
    Sinh,
    Cosh,
    ArcTan,
    Exp,
    Ln,
    Sqrt,
    Abs,
    Heav,
    Sign,
    Zero,
    Ph,
    Rnd,
    // two-argument functions
    Max,
    Min,
};

// One step of a compiled expression: reads its operand cells, writes its result cell.
// The cells belong to the compiled form or to the parser's variable table and never move.
struct Operation {
    OpKind kind;
    const double* a;
    const double* b;  // nullptr for operations of one operand
    double* result;
    std::int64_t exponent;  // IntPower only
    // Which watched variables the result depends on (set by CompiledForm, one bit a variable);
    // an operation whose variables kept their values since the last evaluation is not run again.
    std::uint64_t depends = 0;
};

}  // namespace expr
