#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "expr/compiled_form.h"
#include "expr/parser_errors.h"

namespace expr {

// Evaluator of one expression of the arithmetic language of Gibbs energies. An expression is
// compiled once when it is assigned and then evaluated many times while the host changes
// variables: operations refer to variable cells directly, so a new value takes effect at the next
// evaluation without recompiling. Variables A B C D E X Y T exist from the start with value 0;
// further ones are made by setVariable and must exist before an expression using them is compiled.
class TParser {
public:
    TParser();
    ~TParser();
    TParser(const TParser&) = delete;
    TParser& operator=(const TParser&) = delete;

    // Discards the previous compiled form, stores the text and compiles it. A text that is empty
    // or all blanks leaves no compiled form. Compile errors (EMathParserError family) are thrown,
    // or handed to the error handler when one is set, and leave no compiled form either.
    void setExpression(std::string_view text);
    const std::string& expression() const { return expression_; }

    // Value of the compiled expression; 0 without a compiled form. Throws EEvaluationError on a
    // floating-point fault; the parser and its variables stay as they were.
    double value();

    // Names are case-insensitive. A new name must be a letter or underscore followed by letters,
    // digits or underscores; otherwise EBadName carries the (upper-case) name.
    void setVariable(std::string_view name, double value);

    // Stable address of a variable's cell for hosts that write through it in hot loops; nullptr if
    // the variable is not defined. Valid as long as the parser.
    double* variableCell(std::string_view name);

    bool hasCompiledForm() const { return compiled_ != nullptr; }

    // When set, compile errors of setExpression go to this handler instead of being thrown.
    using ErrorHandler = std::function<void(TParser& sender, const EMathParserError& error)>;
    void setOnParserError(ErrorHandler handler) { onParserError_ = std::move(handler); }

private:
    ErrorHandler onParserError_;
    std::string expression_;
    std::map<std::string, double, std::less<>> variables_;  // map nodes never move
    // Length of the longest variable name: a longer text is no variable, which the compiler asks
    // about every candidate operand of a long expression.
    std::size_t longestName_ = 1;
    std::unique_ptr<CompiledForm> compiled_;
};

}  // namespace expr
