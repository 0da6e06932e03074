#include "store/record_set.h"

#include <algorithm>

namespace store {
namespace {

// Kinds in the order the index sorts them.
int kind(const Value& v) {
    switch (v.index()) {
        case 0: return 0;            // empty
        case 1: case 2: return 1;    // numbers
        case 3: return 2;            // boolean
        default: return 3;           // text
    }
}

unsigned char upperAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

int compareText(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = upperAscii(static_cast<unsigned char>(a[i]));
        const unsigned char y = upperAscii(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return 0;
}

double number(const Value& v) {
    if (const auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
    return std::get<double>(v);
}

}  // namespace

int RecordSet::compare(const Value& a, const Value& b) {
    const int ka = kind(a), kb = kind(b);
    if (ka != kb) return ka < kb ? -1 : 1;
    switch (ka) {
        case 0: return 0;
        case 1: {
            if (a.index() == 1 && b.index() == 1) {
                const auto x = std::get<std::int64_t>(a), y = std::get<std::int64_t>(b);
                return x < y ? -1 : (x > y ? 1 : 0);
            }
            const double x = number(a), y = number(b);
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        case 2: {
            const bool x = std::get<bool>(a), y = std::get<bool>(b);
            return x == y ? 0 : (x ? 1 : -1);
        }
        default: return compareText(std::get<std::string>(a), std::get<std::string>(b));
    }
}

bool RecordSet::less(const Row& a, const Row& b) const {
    if (rangeField_ >= 0) {
        const int c = compare(a.values[static_cast<std::size_t>(rangeField_)], b.values[static_cast<std::size_t>(rangeField_)]);
        if (c != 0) return c < 0;
    }
    for (int field : indexFields_) {
        const int c = compare(a.values[static_cast<std::size_t>(field)], b.values[static_cast<std::size_t>(field)]);
        if (c != 0) return c < 0;
    }
    return a.sequence < b.sequence;
}

void RecordSet::configure(int rangeField, std::vector<int> indexFields) {
    rangeField_ = rangeField;
    indexFields_ = std::move(indexFields);
    std::sort(rows_.begin(), rows_.end(), [this](const auto& a, const auto& b) { return less(*a, *b); });
}

void RecordSet::assign(std::vector<Record> records) {
    rows_.clear();
    rows_.reserve(records.size());
    nextSequence_ = 0;
    for (auto& r : records) rows_.push_back(std::make_unique<Row>(Row{std::move(r), nextSequence_++}));
    std::sort(rows_.begin(), rows_.end(), [this](const auto& a, const auto& b) { return less(*a, *b); });
}

void RecordSet::clear() {
    rows_.clear();
    nextSequence_ = 0;
}

std::pair<std::size_t, std::size_t> RecordSet::range(const Value& value) const {
    if (rangeField_ < 0) return {0, rows_.size()};
    const auto field = static_cast<std::size_t>(rangeField_);
    auto lo = std::partition_point(rows_.begin(), rows_.end(),
                                   [&](const auto& r) { return compare(r->values[field], value) < 0; });
    auto hi = std::partition_point(lo, rows_.end(), [&](const auto& r) { return compare(r->values[field], value) == 0; });
    return {static_cast<std::size_t>(lo - rows_.begin()), static_cast<std::size_t>(hi - rows_.begin())};
}

std::unique_ptr<RecordSet::Row> RecordSet::makeRow(Record values) {
    return std::make_unique<Row>(Row{std::move(values), nextSequence_++});
}

std::size_t RecordSet::add(Record values) { return put(makeRow(std::move(values))); }

std::size_t RecordSet::placeFor(const Row& row) const {
    auto at = std::upper_bound(rows_.begin(), rows_.end(), row, [this](const Row& a, const auto& b) { return less(a, *b); });
    return static_cast<std::size_t>(at - rows_.begin());
}

std::size_t RecordSet::put(std::unique_ptr<Row> row) {
    const std::size_t position = placeFor(*row);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(position), std::move(row));
    return position;
}

std::unique_ptr<RecordSet::Row> RecordSet::take(std::size_t position) {
    auto row = std::move(rows_[position]);
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(position));
    return row;
}

}  // namespace store
