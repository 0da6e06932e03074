#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace expr {

// The form a piece of expression text takes, found by trying the forms in a fixed order.
enum class TermKind : std::uint8_t {
    Unknown,  // not classified yet (memo marker)
    Invalid,
    Variable,
    Number,
    Group,  // "(" expression ")"
    Negation,
    Sum,
    Difference,
    Product,
    IntDiv,
    Mod,
    Quotient,
    Power,
    Call1,
    Call2,
};

// Recognises the terms of an upper-case, blank-free expression text by splitting it at its
// operators. A substring's form depends only on its own text, so the form of every substring
// asked about is remembered: each is worked out once, and compile time stays polynomial in the
// length of the text even when no split fits. Without memoising, the same rules are applied by
// plain recursion (exponential in the worst case; kept to check the memo and its shortcuts against).
class TermClassifier {
public:
    using VariableTest = std::function<bool(std::string_view)>;

    TermClassifier(std::string_view text, VariableTest isVariable, bool memoise = true);

    // Form of text[begin, end). Throws ETooManyNestings when the reading would nest deeper than
    // kMaxRecursion substrings (a text that deep could never compile within 20 levels, bar a
    // pile of redundant brackets), so the stack stays bounded whatever the text.
    TermKind classify(std::size_t begin, std::size_t end);

    static constexpr int kMaxRecursion = 2000;

    // Work a memoised reading may spend on one text: forms worked out plus split points examined.
    // Every expression the program stores takes a few thousand at most; a text that needs more is
    // refused with EExpressionTooComplex instead of keeping the user waiting (some texts that are no
    // valid expression, such as "W/-W/-W/-…", would otherwise take time growing with the cube of
    // their length). Bounds the memo's size as well.
    static constexpr std::size_t kMaxWork = 4000000;

    // Where a binary form splits: the position of its operator (the first occurrence that fits).
    // For Call2, the position of the comma between the arguments.
    std::size_t splitPosition(TermKind kind, std::size_t begin, std::size_t end);

    // The last operator cut tried on text[begin, end) when none fitted: (position, operator length).
    std::optional<std::pair<std::size_t, std::size_t>> lastSplitTried(std::size_t begin, std::size_t end) const;

    // Value of a number literal: optional sign, digits with an optional decimal point ("." or the
    // first ",") and fraction, optional exponent; or PI, -PI. nullopt when the text is no literal.
    static std::optional<double> numberLiteral(std::string_view text);

    static std::size_t operatorLength(TermKind kind);

    // Operator occurrences examined as split points so far.
    std::size_t splitsExamined() const { return splitsExamined_; }
    // Forms worked out plus split points examined so far (see kMaxWork).
    std::size_t work() const { return work_; }

private:
    TermKind compute(std::size_t begin, std::size_t end);
    std::size_t findBinarySplit(std::size_t rule, std::size_t begin, std::size_t end);
    std::size_t findComma(std::size_t open, std::size_t end);
    bool balanced(std::size_t begin, std::size_t end) const;
    bool wellNested(std::size_t begin, std::size_t end) const;
    bool identifier(std::size_t begin, std::size_t end) const;
    bool splittable(std::size_t begin, std::size_t end) const;
    bool mayFit(std::uint32_t allowed, std::size_t begin, std::size_t end) const;
    bool hasTopLevel(const std::vector<std::pair<std::int32_t, std::uint32_t>>& marks, std::size_t begin,
                     std::size_t end) const;
    std::size_t lastTopLevel(const std::vector<std::pair<std::int32_t, std::uint32_t>>& marks, std::size_t begin,
                             std::size_t end) const;
    std::size_t firstUsefulSplit(std::size_t rule, std::size_t begin, std::size_t end) const;
    std::size_t firstOpenBracket(std::size_t begin, std::size_t end) const;
    TermKind& memoCell(std::size_t begin, std::size_t end);

    std::string_view text_;
    VariableTest isVariable_;
    bool memoise_;
    int recursion_ = 0;
    std::size_t splitsExamined_ = 0;
    std::size_t work_ = 0;
    void addWork();
    std::vector<std::int32_t> depth_;     // "(" minus ")" before each position
    std::vector<std::uint32_t> nextDrop_;  // first position after i whose depth is below depth_[i]
    std::vector<std::uint32_t> nameEnd_;   // end of the run of letters, digits and "_" from i
    std::vector<std::vector<std::uint32_t>> operatorPositions_;  // per binary rule
    // (depth, position) of operators that rule a text out of some forms when they stand at its top
    // level: a "+" or "-" after a character that cannot end an operator or an exponent (so it is
    // surely binary), a "*", a "/".
    std::vector<std::pair<std::int32_t, std::uint32_t>> binaryAdditive_;
    std::vector<std::pair<std::int32_t, std::uint32_t>> stars_;
    std::vector<std::pair<std::int32_t, std::uint32_t>> slashes_;
    std::vector<std::uint32_t> commaPositions_;
    std::vector<std::uint32_t> openPositions_;
    // Dense memo for ordinary lengths, a hash map beyond.
    std::vector<TermKind> denseMemo_;
    std::unordered_map<std::uint64_t, TermKind> sparseMemo_;
};

}  // namespace expr
