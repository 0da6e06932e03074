#include "util/text.h"

#include "util/utf8.h"

namespace util {
namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

bool isFileNameChar(char c) {
    return c == '+' || c == '-' || c == '=' || c == '_' || (c >= '0' && c <= '9') ||
           (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Upper case of the letters that code page 1251 holds; everything else unchanged.
char32_t upperCodePoint(char32_t cp) {
    if (cp >= U'a' && cp <= U'z') return cp - 0x20;
    if (cp >= 0x0430 && cp <= 0x044F) return cp - 0x20;  // а..я
    if (cp >= 0x0450 && cp <= 0x045F) return cp - 0x50;  // ё, ђ, ѓ, є, ѕ, і, ї, ј, љ, њ, ћ, ќ, ў, џ
    if (cp == 0x0491) return 0x0490;                     // ґ
    return cp;
}

std::string removeAll(std::string text, std::string_view what) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(what, pos)) != std::string::npos; pos = hit + what.size()) {
        out.append(text, pos, hit - pos);
    }
    out.append(text, pos);
    return out;
}

}  // namespace

std::string RemoveBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (!isBlank(c)) out += c;
    }
    return out;
}

std::string CleanExpressionText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c != ' ' && c != '\n' && c != '\r') out += c;
    }
    while (out.find("...") != std::string::npos) out = removeAll(std::move(out), "...");
    return RemoveBlanks(out);
}

std::string DesignationToFileName(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (isFileNameChar(c)) out += c;
    }
    return out;
}

std::string toUpperText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Char ch = decodeUtf8At(text, pos);
        if (ch.length == 0) {
            out += text[pos++];
            continue;
        }
        appendUtf8(out, upperCodePoint(ch.codePoint));
        pos += ch.length;
    }
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return toUpperText(a) == toUpperText(b);
}

std::string trim(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first])) ++first;
    while (last > first && isBlank(text[last - 1])) --last;
    return std::string(text.substr(first, last - first));
}

}  // namespace util
