#pragma once
#include <string>
#include <string_view>

#include "store/field_type.h"
#include "store/value.h"

namespace store {

// Definition of one field and its conversions between values and text.
// Text conversions never read the process locale: the decimal separator is passed in.
class Field {
public:
    Field() = default;
    Field(std::string name, FieldType type, int size = 0, bool readOnly = false,
          std::string displayFormat = {});

    const std::string& name() const { return name_; }
    FieldType type() const { return type_; }
    // Maximum number of characters of a String field; 0 for other types.
    int size() const { return size_; }
    // Auto-increment fields are always read-only.
    bool readOnly() const { return readOnly_; }
    // Picture format used for display text of a Float field ("0.######"); empty for none.
    const std::string& displayFormat() const { return displayFormat_; }

    bool isNumeric() const;
    bool isText() const { return type_ == FieldType::String || type_ == FieldType::Memo; }

    // Checks and converts a value for storage in this field: integers and floats are converted
    // between each other where exact, text is checked for length and code page 1251. Throws
    // util::Error naming the field when the value does not fit (too long, out of range, wrong kind).
    Value coerce(const Value& value) const;

    // Value from text through the field's own conversion: empty text gives the empty value for
    // numbers and booleans; floats accept "," and "." as well as `decimalSeparator`; booleans
    // take "True"/"False" in any letter case. Throws util::Error naming the field on bad text.
    Value fromText(std::string_view text, char decimalSeparator) const;

    // The value as plain text: integers in decimal, floats in general format (up to 15 significant
    // digits), booleans "True"/"False", empty value "".
    std::string toText(const Value& value, char decimalSeparator) const;

    // Text for display: as toText, except that a Float field with a display format uses it.
    std::string displayText(const Value& value, char decimalSeparator) const;

    bool operator==(const Field&) const = default;

private:
    std::string name_;
    FieldType type_ = FieldType::Integer;
    int size_ = 0;
    bool readOnly_ = false;
    std::string displayFormat_;
};

}  // namespace store
