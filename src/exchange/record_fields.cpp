#include "exchange/record_fields.h"

#include "util/cp1251.h"
#include "util/text.h"

namespace exchange {

namespace {

template <class ValueOf>
void writeFields(ExchangeWriter& writer, const store::Schema& schema, ValueOf valueOf,
                 std::initializer_list<std::string_view> leftOut, bool multiLine, char decimalSeparator) {
    for (int i = 0; i < schema.size(); ++i) {
        const store::Field& field = schema.field(i);
        if (field.readOnly()) continue;
        bool skip = false;
        for (std::string_view name : leftOut) skip = skip || util::equalsIgnoreCase(field.name(), name);
        if (skip) continue;
        writer.field(field.name(), field.toText(valueOf(i), decimalSeparator), multiLine);
    }
}

}  // namespace

void WriteRecordFields(ExchangeWriter& writer, const store::Table& table,
                       std::initializer_list<std::string_view> leftOut, bool multiLine, char decimalSeparator) {
    writeFields(
        writer, table.schema(), [&](int i) -> const store::Value& { return table.value(i); }, leftOut, multiLine,
        decimalSeparator);
}

void WriteRecordFields(ExchangeWriter& writer, const store::RecordView& records, int row,
                       std::initializer_list<std::string_view> leftOut, bool multiLine, char decimalSeparator) {
    writeFields(
        writer, records.schema(), [&](int i) -> const store::Value& { return records.value(row, i); }, leftOut,
        multiLine, decimalSeparator);
}

FieldLine DecodeField(const FieldLine& bytes) {
    return FieldLine{util::cp1251ToUtf8(bytes.name), util::cp1251ToUtf8(bytes.value)};
}

void AssignReadField(store::Table& table, const FieldLine& field, char decimalSeparator) {
    if (field.name.empty() || field.value.empty()) return;
    const int index = table.fieldIndex(field.name);
    if (table.schema().field(index).readOnly()) return;
    table.setText(field.name, field.value, decimalSeparator);
}

}  // namespace exchange
