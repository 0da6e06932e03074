#include "expr/compiler.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "expr/function_table.h"
#include "expr/parser_errors.h"
#include "expr/term_classifier.h"

namespace expr {

namespace {

// An operand as the tree builder sees it: a variable's cell, a constant, or an operation's result.
struct Operand {
    enum class Source { Variable, Constant, Operation } source;
    double* variable = nullptr;
    std::size_t index = 0;  // into constants or into nodes
};

struct Node {
    OpKind kind;
    Operand a;
    Operand b;
    bool hasB = false;
    std::int64_t exponent = 0;
    int level = 0;
};

// Builds the operation tree of a recognised text, children after their parent (pre-order).
class TreeBuilder {
public:
    TreeBuilder(std::string_view text, TermClassifier& terms, const Compiler::VariableCells& variables)
        : text_(text), terms_(terms), variables_(variables) {}

    Operand build(std::size_t begin, std::size_t end, int level) {
        const TermKind kind = terms_.classify(begin, end);
        switch (kind) {
        case TermKind::Group: return build(begin + 1, end - 1, level);
        case TermKind::Variable: {
            double* cell = variables_(text_.substr(begin, end - begin));
            if (!cell) throw EParserInternalError();
            return Operand{Operand::Source::Variable, cell, 0};
        }
        case TermKind::Number: return constant(literal(begin, end));
        case TermKind::Negation: return unary(OpKind::Negate, begin + 1, end, level);
        case TermKind::Sum: return binary(OpKind::Add, kind, begin, end, level);
        case TermKind::Difference: return binary(OpKind::Subtract, kind, begin, end, level);
        case TermKind::Product: return binary(OpKind::Multiply, kind, begin, end, level);
        case TermKind::IntDiv: return binary(OpKind::IntDiv, kind, begin, end, level);
        case TermKind::Mod: return binary(OpKind::Mod, kind, begin, end, level);
        case TermKind::Quotient: return binary(OpKind::Divide, kind, begin, end, level);
        case TermKind::Power: return power(begin, end, level);
        case TermKind::Call1: {
            const std::size_t open = text_.find('(', begin);
            return unary(*FunctionTable::oneArgument(text_.substr(begin, open - begin)), open + 1, end - 1, level);
        }
        case TermKind::Call2: return call2(begin, end, level);
        default: throw EParserInternalError();
        }
    }

    std::vector<Node> nodes;
    std::vector<double> constants;

private:
    double literal(std::size_t begin, std::size_t end) const {
        auto value = TermClassifier::numberLiteral(text_.substr(begin, end - begin));
        if (!value) throw EParserInternalError();
        return *value;
    }

    Operand constant(double value) {
        constants.push_back(value);
        return Operand{Operand::Source::Constant, nullptr, constants.size() - 1};
    }

    std::size_t addNode(OpKind kind, int level) {
        nodes.push_back(Node{kind, {}, {}, false, 0, level});
        return nodes.size() - 1;
    }

    Operand result(std::size_t node) const { return Operand{Operand::Source::Operation, nullptr, node}; }

    Operand unary(OpKind op, std::size_t begin, std::size_t end, int level) {
        const std::size_t node = addNode(op, level);
        nodes[node].a = build(begin, end, level + 1);
        return result(node);
    }

    Operand binary(OpKind op, TermKind kind, std::size_t begin, std::size_t end, int level) {
        const std::size_t split = terms_.splitPosition(kind, begin, end);
        if (split == std::string_view::npos) throw EParserInternalError();
        const std::size_t node = addNode(op, level);
        nodes[node].a = build(begin, split, level + 1);
        nodes[node].b = build(split + TermClassifier::operatorLength(kind), end, level + 1);
        nodes[node].hasB = true;
        return result(node);
    }

    Operand call2(std::size_t begin, std::size_t end, int level) {
        const std::size_t open = text_.find('(', begin);
        const std::size_t comma = terms_.splitPosition(TermKind::Call2, begin, end);
        if (comma == std::string_view::npos) throw EParserInternalError();
        const std::size_t node = addNode(*FunctionTable::twoArguments(text_.substr(begin, open - begin)), level);
        nodes[node].a = build(open + 1, comma, level + 1);
        nodes[node].b = build(comma + 1, end - 1, level + 1);
        nodes[node].hasB = true;
        return result(node);
    }

    // "^" with a number literal on the right gets a form fixed by that number: a whole number
    // 2, 3, 4 gives square, cube, fourth power; any other whole number an integer power; a
    // fraction a real power. Any other right operand gives a real power. A bracketed literal,
    // as in T^(-1), counts as the literal: an operand is read without its outer brackets.
    Operand power(std::size_t begin, std::size_t end, int level) {
        const std::size_t split = terms_.splitPosition(TermKind::Power, begin, end);
        if (split == std::string_view::npos) throw EParserInternalError();
        std::size_t rightBegin = split + 1;
        std::size_t rightEnd = end;
        while (terms_.classify(rightBegin, rightEnd) == TermKind::Group) {
            ++rightBegin;
            --rightEnd;
        }
        if (terms_.classify(rightBegin, rightEnd) != TermKind::Number)
            return binary(OpKind::RealPower, TermKind::Power, begin, end, level);

        const double v = literal(rightBegin, rightEnd);
        const double n = std::trunc(v);
        // Whole exponents beyond the 64-bit range stay real powers rather than wrap around; within
        // it the exponent is kept whole to 64 bits rather than cut to 32, which would turn
        // X^4294967296 into X^0.
        if (n != v || std::fabs(n) >= 0x1p63) return binary(OpKind::RealPower, TermKind::Power, begin, end, level);
        OpKind kind = OpKind::IntPower;
        if (n == 2) kind = OpKind::Square;
        if (n == 3) kind = OpKind::Cube;
        if (n == 4) kind = OpKind::Fourth;
        const std::size_t node = addNode(kind, level);
        nodes[node].exponent = static_cast<std::int64_t>(n);
        nodes[node].a = build(begin, split, level + 1);
        return result(node);
    }

    std::string_view text_;
    TermClassifier& terms_;
    const Compiler::VariableCells& variables_;
};

std::string toUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

}  // namespace

std::unique_ptr<CompiledForm> Compiler::compile(std::string_view source, const VariableCells& variables,
                                                bool memoise) {
    const std::string upper = toUpperAscii(source);
    const std::size_t first = upper.find_first_not_of(' ');
    if (first == std::string::npos) return nullptr;
    const std::size_t last = upper.find_last_not_of(' ');
    const std::string text = upper.substr(first, last - first + 1);

    if (text.find(' ') != std::string::npos) throw EExpressionHasBlanks();
    if (std::count(text.begin(), text.end(), '(') != std::count(text.begin(), text.end(), ')'))
        throw EMissMatchingBracket();

    TermClassifier terms(
        text, [&](std::string_view name) { return variables(name) != nullptr; }, memoise);
    auto isValid = [](TermKind k) { return k != TermKind::Invalid && k != TermKind::Unknown; };

    std::size_t begin = 0;
    std::size_t end = text.size();
    while (end - begin >= 2 && text[begin] == '(' && text[end - 1] == ')' && isValid(terms.classify(begin + 1, end - 1))) {
        ++begin;
        --end;
    }
    if (!isValid(terms.classify(begin, end))) {
        std::string message = "Error parsing expression:\r";
        if (auto split = terms.lastSplitTried(begin, end)) {
            const auto [at, length] = *split;
            message += text.substr(begin, at - begin) + "\r" + text.substr(at + length, end - at - length);
        } else {
            message += text.substr(begin, end - begin);
        }
        throw ESyntaxError(message);
    }

    TreeBuilder builder(text, terms, variables);
    const Operand root = builder.build(begin, end, 1);

    // Lay the operations out by depth and enforce the limits, shallowest level first.
    std::vector<int> perLevel;
    for (const Node& node : builder.nodes) {
        if (static_cast<std::size_t>(node.level) > perLevel.size()) perLevel.resize(node.level, 0);
        ++perLevel[node.level - 1];
    }
    for (std::size_t level = 1; level <= perLevel.size(); ++level) {
        if (level > kMaxLevels) throw ETooManyNestings();
        if (perLevel[level - 1] > kMaxOperationsPerLevel) throw EExpressionTooComplex();
    }

    // Cells: constants first, then one result cell per operation.
    const std::size_t constantCount = builder.constants.size();
    std::vector<double> cells = builder.constants;
    cells.resize(constantCount + builder.nodes.size(), 0.0);
    auto cellOf = [&](const Operand& operand) -> double* {
        switch (operand.source) {
        case Operand::Source::Variable: return operand.variable;
        case Operand::Source::Constant: return &cells[operand.index];
        case Operand::Source::Operation: return &cells[constantCount + operand.index];
        }
        throw EParserInternalError();
    };

    // Deepest level first; within a level, left to right.
    std::vector<std::size_t> order(builder.nodes.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t l, std::size_t r) { return builder.nodes[l].level > builder.nodes[r].level; });
    std::vector<Operation> operations;
    operations.reserve(order.size());
    for (std::size_t i : order) {
        const Node& node = builder.nodes[i];
        operations.push_back(Operation{node.kind, cellOf(node.a), node.hasB ? cellOf(node.b) : nullptr,
                                       &cells[constantCount + i], node.exponent});
    }
    const double* result = cellOf(root);
    return std::make_unique<CompiledForm>(std::move(cells), std::move(operations), result);
}

}  // namespace expr
