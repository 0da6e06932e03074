#pragma once
#include <cstdint>
#include <vector>

#include "store/schema.h"
#include "store/value.h"

namespace store {

// Everything a table file holds: its schema, its records in file order and the next value of its
// auto-increment field (kept across saves so that keys of deleted records are never given again).
struct TableContents {
    Schema schema;
    std::vector<Record> records;
    std::int64_t nextAutoIncrement = 1;
    bool operator==(const TableContents&) const = default;
};

}  // namespace store
