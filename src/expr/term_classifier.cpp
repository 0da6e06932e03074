#include "expr/term_classifier.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "expr/function_table.h"

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

bool isIdentifier(std::string_view text) {
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (text.empty() || !letter(text[0])) return false;
    return std::all_of(text.begin() + 1, text.end(), [&](char c) { return letter(c) || isDigit(c); });
}

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
    opens_.assign(n + 1, 0);
    closes_.assign(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        opens_[i + 1] = opens_[i] + (text_[i] == '(');
        closes_[i + 1] = closes_[i] + (text_[i] == ')');
        if (text_[i] == ',') commaPositions_.push_back(static_cast<std::uint32_t>(i));
        if (text_[i] == '(') openPositions_.push_back(static_cast<std::uint32_t>(i));
    }
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

bool TermClassifier::balanced(std::size_t begin, std::size_t end) const {
    return opens_[end] - opens_[begin] == closes_[end] - closes_[begin];
}

std::size_t TermClassifier::firstOpenBracket(std::size_t begin, std::size_t end) const {
    auto it = std::lower_bound(openPositions_.begin(), openPositions_.end(), begin);
    return it != openPositions_.end() && *it < end ? *it : std::string_view::npos;
}

TermKind& TermClassifier::memoCell(std::size_t begin, std::size_t end) {
    const std::size_t width = text_.size() + 1;
    if (!denseMemo_.empty()) return denseMemo_[begin * width + end];
    return sparseMemo_[static_cast<std::uint64_t>(begin) * width + end];
}

TermKind TermClassifier::classify(std::size_t begin, std::size_t end) {
    if (!memoise_) return compute(begin, end);
    TermKind& cell = memoCell(begin, end);
    if (cell != TermKind::Unknown) return cell;
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
    for (auto it = std::upper_bound(positions.begin(), positions.end(), begin);
         it != positions.end() && *it + length < end; ++it) {
        const std::size_t p = *it;
        if (!balanced(begin, p) || !balanced(p + length, end)) continue;
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
        if (!balanced(open + 1, c)) continue;
        if (isValid(classify(open + 1, c)) && isValid(classify(c + 1, close))) return c;
    }
    return std::string_view::npos;
}

TermKind TermClassifier::compute(std::size_t begin, std::size_t end) {
    if (begin >= end) return TermKind::Invalid;
    const std::string_view term = text_.substr(begin, end - begin);

    if (term.size() >= 2 && term.front() == '(' && term.back() == ')' && isValid(classify(begin + 1, end - 1)))
        return TermKind::Group;
    if (isIdentifier(term) && isVariable_(term)) return TermKind::Variable;
    if (numberLiteral(term)) return TermKind::Number;
    if (term.size() >= 2 && term.front() == '-' && fits(classify(begin + 1, end), kNegationOperand))
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
        for (++i; i < n && isDigit(text[i]); ++i, ++digits) normal += text[i];
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
