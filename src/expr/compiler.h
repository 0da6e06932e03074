#pragma once
#include <functional>
#include <memory>
#include <string_view>

#include "expr/compiled_form.h"

namespace expr {

// Turns expression text into a compiled form. The text is upper-cased, trimmed of blanks at both
// ends, checked for inner blanks and bracket counts, stripped of brackets that enclose the whole,
// recognised term by term (TermClassifier), and laid out by depth: the root operation on level 1,
// the operations producing its operands on level 2, and so on, at most 20 levels of at most 50
// operations each.
class Compiler {
public:
    // Cell of a defined variable (upper-case name), nullptr for any other name.
    using VariableCells = std::function<double*(std::string_view)>;

    // nullptr for a text without anything but blanks. Throws the EMathParserError family.
    static std::unique_ptr<CompiledForm> compile(std::string_view text, const VariableCells& variables,
                                                 bool memoise = true);

    static constexpr int kMaxLevels = 20;
    static constexpr int kMaxOperationsPerLevel = 50;
};

}  // namespace expr
