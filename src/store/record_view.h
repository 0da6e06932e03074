#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/schema.h"
#include "store/value.h"

namespace store {

class Table;

// A read-only view of some posted records of an open table, in the table's index order: the
// records it shows now (Table::records()) or those it would show for one master value
// (Table::recordsFor()). Reading through a view moves no cursor, fires no event and ignores an
// edit or insert in progress. A view is valid until the table's records change (post, delete,
// open, close); row numbers count from 0. Conversions follow Table's asFloat/asString rules.
class RecordView {
public:
    RecordView(const Table& table, std::size_t lo, std::size_t hi) : table_(&table), lo_(lo), hi_(hi) {}

    int size() const { return static_cast<int>(hi_ - lo_); }
    // The fields of the table.
    const Schema& schema() const;
    bool empty() const { return hi_ == lo_; }

    // Throws util::Error for a row or field outside the view.
    const Value& value(int row, std::string_view field) const;
    const Value& value(int row, int field) const;
    bool isNull(int row, std::string_view field) const { return store::isNull(value(row, field)); }
    double asFloat(int row, std::string_view field) const;
    std::int64_t asInteger(int row, std::string_view field) const;
    bool asBoolean(int row, std::string_view field) const;
    std::string asString(int row, std::string_view field, char decimalSeparator = '.') const;
    // The value as a float, nullopt for an empty field.
    std::optional<double> optionalFloat(int row, std::string_view field) const;

    // The first row whose field equals `value` as Table::locate compares, or -1.
    int find(std::string_view field, const Value& value, bool ignoreCase = false) const;

private:
    const Table* table_;
    std::size_t lo_;
    std::size_t hi_;
};

}  // namespace store
