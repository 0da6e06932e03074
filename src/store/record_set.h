#pragma once
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "store/value.h"

namespace store {

// The records of an open table, kept sorted by (range field, index fields, sequence number). The
// sequence number is the record's place in its file, or later for inserted records, so equal keys
// keep file/insertion order and the comparator is a strict total order. A detail range is an equal
// range of the range field and is found by binary search, without copying records.
class RecordSet {
public:
    struct Row {
        Record values;
        std::uint64_t sequence = 0;
    };

    // rangeField -1: no range. Re-sorts the records held.
    void configure(int rangeField, std::vector<int> indexFields);
    // Replaces the records; their order becomes their sequence.
    void assign(std::vector<Record> records);
    void clear();

    std::size_t size() const { return rows_.size(); }
    const Row& at(std::size_t position) const { return *rows_[position]; }
    Row& at(std::size_t position) { return *rows_[position]; }

    // [first, last) of the records whose range field equals `value`; all when there is no range field.
    std::pair<std::size_t, std::size_t> range(const Value& value) const;
    // A row for a new record, with a new sequence number; place it with put().
    std::unique_ptr<Row> makeRow(Record values);
    // The position put() would give `row` now.
    std::size_t placeFor(const Row& row) const;
    // Adds a record with a new sequence number; returns its position.
    std::size_t add(Record values);
    // Places a row taken out with take(); returns its position.
    std::size_t put(std::unique_ptr<Row> row);
    std::unique_ptr<Row> take(std::size_t position);

    // Order of two values as the index sorts them: empty first, numbers by value, booleans
    // false before true, text by bytes with Latin letters compared without regard to case (texts
    // that differ only in the case of Latin letters are equal keys and keep their sequence order).
    static int compare(const Value& a, const Value& b);
    // Equality used by ranges: numbers by value (integer 3 equals float 3).
    static bool equal(const Value& a, const Value& b) { return compare(a, b) == 0; }

private:
    bool less(const Row& a, const Row& b) const;
    int rangeField_ = -1;
    std::vector<int> indexFields_;
    std::vector<std::unique_ptr<Row>> rows_;
    std::uint64_t nextSequence_ = 0;
};

}  // namespace store
