// libFuzzer target: the expression compiler and evaluator on arbitrary text. Every input must end
// in a value or in one of the parser's own errors: no crash, no hang, no undefined behaviour. For
// short texts the memoised reading must agree with the plain recursive one, value for value and
// message for message.
//
// Inputs whose first byte b is below 6 are also read as long texts: the rest of the input repeated
// up to 1 KB << 2b, that is 1 KB, 4 KB, … 1 MB. The length cap hides what only long texts show (a
// reading whose work grows faster than the text, which libFuzzer's -timeout reports as a hang, or a
// stack that grows with the text).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <string_view>

#include "expr/compiler.h"
#include "expr/parser.h"

namespace {

// Longer texts add little but slow every run down; the plain reading is exponential.
constexpr std::size_t kMaxText = 400;
constexpr std::size_t kMaxCompared = 20;

struct Outcome {
    bool compiled = false;
    bool failed = false;
    std::string message;
    double value = 0;
};

Outcome run(const std::string& text, bool memoise) {
    std::map<std::string, double, std::less<>> variables{
        {"X", 0.3}, {"Y", -2}, {"T", 700}, {"E", 0}, {"R", 8.31441}, {"SID", 5.7}};
    auto cells = [&](std::string_view name) -> double* {
        auto it = variables.find(name);
        return it == variables.end() ? nullptr : &it->second;
    };
    Outcome outcome;
    try {
        auto form = expr::Compiler::compile(text, cells, memoise);
        outcome.compiled = form != nullptr;
        if (form) outcome.value = form->evaluate();
    } catch (const util::Error& e) {
        outcome.failed = true;
        outcome.message = e.what();
    }
    return outcome;
}

bool sameValue(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), std::min(size, kMaxText));

    if (size >= 2 && data[0] < 6) {
        const std::size_t length = std::size_t{1024} << (2 * data[0]);
        const std::string unit(reinterpret_cast<const char*>(data + 1), std::min(size - 1, kMaxText));
        std::string longText;
        longText.reserve(length + unit.size());
        while (longText.size() < length) longText += unit;
        expr::TParser longParser;
        try {
            longParser.setExpression(longText);
            longParser.value();
        } catch (const util::Error&) {  // a compile or an evaluation error: both are fine here
        }
    }

    // Through the parser: an evaluation error leaves it usable.
    expr::TParser parser;
    try {
        parser.setExpression(text);
        try {
            parser.value();
        } catch (const expr::EEvaluationError&) {
            parser.setExpression("X+1");
            if (parser.value() != 1.0) std::abort();
        }
    } catch (const expr::EMathParserError&) {
        if (parser.hasCompiledForm() || parser.value() != 0.0) std::abort();
    }

    if (text.size() > kMaxCompared) return 0;
    const Outcome memoised = run(text, true);
    const Outcome plain = run(text, false);
    std::string upper = text;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const bool random = upper.find("RND") != std::string::npos;
    if (memoised.compiled != plain.compiled || memoised.failed != plain.failed || memoised.message != plain.message ||
        (!random && !sameValue(memoised.value, plain.value))) {
        std::fprintf(stderr, "readings differ on [%s]: [%s] %.17g vs [%s] %.17g\n", text.c_str(),
                     memoised.message.c_str(), memoised.value, plain.message.c_str(), plain.value);
        std::abort();
    }
    return 0;
}
