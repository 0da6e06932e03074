#pragma once
#include <optional>
#include <string_view>

#include "expr/operation.h"

namespace expr {

// The functions an expression may call, by upper-case name: TAN SIN COS SINH COSH ARCTAN EXP LN
// SQRT ABS HEAV SIGN ZERO PH RND with one argument, MAX MIN with two.
class FunctionTable {
public:
    static std::optional<OpKind> oneArgument(std::string_view name);
    static std::optional<OpKind> twoArguments(std::string_view name);
};

}  // namespace expr
