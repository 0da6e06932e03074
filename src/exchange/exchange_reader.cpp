#include "exchange/exchange_reader.h"

#include "util/errors.h"
#include "util/text.h"

namespace exchange {

std::optional<std::string> ExchangeReader::nextLine() {
    std::string line;
    if (!std::getline(in_, line)) {
        // getline sets failbit on an empty last read; a final line without line end still counts.
        return std::nullopt;
    }
    ++line_;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::optional<std::string> ExchangeReader::nextHeader() {
    auto line = nextLine();
    if (!line) return std::nullopt;
    return util::trim(*line);
}

void ExchangeReader::beginRecord(std::string section) {
    section_ = std::move(section);
    recordLine_ = line_;
}

ExchangeReader::Item ExchangeReader::nextField(bool gather, FieldLine& field) {
    auto line = nextLine();
    if (!line)
        throw util::Error("Файл обмена поврежден: запись " + section_ + ", начатая в строке " +
                          std::to_string(recordLine_) + ", не закончена строкой \">\" до конца файла");
    if (*line == EndLine) return Item::End;
    std::string gathered = std::move(*line);
    if (gather) {
        const int valueLine = line_;
        while (gathered.find(ValueEnd) == std::string::npos) {
            auto more = nextLine();
            if (!more)
                throw util::Error("Файл обмена поврежден: значение поля, начатое в строке " +
                                  std::to_string(valueLine) + ", не закончено байтом 0x80 до конца файла");
            gathered.append(LineEnd);
            gathered.append(*more);
        }
    }
    auto parsed = ParseFieldLine(gathered);
    if (!parsed) return Item::Ignored;
    field = std::move(*parsed);
    return Item::Field;
}

}  // namespace exchange
