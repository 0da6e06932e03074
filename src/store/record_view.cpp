#include "store/record_view.h"

#include "store/record_set.h"
#include "store/table.h"
#include "util/errors.h"
#include "util/text.h"

namespace store {

const Schema& RecordView::schema() const { return table_->schema(); }

const Value& RecordView::value(int row, std::string_view field) const { return value(row, table_->fieldIndex(field)); }

const Value& RecordView::value(int row, int field) const {
    if (row < 0 || row >= size() || field < 0 || field >= schema().size())
        throw util::Error("Record or field out of range");
    return table_->storedValue(lo_ + static_cast<std::size_t>(row), field);
}

double RecordView::asFloat(int row, std::string_view field) const { return Table::toFloat(value(row, field), field); }

std::int64_t RecordView::asInteger(int row, std::string_view field) const {
    return Table::toInteger(value(row, field), field);
}

bool RecordView::asBoolean(int row, std::string_view field) const { return Table::toBoolean(value(row, field)); }

std::string RecordView::asString(int row, std::string_view field, char decimalSeparator) const {
    const int f = table_->fieldIndex(field);
    return table_->schema().field(f).toText(value(row, field), decimalSeparator);
}

std::optional<double> RecordView::optionalFloat(int row, std::string_view field) const {
    if (isNull(row, field)) return std::nullopt;
    return asFloat(row, field);
}

int RecordView::find(std::string_view field, const Value& wanted, bool ignoreCase) const {
    const auto* text = std::get_if<std::string>(&wanted);
    for (int row = 0; row < size(); ++row) {
        const Value& v = value(row, field);
        const auto* candidate = std::get_if<std::string>(&v);
        const bool match = (text && candidate)
                               ? (ignoreCase ? util::equalsIgnoreCase(*candidate, *text) : *candidate == *text)
                               : (!text && !candidate && RecordSet::equal(v, wanted));
        if (match) return row;
    }
    return -1;
}

}  // namespace store
