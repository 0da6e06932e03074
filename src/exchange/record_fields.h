#pragma once
#include <initializer_list>
#include <string_view>
#include <vector>

#include "exchange/exchange_writer.h"
#include "exchange/field_line.h"
#include "store/table.h"

namespace exchange {

// Writes the field lines of the current record of `table`: every field of the open table in its
// order, except read-only fields and those named in `leftOut` (compared without regard to case).
// Values are the field's plain text (floats in general format with `decimalSeparator`).
void WriteRecordFields(ExchangeWriter& writer, const store::Table& table,
                       std::initializer_list<std::string_view> leftOut, bool multiLine, char decimalSeparator);
// The same for record `row` of a view, read without moving the table's cursor.
void WriteRecordFields(ExchangeWriter& writer, const store::RecordView& records, int row,
                       std::initializer_list<std::string_view> leftOut, bool multiLine, char decimalSeparator);

// A field of a record read from a file, converted to the program's text (UTF-8).
FieldLine DecodeField(const FieldLine& bytes);

// Assigns one read field to the record being inserted: nothing happens when the name or the value
// is empty or the field is read-only; a name the table does not have raises the table's
// "Field ... not found"; other values go through the field's own text conversion, which takes
// "," and "." for the decimal point.
void AssignReadField(store::Table& table, const FieldLine& field, char decimalSeparator);

// Inserts a record into `table`, lets `fill` assign its fields and posts it. When anything fails
// the insertion is cancelled, so no partly filled record is left waiting to be posted later, and
// the error goes on.
template <class Fill>
void InsertAndPost(store::Table& table, Fill&& fill) {
    table.insert();
    try {
        fill();
        table.post();
    } catch (...) {
        if (table.state() == store::TableState::Insert) table.cancel();
        throw;
    }
}

}  // namespace exchange
