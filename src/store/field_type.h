#pragma once
#include <string>
#include <string_view>

namespace store {

// Storage types of table fields.
// AutoIncrement: 32-bit integer given by the table on post, read-only.
// Integer: 32-bit signed; SmallInt: 16-bit signed; Float: 64-bit double; Boolean;
// String: at most `size` characters of code page 1251; Memo: text of any length (code page 1251 text).
enum class FieldType { AutoIncrement, Integer, SmallInt, Float, Boolean, String, Memo };

// Names used in table files ("autoinc", "integer", "smallint", "float", "boolean", "string", "memo").
std::string fieldTypeName(FieldType type);
// Throws util::Error for an unknown name.
FieldType fieldTypeFromName(std::string_view name);

}  // namespace store
