#include "store/field_type.h"

#include <array>
#include <utility>

#include "util/errors.h"

namespace store {
namespace {

constexpr std::array<std::pair<FieldType, std::string_view>, 7> kNames{{
    {FieldType::AutoIncrement, "autoinc"},
    {FieldType::Integer, "integer"},
    {FieldType::SmallInt, "smallint"},
    {FieldType::Float, "float"},
    {FieldType::Boolean, "boolean"},
    {FieldType::String, "string"},
    {FieldType::Memo, "memo"},
}};

}  // namespace

std::string fieldTypeName(FieldType type) {
    for (const auto& [t, name] : kNames)
        if (t == type) return std::string(name);
    throw util::Error("Unknown field type");
}

FieldType fieldTypeFromName(std::string_view name) {
    for (const auto& [t, n] : kNames)
        if (n == name) return t;
    throw util::Error("Unknown field type '" + std::string(name) + "'");
}

}  // namespace store
