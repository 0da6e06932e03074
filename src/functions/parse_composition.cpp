#include "functions/parse_composition.h"

#include <string>

#include "expr/parser.h"
#include "util/text.h"

namespace functions {

namespace {

// At most `count` characters of UTF-8 text (a character never split).
std::string_view leadingCharacters(std::string_view text, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < text.size(); ++n) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
    }
    return text.substr(0, pos);
}

double evaluateFraction(std::string_view text) {
    expr::TParser parser;
    parser.setExpression(text);
    const double v = parser.value();
    return v > 1 ? -1 : v;
}

}  // namespace

Composition ParseComposition(std::string_view text) {
    Composition result;
    std::string second;
    const std::size_t semicolon = text.find(';');
    if (semicolon != std::string_view::npos) {
        second = util::trim(leadingCharacters(text.substr(semicolon + 1), 100));
        text = text.substr(0, semicolon);
    }
    result.x = evaluateFraction(text);
    if (!second.empty()) result.y = evaluateFraction(second);
    return result;
}

}  // namespace functions
