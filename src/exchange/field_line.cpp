#include "exchange/field_line.h"

#include "util/text.h"

namespace exchange {

std::optional<FieldLine> ParseFieldLine(std::string_view gathered) {
    const size_t separator = gathered.find(std::string_view("\x1F\x20", 2));
    if (separator == std::string_view::npos) return std::nullopt;
    FieldLine field;
    field.name = util::trim(gathered.substr(0, separator));
    std::string_view rest = gathered.substr(separator + 1);  // begins with the blank
    const size_t start = rest.find(ValueStart);
    if (start == std::string_view::npos) return std::nullopt;
    rest.remove_prefix(start + 1);
    const size_t end = rest.find(ValueEnd);
    if (end == std::string_view::npos) return std::nullopt;
    // The marker bytes are removed; everything around the end byte stays part of the value.
    std::string value(rest.substr(0, end));
    value.append(rest.substr(end + 1));
    field.value = util::trim(value);
    return field;
}

std::string FormatFieldLine(std::string_view name, std::string_view value) {
    std::string line;
    line.reserve(name.size() + value.size() + 6);
    line.append(name);
    line += NameSeparator;
    line += ' ';
    line += ValueStart;
    line.append(value);
    line += ValueEnd;
    line.append(LineEnd);
    return line;
}

}  // namespace exchange
