#include "exchange/exchange_writer.h"

#include "exchange/field_line.h"
#include "util/cp1251.h"
#include "util/errors.h"
#include "util/utf8.h"

namespace exchange {

namespace {

// "Ђ" in UTF-8; its code page 1251 byte 0x80 is the end-of-value marker.
constexpr std::string_view EndOfValueLetter = "\xD0\x82";

// First character of `text` that code page 1251 cannot hold (or the first byte that is no UTF-8).
std::string firstUnencodable(std::string_view text) {
    for (size_t pos = 0; pos < text.size();) {
        const util::Utf8Char ch = util::decodeUtf8At(text, pos);
        const size_t length = ch.length == 0 ? 1 : ch.length;
        std::string_view character = text.substr(pos, length);
        if (ch.length == 0 || !util::encodableInCp1251(character)) return std::string(character);
        pos += length;
    }
    return {};
}

// Line breaks as the file carries them: CR LF, with a lone LF widened to CR LF.
std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

}  // namespace

void ExchangeWriter::header(std::string_view text) {
    bytes_.append(text);
    bytes_.append(LineEnd);
}

void ExchangeWriter::field(std::string_view name, std::string_view utf8Value, bool multiLine) {
    if (utf8Value.find(EndOfValueLetter) != std::string_view::npos)
        refuse(name, "содержит символ «Ђ» (байт 0x80 заканчивает значение в файле)");
    if (!util::encodableInCp1251(utf8Value))
        refuse(name, "содержит символ «" + firstUnencodable(utf8Value) + "», которого нет в кодовой странице 1251");
    if (!multiLine && utf8Value.find_first_of("\r\n") != std::string_view::npos)
        refuse(name, "содержит перевод строки, а в записи этого раздела значение занимает одну строку");
    bytes_.append(FormatFieldLine(util::utf8ToCp1251(name), util::utf8ToCp1251(withCrLf(utf8Value))));
}

void ExchangeWriter::endRecord() {
    bytes_.append(EndLine);
    bytes_.append(LineEnd);
}

void ExchangeWriter::refuse(std::string_view name, const std::string& reason) const {
    throw util::Error("Нельзя записать в файл: " + owner_ + ", поле " + std::string(name) + " " + reason);
}

}  // namespace exchange
