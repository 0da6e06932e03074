#include "expr/compiled_form.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_map>

#include "expr/parser_errors.h"
#include "expr/random_source.h"
#include "util/number_format.h"

namespace expr {

namespace {

using Wide = long double;

[[noreturn]] void invalidOperation() { throw EEvaluationError("Invalid floating point operation"); }
[[noreturn]] void divisionByZero() { throw EEvaluationError("Floating point division by zero"); }
[[noreturn]] void overflow() { throw EEvaluationError("Floating point overflow"); }
[[noreturn]] void integerDivisionByZero() { throw EEvaluationError("Division by zero"); }

bool hasSecondOperand(OpKind kind) {
    switch (kind) {
    case OpKind::Add:
    case OpKind::Subtract:
    case OpKind::Multiply:
    case OpKind::Divide:
    case OpKind::IntDiv:
    case OpKind::Mod:
    case OpKind::RealPower:
    case OpKind::Max:
    case OpKind::Min:
        return true;
    default:
        return false;
    }
}

// Called only when a result is not finite: decides whether that is a fault. A NaN made from
// operands that hold no NaN is an invalid operation; an infinity made from finite operands is an
// overflow. Non-finite values that came in through a variable pass on without a fault.
void checkNonFinite(const Operation& op, double result) {
    const double a = *op.a;
    const bool two = hasSecondOperand(op.kind);
    const double b = two ? *op.b : 0.0;
    if (std::isnan(result)) {
        if (!std::isnan(a) && !std::isnan(b)) invalidOperation();
        return;
    }
    if (std::isfinite(a) && std::isfinite(b)) overflow();
}

// x / 0: 0/0 is invalid, a finite non-zero dividend is a division by zero; NaN and infinities
// pass on as IEEE arithmetic gives them.
double divideByZero(double a, double b) {
    if (std::isnan(a)) return a;
    if (a == 0) invalidOperation();
    if (std::isinf(a)) return std::signbit(a) != std::signbit(b) ? -HUGE_VAL : HUGE_VAL;
    divisionByZero();
}

// a ^ n by repeated squaring; for n < 0 the reciprocal of a ^ -n.
double integerPower(double a, std::int64_t n) {
    if (n == 0) return 1.0;
    std::uint64_t m = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    Wide base = a;
    Wide power = 1;
    for (;;) {
        if (m & 1) power *= base;
        m >>= 1;
        if (m == 0) break;
        base *= base;
    }
    if (n > 0) return static_cast<double>(power);
    // The reciprocal of a ^ -n. When a ^ -n leaves the extended range, the true result lies far
    // outside the double range on the other side: a ^ -n of zero means overflow, of infinity an
    // underflow to 0.
    if (power == 0) {
        if (a == 0) divisionByZero();
        overflow();
    }
    return static_cast<double>(1 / power);
}

double realPower(double a, double b) {
    if (b == 0) return 1.0;
    if (a == 0 && b > 0) return 0.0;
    if (std::trunc(b) == b && std::fabs(b) <= 2147483647.0) return integerPower(a, static_cast<std::int64_t>(b));
    if (a < 0) invalidOperation();
    if (a == 0) divisionByZero();  // the logarithm of zero
    return static_cast<double>(std::exp(static_cast<Wide>(b) * std::log(static_cast<Wide>(a))));
}

// DIV and MOD: both operands truncated toward zero to 64-bit integers.
double integerDivision(double a, double b, bool remainder) {
    constexpr double kLimit = 0x1p63;
    if (!(a >= -kLimit && a < kLimit) || !(b >= -kLimit && b < kLimit)) invalidOperation();
    const auto x = static_cast<std::int64_t>(a);
    const auto y = static_cast<std::int64_t>(b);
    if (y == 0) integerDivisionByZero();
    if (x == std::numeric_limits<std::int64_t>::min() && y == -1) return remainder ? 0.0 : kLimit;
    return remainder ? static_cast<double>(x % y) : static_cast<double>(x / y);
}

double phase(double x) {
    const double a = static_cast<double>(static_cast<Wide>(x) / 0.6366197723675813431L);
    return static_cast<double>((static_cast<Wide>(a) - util::roundHalfEven(a)) * 6.283185307179586477L);
}

}  // namespace

CompiledForm::CompiledForm(std::vector<double> cells, std::vector<Operation> operations, const double* result)
    : cells_(std::move(cells)), operations_(std::move(operations)), result_(result) {
    markDependencies();
}

// An operand is a constant or result cell owned here, the result of an earlier operation, or a
// variable cell of the parser; each variable gets one bit, and an operation depends on the union
// of its operands' variables.
void CompiledForm::markDependencies() {
    const double* ownFirst = cells_.data();
    const double* ownLast = cells_.data() + cells_.size();
    std::unordered_map<const double*, std::uint64_t> resultDepends;
    auto dependsOf = [&](const double* cell) -> std::uint64_t {
        if (cell == nullptr) return 0;
        if (auto it = resultDepends.find(cell); it != resultDepends.end()) return it->second;
        if (cell >= ownFirst && cell < ownLast) return 0;  // a constant
        for (std::size_t i = 0; i < watched_.size(); ++i)
            if (watched_[i].cell == cell) return std::uint64_t{1} << i;
        if (watched_.size() == 62) return kAlways;
        watched_.push_back({cell, 0});
        return std::uint64_t{1} << (watched_.size() - 1);
    };
    for (Operation& op : operations_) {
        op.depends = kFullRun | dependsOf(op.a) | (hasSecondOperand(op.kind) ? dependsOf(op.b) : 0);
        if (op.kind == OpKind::Rnd) op.depends |= kAlways;
        resultDepends[op.result] = op.depends;
    }
}

double CompiledForm::evaluate() {
    constexpr double kTrigonometricLimit = 0x1p63;
    std::uint64_t changed = ~std::uint64_t{0};
    if (resultsValid_) {
        changed = kAlways;
        for (std::size_t i = 0; i < watched_.size(); ++i)
            if (std::bit_cast<std::uint64_t>(*watched_[i].cell) != watched_[i].bits) changed |= std::uint64_t{1} << i;
    }
    for (Watched& w : watched_) w.bits = std::bit_cast<std::uint64_t>(*w.cell);
    // A fault leaves the operations after it unrun: until an evaluation completes, run them all.
    resultsValid_ = false;
    for (const Operation& op : operations_) {
        if ((op.depends & changed) == 0) continue;
        double& r = *op.result;
        // Operands are read where they are used and results rounded straight into the result cell,
        // so an extended-precision operation loads, computes and stores without further copies;
        // the finiteness check reads the cell back off the critical path.
        switch (op.kind) {
        case OpKind::Negate: r = -*op.a; break;
        case OpKind::Add: r = static_cast<double>(static_cast<Wide>(*op.a) + *op.b); break;
        case OpKind::Subtract: r = static_cast<double>(static_cast<Wide>(*op.a) - *op.b); break;
        case OpKind::Multiply: r = static_cast<double>(static_cast<Wide>(*op.a) * *op.b); break;
        case OpKind::Divide: {
            const double b = *op.b;
            r = b == 0 ? divideByZero(*op.a, b) : static_cast<double>(static_cast<Wide>(*op.a) / b);
            break;
        }
        case OpKind::IntDiv: r = integerDivision(*op.a, *op.b, false); break;
        case OpKind::Mod: r = integerDivision(*op.a, *op.b, true); break;
        case OpKind::IntPower: r = integerPower(*op.a, op.exponent); break;
        case OpKind::RealPower: r = realPower(*op.a, *op.b); break;
        case OpKind::Square: {
            const Wide x = *op.a;
            r = static_cast<double>(x * x);
            break;
        }
        case OpKind::Cube: {
            const Wide x = *op.a;
            r = static_cast<double>(x * x * x);
            break;
        }
        case OpKind::Fourth: {
            const Wide x = *op.a;
            const Wide s = x * x;
            r = static_cast<double>(s * s);
            break;
        }
        case OpKind::Tan: r = std::tan(*op.a); break;
        case OpKind::Sin: r = std::fabs(*op.a) >= kTrigonometricLimit ? 0.0 : std::sin(*op.a); break;
        case OpKind::Cos: r = std::fabs(*op.a) >= kTrigonometricLimit ? 0.0 : std::cos(*op.a); break;
        case OpKind::Sinh: {
            const Wide x = *op.a;
            r = static_cast<double>((std::exp(x) - std::exp(-x)) / 2);
            break;
        }
        case OpKind::Cosh: {
            const Wide x = *op.a;
            r = static_cast<double>((std::exp(x) + std::exp(-x)) / 2);
            break;
        }
        case OpKind::ArcTan: r = std::atan(*op.a); break;
        case OpKind::Exp: r = std::exp(*op.a); break;
        case OpKind::Ln: {
            const double a = *op.a;
            if (a < 0) invalidOperation();
            r = a == 0 ? 0.0 : std::log(a);
            break;
        }
        case OpKind::Sqrt: {
            const double a = *op.a;
            if (a < 0) invalidOperation();
            r = std::sqrt(a);
            break;
        }
        case OpKind::Abs: r = std::fabs(*op.a); break;
        case OpKind::Heav: r = *op.a >= 0 ? 1.0 : 0.0; break;
        case OpKind::Sign: {
            const double a = *op.a;
            r = a > 0 ? 1.0 : a < 0 ? -1.0 : a == 0 ? 0.0 : a;
            break;
        }
        case OpKind::Zero: r = *op.a == 0 ? 0.0 : 1.0; break;
        case OpKind::Ph: r = phase(*op.a); break;
        case OpKind::Rnd: r = std::trunc(*op.a) * RandomSource::next(); break;
        case OpKind::Max: r = *op.a >= *op.b ? *op.a : *op.b; break;
        case OpKind::Min: r = *op.a >= *op.b ? *op.b : *op.a; break;
        }
        if (!std::isfinite(r)) [[unlikely]]
            checkNonFinite(op, r);
    }
    resultsValid_ = true;
    return *result_;
}

}  // namespace expr
