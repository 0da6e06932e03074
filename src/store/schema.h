#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "store/field.h"

namespace store {

// The ordered fields of a table. Field names are matched without regard to letter case.
class Schema {
public:
    Schema() = default;
    explicit Schema(std::vector<Field> fields);

    int size() const { return static_cast<int>(fields_.size()); }
    const Field& field(int index) const { return fields_.at(static_cast<std::size_t>(index)); }
    const std::vector<Field>& fields() const { return fields_; }

    // Index of the named field, or -1.
    int indexOf(std::string_view name) const;
    // Index of the named field; throws util::Error "Field 'NAME' not found" when there is none.
    int require(std::string_view name) const;

    // Throws util::Error naming `where` and the first field of `required` that this schema lacks
    // or holds with another type.
    void checkContains(const Schema& required, const std::string& where) const;

    bool operator==(const Schema&) const = default;

private:
    std::vector<Field> fields_;
};

}  // namespace store
