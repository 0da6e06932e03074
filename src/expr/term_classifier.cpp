#include "expr/term_classifier.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "expr/function_table.h"
#include "expr/parser_errors.h"

namespace expr {

namespace {

constexpr std::uint32_t bit(TermKind kind) { return 1u << static_cast<unsigned>(kind); }

constexpr std::uint32_t kAtoms = bit(TermKind::Variable) | bit(TermKind::Number) | bit(TermKind::Group);
constexpr std::uint32_t kCalls = bit(TermKind::Call1) | bit(TermKind::Call2);
constexpr std::uint32_t kLevel2 =
    bit(TermKind::Product) | bit(TermKind::Quotient) | bit(TermKind::IntDiv) | bit(TermKind::Mod);
constexpr std::uint32_t kAnyValid = ~(bit(TermKind::Unknown) | bit(TermKind::Invalid));

// What the operand of a unary minus may be.
constexpr std::uint32_t kNegationOperand = bit(TermKind::Power) | kCalls | kAtoms;

// A binary operator: its text and which forms its left and right operands may take. The rules
// are tried in this order.
struct BinaryRule {
    TermKind kind;
    std::string_view token;
    std::uint32_t left;
    std::uint32_t right;
};

constexpr std::uint32_t kFactorLeft = bit(TermKind::Negation) | bit(TermKind::Quotient) | bit(TermKind::IntDiv) |
                                      bit(TermKind::Mod) | bit(TermKind::Power) | kCalls | kAtoms;
constexpr std::uint32_t kPowerOperand = bit(TermKind::Number) | bit(TermKind::Variable) | bit(TermKind::Group) | kCalls;

constexpr std::array<BinaryRule, 7> kRules{{
    {TermKind::Sum, "+", kAnyValid & ~bit(TermKind::Sum), kAnyValid & ~bit(TermKind::Negation)},
    {TermKind::Difference, "-", kAnyValid & ~bit(TermKind::Sum), kLevel2 | bit(TermKind::Power) | kCalls | kAtoms},
    {TermKind::Product, "*", kFactorLeft, kLevel2 | bit(TermKind::Power) | kCalls | kAtoms},
    {TermKind::IntDiv, "DIV", kFactorLeft, bit(TermKind::Power) | kCalls | kAtoms},
    {TermKind::Mod, "MOD", kFactorLeft, bit(TermKind::Power) | kCalls | kAtoms},
    {TermKind::Quotient, "/", kFactorLeft, bit(TermKind::Power) | kCalls | kAtoms},
    {TermKind::Power, "^", kPowerOperand, kPowerOperand},
}};

bool fits(TermKind kind, std::uint32_t allowed) { return (bit(kind) & allowed) != 0; }

bool isValid(TermKind kind) { return fits(kind, kAnyValid); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal exponent of the leading non-zero digit of a normalised literal ("-123.4e-5" gives -3),
// saturated far beyond any double. Only called for literals that have a non-zero digit.
long decimalMagnitude(std::string_view literal) {
    const std::size_t e = literal.find('e');
    const std::string_view mantissa = literal.substr(0, e);
    long exponent = 0;
    if (e != std::string_view::npos) {
        std::size_t i = e + 1;
        const bool negative = i < literal.size() && literal[i] == '-';
        if (i < literal.size() && (literal[i] == '-' || literal[i] == '+')) ++i;
        for (; i < literal.size(); ++i) exponent = std::min(exponent * 10 + (literal[i] - '0'), 1000000L);
        if (negative) exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    const long position = static_cast<long>(point) - static_cast<long>(first);
    return exponent + (first < point ? position - 1 : position);
}

// Substrings up to this length are memoised in a dense table ((n+1)^2 bytes).
constexpr std::size_t kDenseLimit = 4096;

}  // namespace

TermClassifier::TermClassifier(std::string_view text, VariableTest isVariable, bool memoise)
    : text_(text), isVariable_(std::move(isVariable)), memoise_(memoise) {
    const std::size_t n = text_.size();
    depth_.assign(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        depth_[i + 1] = depth_[i] + (text_[i] == '(') - (text_[i] == ')');
        if (text_[i] == ',') commaPositions_.push_back(static_cast<std::uint32_t>(i));
        if (text_[i] == '(') openPositions_.push_back(static_cast<std::uint32_t>(i));
    }
    nameEnd_.assign(n + 1, static_cast<std::uint32_t>(n));
    for (std::size_t i = n; i-- > 0;) {
        const char c = text_[i];
        const bool nameCharacter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || isDigit(c);
        nameEnd_[i] = nameCharacter ? nameEnd_[i + 1] : static_cast<std::uint32_t>(i);
    }
    nextDrop_.assign(n + 1, static_cast<std::uint32_t>(n + 1));
    std::vector<std::uint32_t> open;  // positions still waiting for a lower depth
    for (std::size_t i = 0; i <= n; ++i) {
        while (!open.empty() && depth_[open.back()] > depth_[i]) {
            nextDrop_[open.back()] = static_cast<std::uint32_t>(i);
            open.pop_back();
        }
        open.push_back(static_cast<std::uint32_t>(i));
    }
    for (std::size_t i = 1; i < n; ++i) {
        const char c = text_[i];
        const auto mark = std::make_pair(depth_[i], static_cast<std::uint32_t>(i));
        if (c == '*') stars_.push_back(mark);
        if (c == '/') slashes_.push_back(mark);
        if ((c == '+' || c == '-') && std::string_view("*/^EVD+-").find(text_[i - 1]) == std::string_view::npos)
            binaryAdditive_.push_back(mark);
    }
    std::sort(binaryAdditive_.begin(), binaryAdditive_.end());
    std::sort(stars_.begin(), stars_.end());
    std::sort(slashes_.begin(), slashes_.end());
    operatorPositions_.resize(kRules.size());
    for (std::size_t r = 0; r < kRules.size(); ++r) {
        std::string_view token = kRules[r].token;
        for (std::size_t p = text_.find(token); p != std::string_view::npos; p = text_.find(token, p + 1))
            operatorPositions_[r].push_back(static_cast<std::uint32_t>(p));
    }
    if (memoise_ && n <= kDenseLimit) denseMemo_.assign((n + 1) * (n + 1), TermKind::Unknown);
}

std::size_t TermClassifier::operatorLength(TermKind kind) {
    for (const BinaryRule& rule : kRules)
        if (rule.kind == kind) return rule.token.size();
    return 0;
}

// isIdentifier(text[begin, end)) in constant time: a long run of letters, such as a chain of DIV
// or MOD, is asked about at every level of its reading.
bool TermClassifier::identifier(std::size_t begin, std::size_t end) const {
    if (begin >= end) return false;
    const char c = text_[begin];
    return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_') && nameEnd_[begin] >= end;
}

bool TermClassifier::balanced(std::size_t begin, std::size_t end) const { return depth_[end] == depth_[begin]; }

// Every valid expression has its brackets properly nested: as many "(" as ")", and no prefix with
// more ")" than "(". A text that fails this cannot take any form, so it is refused at once; this
// keeps the work inside bracketed groups instead of across them and changes no result.
bool TermClassifier::wellNested(std::size_t begin, std::size_t end) const {
    return depth_[end] == depth_[begin] && nextDrop_[begin] > end;
}

std::size_t TermClassifier::firstOpenBracket(std::size_t begin, std::size_t end) const {
    auto it = std::lower_bound(openPositions_.begin(), openPositions_.end(), begin);
    return it != openPositions_.end() && *it < end ? *it : std::string_view::npos;
}

bool TermClassifier::hasTopLevel(const std::vector<std::pair<std::int32_t, std::uint32_t>>& marks,
                                 std::size_t begin, std::size_t end) const {
    // In a well-nested range every position at the depth of its start lies at its top level.
    const auto from = std::make_pair(depth_[begin], static_cast<std::uint32_t>(begin + 1));
    auto it = std::lower_bound(marks.begin(), marks.end(), from);
    return it != marks.end() && it->first == depth_[begin] && it->second < end;
}

// Position of the last mark at the top level of a well-nested range (after its first character),
// or npos.
std::size_t TermClassifier::lastTopLevel(const std::vector<std::pair<std::int32_t, std::uint32_t>>& marks,
                                         std::size_t begin, std::size_t end) const {
    const auto to = std::make_pair(depth_[begin], static_cast<std::uint32_t>(end));
    auto it = std::lower_bound(marks.begin(), marks.end(), to);
    if (it == marks.begin()) return std::string_view::npos;
    --it;
    return it->first == depth_[begin] && it->second > begin ? it->second : std::string_view::npos;
}

// Where the scan for a split of text[begin, end) by rule r may start without passing over an
// occurrence that could fit. A split's operator stands at the top level, so its right operand
// holds every top-level mark after it; when the rule's right operand may hold no such mark (no
// "+"/"-" for a difference, nor "*" or "/" for a quotient, DIV or MOD), every occurrence before
// the last mark would be refused by mayFit. Starting behind it keeps a chain read from the left,
// "a-b-c-…", from scanning its whole length once per operator: the reading stays linear and
// finds exactly the split the full scan finds.
std::size_t TermClassifier::firstUsefulSplit(std::size_t r, std::size_t begin, std::size_t end) const {
    constexpr std::uint32_t additive = bit(TermKind::Sum) | bit(TermKind::Difference);
    const std::uint32_t right = kRules[r].right;
    std::size_t from = begin;
    auto after = [&](const std::vector<std::pair<std::int32_t, std::uint32_t>>& marks) {
        const std::size_t last = lastTopLevel(marks, begin, end);
        // Occurrences up to the one whose right operand begins at the mark are kept: a mark at
        // the very start of an operand does not count against it.
        const std::size_t length = kRules[r].token.size();
        if (last != std::string_view::npos && last >= length + 1) from = std::max(from, last - length - 1);
    };
    if ((right & additive) == 0) after(binaryAdditive_);
    if ((right & (additive | bit(TermKind::Product))) == 0) after(stars_);
    if ((right & (additive | kLevel2)) == 0) after(slashes_);
    return from;
}

// Quick necessary conditions for a well-nested text to take one of the `allowed` forms; a text
// that fails them is refused without being classified. Each rests on what the forms can hold at
// their top level:
// - only sums and differences hold a "+" or "-" that is surely binary; every other form has signs
//   only at its start, after an operator, or in a literal's exponent;
// - only sums, differences and products hold a "*" (the left operand of "/", DIV, MOD is never a
//   product), and only those and the other level-2 forms hold a "/";
// - a number, variable, group or call has no operator outside its brackets but a literal's signs,
//   so it either ends with ")" or is a name or a literal as a whole.
bool TermClassifier::mayFit(std::uint32_t allowed, std::size_t begin, std::size_t end) const {
    constexpr std::uint32_t additive = bit(TermKind::Sum) | bit(TermKind::Difference);
    if ((allowed & additive) == 0 && hasTopLevel(binaryAdditive_, begin, end)) return false;
    if ((allowed & (additive | bit(TermKind::Product))) == 0 && hasTopLevel(stars_, begin, end)) return false;
    if ((allowed & (additive | kLevel2)) == 0 && hasTopLevel(slashes_, begin, end)) return false;
    if ((allowed & ~kPowerOperand) == 0 && text_[end - 1] != ')') {
        const std::string_view term = text_.substr(begin, end - begin);
        if (!identifier(begin, end) && !numberLiteral(term)) return false;
    }
    return true;
}

// Both parts of a split must have as many "(" as ")"; the memoised reading also refuses parts
// that are not well nested, which no form can take.
bool TermClassifier::splittable(std::size_t begin, std::size_t end) const {
    return memoise_ ? wellNested(begin, end) : balanced(begin, end);
}

TermKind& TermClassifier::memoCell(std::size_t begin, std::size_t end) {
    const std::size_t width = text_.size() + 1;
    if (!denseMemo_.empty()) return denseMemo_[begin * width + end];
    return sparseMemo_[static_cast<std::uint64_t>(begin) * width + end];
}

void TermClassifier::addWork() {
    // The plain reading is the reference the memoised one is checked against: it stays unbounded.
    if (++work_ > kMaxWork && memoise_) throw EExpressionTooComplex();
}

TermKind TermClassifier::classify(std::size_t begin, std::size_t end) {
    struct Depth {
        int& count;
        explicit Depth(int& c) : count(c) {
            if (++count > kMaxRecursion) throw ETooManyNestings();
        }
        ~Depth() { --count; }
    };
    if (!memoise_) {
        Depth depth(recursion_);
        return compute(begin, end);
    }
    TermKind& cell = memoCell(begin, end);
    if (cell != TermKind::Unknown) return cell;
    addWork();
    Depth depth(recursion_);
    TermKind kind = compute(begin, end);
    // compute() may have grown the hash map, so look the cell up again.
    memoCell(begin, end) = kind;
    return kind;
}

std::size_t TermClassifier::findBinarySplit(std::size_t r, std::size_t begin, std::size_t end) {
    const BinaryRule& rule = kRules[r];
    const std::size_t length = rule.token.size();
    const std::vector<std::uint32_t>& positions = operatorPositions_[r];
    // An occurrence must be neither the first nor the last character of the term.
    const std::size_t from = memoise_ ? firstUsefulSplit(r, begin, end) : begin;
    for (auto it = std::upper_bound(positions.begin(), positions.end(), from);
         it != positions.end() && *it + length < end; ++it) {
        ++splitsExamined_;
        addWork();
        const std::size_t p = *it;
        if (!splittable(begin, p) || !splittable(p + length, end)) continue;
        if (memoise_ && (!mayFit(rule.left, begin, p) || !mayFit(rule.right, p + length, end))) continue;
        if (!fits(classify(begin, p), rule.left)) continue;
        if (!fits(classify(p + length, end), rule.right)) continue;
        return p;
    }
    return std::string_view::npos;
}

std::size_t TermClassifier::findComma(std::size_t open, std::size_t end) {
    // Arguments lie in (open, end - 1); the first comma with a valid expression on both sides wins.
    const std::size_t close = end - 1;
    for (auto it = std::upper_bound(commaPositions_.begin(), commaPositions_.end(), open);
         it != commaPositions_.end() && *it < close; ++it) {
        const std::size_t c = *it;
        addWork();
        if (!splittable(open + 1, c)) continue;
        if (isValid(classify(open + 1, c)) && isValid(classify(c + 1, close))) return c;
    }
    return std::string_view::npos;
}

TermKind TermClassifier::compute(std::size_t begin, std::size_t end) {
    if (begin >= end || (memoise_ && !wellNested(begin, end))) return TermKind::Invalid;
    const std::string_view term = text_.substr(begin, end - begin);

    if (term.size() >= 2 && term.front() == '(' && term.back() == ')' && isValid(classify(begin + 1, end - 1)))
        return TermKind::Group;
    if (identifier(begin, end) && isVariable_(term)) return TermKind::Variable;
    if (numberLiteral(term)) return TermKind::Number;
    if (term.size() >= 2 && term.front() == '-' && (!memoise_ || mayFit(kNegationOperand, begin + 1, end)) &&
        fits(classify(begin + 1, end), kNegationOperand))
        return TermKind::Negation;
    for (std::size_t r = 0; r < kRules.size(); ++r)
        if (findBinarySplit(r, begin, end) != std::string_view::npos) return kRules[r].kind;

    // Calls: the name is the text before the first "(", the term ends with ")".
    const std::size_t open = firstOpenBracket(begin, end);
    if (open == std::string_view::npos || open == begin || term.back() != ')' || open + 1 >= end) return TermKind::Invalid;
    const std::string_view name = text_.substr(begin, open - begin);
    if (FunctionTable::oneArgument(name) && isValid(classify(open + 1, end - 1))) return TermKind::Call1;
    if (FunctionTable::twoArguments(name) && findComma(open, end) != std::string_view::npos) return TermKind::Call2;
    return TermKind::Invalid;
}

std::size_t TermClassifier::splitPosition(TermKind kind, std::size_t begin, std::size_t end) {
    if (kind == TermKind::Call2) return findComma(firstOpenBracket(begin, end), end);
    for (std::size_t r = 0; r < kRules.size(); ++r)
        if (kRules[r].kind == kind) return findBinarySplit(r, begin, end);
    return std::string_view::npos;
}

std::optional<std::pair<std::size_t, std::size_t>> TermClassifier::lastSplitTried(std::size_t begin,
                                                                                   std::size_t end) const {
    std::optional<std::pair<std::size_t, std::size_t>> last;
    for (std::size_t r = 0; r < kRules.size(); ++r) {
        const std::size_t length = kRules[r].token.size();
        for (std::uint32_t p : operatorPositions_[r])
            if (p > begin && p + length < end) last = std::make_pair(std::size_t{p}, length);
    }
    return last;
}

std::optional<double> TermClassifier::numberLiteral(std::string_view text) {
    constexpr double kPi = 3.141592653589793;
    if (text == "PI") return kPi;
    if (text == "-PI") return -kPi;

    std::string normal;
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') normal += '-';
        ++i;
    }
    std::size_t digits = 0;
    for (; i < n && isDigit(text[i]); ++i, ++digits) normal += text[i];
    if (i < n && (text[i] == '.' || text[i] == ',')) {
        normal += '.';
        std::size_t fraction = 0;
        for (++i; i < n && isDigit(text[i]); ++i, ++fraction) normal += text[i];
        // "5." is no literal: "SIN(5,-1)" must not read as SIN(5.-1).
        if (fraction == 0) return std::nullopt;
        digits += fraction;
    }
    if (digits == 0) return std::nullopt;
    if (i < n && text[i] == 'E') {
        normal += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            normal += text[i];
            ++i;
        }
        std::size_t exponentDigits = 0;
        for (; i < n && isDigit(text[i]); ++i, ++exponentDigits) normal += text[i];
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != n) return std::nullopt;

    double value = 0;
    auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too small for a double reads as zero; too large is no number.
        if (decimalMagnitude(normal) >= 0) return std::nullopt;
        return normal.front() == '-' ? -0.0 : 0.0;
    }
    if (ec != std::errc() || ptr != normal.data() + normal.size()) return std::nullopt;
    return value;
}

}  // namespace expr
