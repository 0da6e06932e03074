#include "store/field.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "util/cp1251.h"
#include "util/errors.h"
#include "util/number_format.h"
#include "util/text.h"

namespace store {
namespace {

// Characters of UTF-8 text (bytes that do not continue a sequence).
std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++count;
    return count;
}

bool readInteger(std::string_view text, std::int64_t& result) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        magnitude = magnitude * 10 + static_cast<unsigned>(text[i] - '0');
        if (magnitude > (std::uint64_t{1} << 40)) return false;  // far beyond any integer field
    }
    result = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

}  // namespace

Field::Field(std::string name, FieldType type, int size, bool readOnly, std::string displayFormat)
    : name_(std::move(name)),
      type_(type),
      size_(type == FieldType::String ? size : 0),
      readOnly_(readOnly || type == FieldType::AutoIncrement),
      displayFormat_(type == FieldType::Float ? std::move(displayFormat) : std::string()) {}

bool Field::isNumeric() const {
    return type_ == FieldType::AutoIncrement || type_ == FieldType::Integer || type_ == FieldType::SmallInt ||
           type_ == FieldType::Float;
}

Value Field::coerce(const Value& value) const {
    if (store::isNull(value)) return value;
    const std::string quoted = "'" + name_ + "'";
    switch (type_) {
        case FieldType::AutoIncrement:
        case FieldType::Integer:
        case FieldType::SmallInt: {
            std::int64_t v = 0;
            if (const auto* i = std::get_if<std::int64_t>(&value)) {
                v = *i;
            } else if (const auto* d = std::get_if<double>(&value)) {
                if (!std::isfinite(*d) || *d != std::trunc(*d) || std::fabs(*d) > 1e15)
                    throw util::Error(util::formatGeneral(*d, '.') + " is not a valid integer value for field " +
                                      quoted);
                v = static_cast<std::int64_t>(*d);
            } else {
                throw util::Error("Field " + quoted + " needs an integer value");
            }
            const std::int64_t low = type_ == FieldType::SmallInt ? -32768 : std::numeric_limits<std::int32_t>::min();
            const std::int64_t high = type_ == FieldType::SmallInt ? 32767 : std::numeric_limits<std::int32_t>::max();
            if (v < low || v > high)
                throw util::Error(std::to_string(v) + " is not a valid value for field " + quoted +
                                  ". The allowed range is " + std::to_string(low) + " to " + std::to_string(high));
            return Value{v};
        }
        case FieldType::Float: {
            double v = 0;
            if (const auto* d = std::get_if<double>(&value)) v = *d;
            else if (const auto* i = std::get_if<std::int64_t>(&value)) v = static_cast<double>(*i);
            else throw util::Error("Field " + quoted + " needs a number");
            if (!std::isfinite(v)) throw util::Error("Field " + quoted + " cannot hold a value that is not a finite number");
            return Value{v};
        }
        case FieldType::Boolean:
            if (std::holds_alternative<bool>(value)) return value;
            throw util::Error("Field " + quoted + " needs a boolean value");
        case FieldType::String:
        case FieldType::Memo: {
            const auto* s = std::get_if<std::string>(&value);
            if (!s) throw util::Error("Field " + quoted + " needs a text value");
            if (!util::encodableInCp1251(*s)) {
                try {
                    (void)util::utf8ToCp1251(*s);
                } catch (const util::Error& e) {
                    throw util::Error("Field " + quoted + " cannot hold this text: " + e.what());
                }
                throw util::Error("Field " + quoted + " cannot hold this text");
            }
            if (type_ == FieldType::String) {
                const std::size_t count = characterCount(*s);
                if (count > static_cast<std::size_t>(size_))
                    throw util::Error("Text of " + std::to_string(count) + " characters is too long for field " +
                                      quoted + " (at most " + std::to_string(size_) + " characters): " + *s);
            }
            return value;
        }
    }
    return value;
}

Value Field::fromText(std::string_view text, char decimalSeparator) const {
    if (isText()) return coerce(Value{std::string(text)});
    const std::string trimmed = util::trim(text);
    if (trimmed.empty()) return Value{};
    const std::string quoted = "'" + name_ + "'";
    switch (type_) {
        case FieldType::Float: {
            std::string canonical = trimmed;
            for (char& c : canonical)
                if (c == decimalSeparator) c = '.';
            double v = 0;
            if (!util::TryParseNumber(canonical, v))
                throw util::Error("'" + trimmed + "' is not a valid floating point value for field " + quoted);
            return coerce(Value{v});
        }
        case FieldType::Boolean:
            if (util::equalsIgnoreCase(trimmed, "True")) return Value{true};
            if (util::equalsIgnoreCase(trimmed, "False")) return Value{false};
            throw util::Error("'" + trimmed + "' is not a valid boolean value for field " + quoted);
        default: {
            std::int64_t v = 0;
            if (!readInteger(trimmed, v))
                throw util::Error("'" + trimmed + "' is not a valid integer value for field " + quoted);
            return coerce(Value{v});
        }
    }
}

std::string Field::toText(const Value& value, char decimalSeparator) const {
    struct Visitor {
        char separator;
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(double v) const { return util::formatGeneral(v, separator); }
        std::string operator()(bool v) const { return v ? "True" : "False"; }
        std::string operator()(const std::string& v) const { return v; }
    };
    return std::visit(Visitor{decimalSeparator}, value);
}

std::string Field::displayText(const Value& value, char decimalSeparator) const {
    if (const auto* d = std::get_if<double>(&value); d && !displayFormat_.empty())
        return util::formatPicture(*d, displayFormat_, decimalSeparator);
    return toText(value, decimalSeparator);
}

}  // namespace store
