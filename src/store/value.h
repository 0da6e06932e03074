#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace store {

// One field value of a record. monostate is the empty (null) value; integers of every width are held
// as int64_t, floats as double, text (string and memo fields) as UTF-8.
using Value = std::variant<std::monostate, std::int64_t, double, bool, std::string>;

// One record: the values in the order of the table's fields.
using Record = std::vector<Value>;

inline bool isNull(const Value& v) { return std::holds_alternative<std::monostate>(v); }

}  // namespace store
