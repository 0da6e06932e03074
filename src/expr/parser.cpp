#include "expr/parser.h"

#include <algorithm>

#include "expr/compiler.h"

namespace expr {

namespace {

std::string upperName(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool isIdentifier(std::string_view name) {
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return !name.empty() && letter(name[0]) &&
           std::all_of(name.begin() + 1, name.end(), [&](char c) { return letter(c) || digit(c); });
}

}  // namespace

TParser::TParser() {
    for (const char* name : {"A", "B", "C", "D", "E", "X", "Y", "T"}) variables_.emplace(name, 0.0);
}

TParser::~TParser() = default;

void TParser::setExpression(std::string_view text) {
    compiled_.reset();
    expression_ = std::string(text);
    try {
        compiled_ = Compiler::compile(expression_, [this](std::string_view name) { return variableCell(name); });
    } catch (const EMathParserError& error) {
        if (!onParserError_) throw;
        onParserError_(*this, error);
    }
}

double TParser::value() { return compiled_ ? compiled_->evaluate() : 0.0; }

void TParser::setVariable(std::string_view name, double value) {
    std::string key = upperName(name);
    auto it = variables_.find(key);
    if (it != variables_.end()) {
        it->second = value;
        return;
    }
    if (!isIdentifier(key)) throw EBadName(key);
    longestName_ = std::max(longestName_, key.size());
    variables_.emplace(std::move(key), value);
}

double* TParser::variableCell(std::string_view name) {
    if (name.size() > longestName_) return nullptr;
    auto it = variables_.find(name);
    if (it == variables_.end()) it = variables_.find(upperName(name));
    return it == variables_.end() ? nullptr : &it->second;
}

}  // namespace expr
