#include "store/table.h"

#include <algorithm>
#include <utility>

#include "store/record_set.h"
#include "util/errors.h"
#include "util/text.h"

namespace store {

struct Table::Impl {
    Schema schema;
    RecordSet rows;
    std::int64_t nextAutoIncrement = 1;
    std::string masterFieldName;
    std::string rangeFieldName;
    int rangeField = -1;
    // Shown range [lo, hi) of rows and the current position within it (-1: none).
    std::size_t lo = 0;
    std::size_t hi = 0;
    int current = -1;
    // Master value the shown range was taken for; filtered false while unfiltered.
    bool filtered = false;
    Value masterValue;
    // The record being edited or inserted, and whether it was changed since the state began.
    Record buffer;
    bool bufferModified = false;
    std::vector<std::pair<std::string, GetTextHandler>> getTexts;
    std::vector<TableObserver*> observers;
};

namespace {
const Value kNull{};
}

Table::Table(std::string name, Schema required)
    : name_(std::move(name)), required_(std::move(required)), impl_(std::make_unique<Impl>()) {
    impl_->schema = required_;
}

Table::~Table() {
    if (master_) {
        auto& siblings = master_->details_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    for (Table* detail : details_) detail->master_ = nullptr;
}

const Schema& Table::schema() const { return impl_->schema; }

void Table::requireActive() const {
    if (!active()) throw util::Error("Cannot perform this operation on a closed dataset");
}

void Table::requireEditing() const {
    if (state_ != TableState::Edit && state_ != TableState::Insert)
        throw util::Error("Dataset not in edit or insert mode");
}

void Table::fire(const TableEvents::Handler& handler) {
    if (handler) handler(*this);
}

template <class F>
void Table::notify(F&& call) {
    // Observers may remove themselves while being told.
    const auto observers = impl_->observers;
    for (TableObserver* o : observers) call(*o);
}

// ---------------------------------------------------------------- lifecycle

void Table::open() {
    if (fileName_.empty()) {
        TableContents empty;
        empty.schema = required_;
        open(std::move(empty));
    } else {
        open(TableFile::load(fileName_));
    }
}

void Table::open(TableContents contents) {
    const std::string where = fileName_.empty() ? "Table " + name_ : "Table file " + fileName_;
    contents.schema.checkContains(required_, where);
    for (const auto& record : contents.records)
        if (static_cast<int>(record.size()) != contents.schema.size())
            throw util::Error(where + ": a record does not match the fields");
    if (active()) close();
    impl_->schema = std::move(contents.schema);
    impl_->nextAutoIncrement = std::max<std::int64_t>(1, contents.nextAutoIncrement);
    for (const auto& record : contents.records)
        for (int f = 0; f < impl_->schema.size(); ++f)
            if (impl_->schema.field(f).type() == FieldType::AutoIncrement)
                if (const auto* v = std::get_if<std::int64_t>(&record[static_cast<std::size_t>(f)]))
                    impl_->nextAutoIncrement = std::max(impl_->nextAutoIncrement, *v + 1);
    impl_->rows.assign(std::move(contents.records));
    try {
        resolveFields();
    } catch (...) {
        impl_->rows.clear();
        impl_->schema = required_;
        throw;
    }
    state_ = TableState::Browse;
    modified_ = false;
    impl_->buffer.clear();
    refreshRange();
    impl_->current = impl_->hi > impl_->lo ? 0 : -1;
    bof_ = true;
    eof_ = impl_->current < 0;
    notify([&](TableObserver& o) { o.tableReset(*this); o.stateChanged(*this); });
    afterCurrentChanged();
}

void Table::resolveFields() {
    std::vector<int> index;
    std::string_view rest = indexFieldNames_;
    while (!rest.empty()) {
        const auto semicolon = rest.find(';');
        const std::string name = util::trim(rest.substr(0, semicolon));
        if (!name.empty()) index.push_back(impl_->schema.require(name));
        rest = semicolon == std::string_view::npos ? std::string_view{} : rest.substr(semicolon + 1);
    }
    impl_->rangeField = master_ ? impl_->schema.require(impl_->rangeFieldName) : -1;
    impl_->rows.configure(impl_->rangeField, std::move(index));
}

void Table::close() {
    if (!active()) return;
    state_ = TableState::Inactive;
    impl_->rows.clear();
    impl_->buffer.clear();
    impl_->lo = impl_->hi = 0;
    impl_->current = -1;
    impl_->filtered = false;
    impl_->masterValue = Value{};
    impl_->schema = required_;
    modified_ = false;
    notify([&](TableObserver& o) { o.tableReset(*this); o.stateChanged(*this); });
    for (Table* detail : details_) detail->masterChanged();
}

TableContents Table::contents() const {
    TableContents result;
    result.schema = impl_->schema;
    result.nextAutoIncrement = impl_->nextAutoIncrement;
    result.records.reserve(impl_->rows.size());
    for (std::size_t i = 0; i < impl_->rows.size(); ++i) result.records.push_back(impl_->rows.at(i).values);
    return result;
}

TableFile::PendingWrite Table::prepareSave() const {
    requireActive();
    std::vector<const Record*> records;
    records.reserve(impl_->rows.size());
    for (std::size_t i = 0; i < impl_->rows.size(); ++i) records.push_back(&impl_->rows.at(i).values);
    return TableFile::PendingWrite(fileName_, impl_->schema, records, impl_->nextAutoIncrement);
}

void Table::save() {
    prepareSave().commit();
    modified_ = false;
}

// ---------------------------------------------------------------- shape

void Table::setIndexFieldNames(std::string_view names) {
    indexFieldNames_ = std::string(names);
    if (!active()) return;
    checkBrowseMode();
    const RecordSet::Row* currentRow =
        impl_->current >= 0 ? &impl_->rows.at(impl_->lo + static_cast<std::size_t>(impl_->current)) : nullptr;
    resolveFields();
    refreshRange();
    impl_->current = -1;
    for (std::size_t i = impl_->lo; i < impl_->hi; ++i)
        if (&impl_->rows.at(i) == currentRow) impl_->current = static_cast<int>(i - impl_->lo);
    notify([&](TableObserver& o) { o.tableReset(*this); });
}

void Table::setMasterLink(Table& master, std::string masterField, std::string rangeField) {
    if (master_) {
        auto& siblings = master_->details_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    master_ = &master;
    master.details_.push_back(this);
    impl_->masterFieldName = std::move(masterField);
    impl_->rangeFieldName = std::move(rangeField);
    if (active()) {
        resolveFields();
        masterChanged();
    }
}

void Table::refreshRange() {
    Impl& m = *impl_;
    if (master_ && master_->active() && m.rangeField >= 0) {
        m.filtered = true;
        const int masterField = master_->schema().require(m.masterFieldName);
        m.masterValue = master_->value(masterField);
        if (store::isNull(m.masterValue)) {
            m.lo = m.hi = 0;
            return;
        }
        const auto [lo, hi] = m.rows.range(m.masterValue);
        m.lo = lo;
        m.hi = hi;
    } else {
        m.filtered = false;
        m.masterValue = Value{};
        m.lo = 0;
        m.hi = m.rows.size();
    }
}

void Table::masterChanged() {
    if (!active()) return;
    Impl& m = *impl_;
    const bool wasFiltered = m.filtered;
    const Value previous = m.masterValue;
    checkBrowseMode();
    refreshRange();
    if (wasFiltered == m.filtered && RecordSet::equal(previous, m.masterValue) &&
        previous.index() != 0 /* an empty master value shows nothing and is always refreshed */)
        return;
    m.current = m.hi > m.lo ? 0 : -1;
    bof_ = true;
    eof_ = m.current < 0;
    notify([&](TableObserver& o) { o.tableReset(*this); });
    afterCurrentChanged();
}

int Table::shownPosition(std::size_t absolute) const {
    if (absolute < impl_->lo || absolute >= impl_->hi) return -1;
    return static_cast<int>(absolute - impl_->lo);
}

// ---------------------------------------------------------------- cursor

int Table::recordCount() const { return static_cast<int>(impl_->hi - impl_->lo); }

int Table::recNo() const {
    if (state_ == TableState::Insert) return recordCount() + 1;
    return impl_->current + 1;
}

void Table::prepareMove() {
    for (Table* detail : details_) detail->prepareMove();
    checkBrowseMode();
}

void Table::afterCurrentChanged() {
    notify([&](TableObserver& o) { o.currentMoved(*this); });
    fire(events_.afterScroll);
    for (Table* detail : details_) detail->masterChanged();
}

void Table::moveTo(int position) {
    requireActive();
    prepareMove();
    const int count = recordCount();
    impl_->current = count == 0 ? -1 : std::clamp(position, 0, count - 1);
    afterCurrentChanged();
}

void Table::setRecNo(int recNo) {
    moveTo(recNo - 1);
    bof_ = impl_->current <= 0;
    eof_ = impl_->current < 0 || impl_->current == recordCount() - 1;
}

void Table::first() {
    moveTo(0);
    bof_ = true;
    eof_ = impl_->current < 0;
}

void Table::last() {
    moveTo(recordCount() - 1);
    eof_ = true;
    bof_ = impl_->current < 0;
}

void Table::next() {
    requireActive();
    prepareMove();
    if (impl_->current + 1 >= recordCount()) {
        eof_ = true;
        return;
    }
    moveTo(impl_->current + 1);
    bof_ = false;
    eof_ = false;
}

void Table::prior() {
    requireActive();
    prepareMove();
    if (impl_->current <= 0) {
        bof_ = true;
        return;
    }
    moveTo(impl_->current - 1);
    bof_ = false;
    eof_ = false;
}

bool Table::locate(std::string_view field, const Value& value, bool ignoreCase) {
    requireActive();
    prepareMove();
    const auto f = static_cast<std::size_t>(fieldIndex(field));
    const auto* text = std::get_if<std::string>(&value);
    for (std::size_t i = impl_->lo; i < impl_->hi; ++i) {
        const Value& v = impl_->rows.at(i).values[f];
        const auto* candidate = std::get_if<std::string>(&v);
        const bool match = (text && candidate)
                               ? (ignoreCase ? util::equalsIgnoreCase(*candidate, *text) : *candidate == *text)
                               : (!text && !candidate && RecordSet::equal(v, value));
        if (match) {
            moveTo(static_cast<int>(i - impl_->lo));
            bof_ = eof_ = false;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- editing

void Table::checkBrowseMode() {
    if (state_ != TableState::Edit && state_ != TableState::Insert) return;
    // A record nobody has changed is dropped rather than posted.
    if (impl_->bufferModified) post();
    else cancel();
}

void Table::insert() {
    requireActive();
    if (readOnly_) throw util::Error("Cannot modify a read-only dataset");
    prepareMove();
    fire(events_.beforeInsert);
    Impl& m = *impl_;
    m.buffer.assign(static_cast<std::size_t>(m.schema.size()), Value{});
    if (m.filtered && m.rangeField >= 0) m.buffer[static_cast<std::size_t>(m.rangeField)] = m.masterValue;
    m.bufferModified = false;
    state_ = TableState::Insert;
    notify([&](TableObserver& o) { o.stateChanged(*this); });
    fire(events_.afterInsert);
    afterCurrentChanged();
}

void Table::edit() {
    requireActive();
    if (state_ == TableState::Edit || state_ == TableState::Insert) return;
    if (readOnly_) throw util::Error("Cannot modify a read-only dataset");
    if (impl_->current < 0) throw util::Error("Cannot perform this operation on an empty dataset");
    fire(events_.beforeEdit);
    impl_->buffer = impl_->rows.at(impl_->lo + static_cast<std::size_t>(impl_->current)).values;
    impl_->bufferModified = false;
    state_ = TableState::Edit;
    notify([&](TableObserver& o) { o.stateChanged(*this); });
    fire(events_.afterEdit);
}

void Table::post() {
    requireActive();
    if (state_ != TableState::Edit && state_ != TableState::Insert) return;
    fire(events_.beforePost);
    Impl& m = *impl_;
    std::size_t absolute = 0;
    int oldRow = -1;
    if (state_ == TableState::Insert) {
        for (int f = 0; f < m.schema.size(); ++f)
            if (m.schema.field(f).type() == FieldType::AutoIncrement && store::isNull(m.buffer[static_cast<std::size_t>(f)]))
                m.buffer[static_cast<std::size_t>(f)] = Value{m.nextAutoIncrement++};
        absolute = m.rows.add(std::move(m.buffer));
    } else {
        oldRow = m.current;
        auto row = m.rows.take(m.lo + static_cast<std::size_t>(m.current));
        row->values = std::move(m.buffer);
        absolute = m.rows.put(std::move(row));
    }
    const bool inserted = state_ == TableState::Insert;
    m.buffer.clear();
    m.bufferModified = false;
    state_ = TableState::Browse;
    modified_ = true;
    refreshRange();
    const int newRow = shownPosition(absolute);
    m.current = newRow >= 0 ? newRow : std::min(std::max(oldRow, 0), recordCount() - 1);
    notify([&](TableObserver& o) {
        if (!inserted && oldRow >= 0 && oldRow == newRow) {
            o.rowChanged(*this, newRow);
        } else {
            if (!inserted) o.rowRemoved(*this, oldRow);
            if (newRow >= 0) o.rowInserted(*this, newRow);
        }
        o.stateChanged(*this);
    });
    fire(events_.afterPost);
    afterCurrentChanged();
}

void Table::cancel() {
    requireActive();
    if (state_ != TableState::Edit && state_ != TableState::Insert) return;
    fire(events_.beforeCancel);
    impl_->buffer.clear();
    impl_->bufferModified = false;
    state_ = TableState::Browse;
    notify([&](TableObserver& o) { o.stateChanged(*this); });
    fire(events_.afterCancel);
    afterCurrentChanged();
}

void Table::deleteRecord() {
    requireActive();
    if (state_ == TableState::Insert) {
        cancel();
        return;
    }
    if (readOnly_) throw util::Error("Read-only record cannot be deleted");
    if (impl_->current < 0) throw util::Error("Cannot perform this operation on an empty dataset");
    fire(events_.beforeDelete);
    Impl& m = *impl_;
    // The handler may have moved the cursor; the record deleted is the one current now.
    if (m.current < 0) return;
    const bool wasEditing = state_ == TableState::Edit;
    m.buffer.clear();
    m.bufferModified = false;
    state_ = TableState::Browse;
    const int row = m.current;
    m.rows.take(m.lo + static_cast<std::size_t>(row));
    modified_ = true;
    refreshRange();
    m.current = std::min(row, recordCount() - 1);
    notify([&](TableObserver& o) {
        o.rowRemoved(*this, row);
        if (wasEditing) o.stateChanged(*this);
    });
    fire(events_.afterDelete);
    afterCurrentChanged();
}

// ---------------------------------------------------------------- field access

const Value& Table::value(int field) const {
    if (field < 0 || field >= impl_->schema.size()) throw util::Error("Field index out of range");
    const auto f = static_cast<std::size_t>(field);
    if (state_ == TableState::Edit || state_ == TableState::Insert) return impl_->buffer[f];
    if (impl_->current < 0) return kNull;
    return impl_->rows.at(impl_->lo + static_cast<std::size_t>(impl_->current)).values[f];
}

const Value& Table::valueAt(int row, int field) const {
    if (row < 0 || row >= recordCount() || field < 0 || field >= impl_->schema.size())
        throw util::Error("Record or field out of range");
    return impl_->rows.at(impl_->lo + static_cast<std::size_t>(row)).values[static_cast<std::size_t>(field)];
}

double Table::asFloat(std::string_view field) const { return toFloat(value(field), field); }

double Table::toFloat(const Value& v, std::string_view field) {
    if (const auto* d = std::get_if<double>(&v)) return *d;
    if (const auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
    if (const auto* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
    if (const auto* s = std::get_if<std::string>(&v)) {
        const Value parsed = Field(std::string(field), FieldType::Float).fromText(*s, '.');
        return store::isNull(parsed) ? 0 : std::get<double>(parsed);
    }
    return 0;
}

std::int64_t Table::asInteger(std::string_view field) const { return toInteger(value(field), field); }

std::int64_t Table::toInteger(const Value& v, std::string_view field) {
    if (const auto* i = std::get_if<std::int64_t>(&v)) return *i;
    if (const auto* d = std::get_if<double>(&v)) return static_cast<std::int64_t>(*d);
    if (const auto* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
    if (const auto* s = std::get_if<std::string>(&v)) {
        const Value parsed = Field(std::string(field), FieldType::Integer).fromText(*s, '.');
        return store::isNull(parsed) ? 0 : std::get<std::int64_t>(parsed);
    }
    return 0;
}

bool Table::asBoolean(std::string_view field) const { return toBoolean(value(field)); }

bool Table::toBoolean(const Value& v) {
    if (const auto* b = std::get_if<bool>(&v)) return *b;
    if (const auto* i = std::get_if<std::int64_t>(&v)) return *i != 0;
    if (const auto* s = std::get_if<std::string>(&v)) return util::equalsIgnoreCase(*s, "True");
    return false;
}

std::string Table::asString(std::string_view field, char decimalSeparator) const {
    const int f = fieldIndex(field);
    return impl_->schema.field(f).toText(value(f), decimalSeparator);
}

std::string Table::displayText(std::string_view field, char decimalSeparator) const {
    return displayText(fieldIndex(field), decimalSeparator);
}

std::string Table::displayText(int field, char decimalSeparator) const {
    const Field& def = impl_->schema.field(field);
    for (const auto& [name, handler] : impl_->getTexts)
        if (util::equalsIgnoreCase(name, def.name())) return handler(*this, field, decimalSeparator);
    return def.displayText(value(field), decimalSeparator);
}

void Table::setValue(int field, const Value& value) {
    requireActive();
    requireEditing();
    const Field& def = impl_->schema.field(field);
    if (def.readOnly()) throw util::Error("Field '" + def.name() + "' cannot be modified");
    impl_->buffer[static_cast<std::size_t>(field)] = def.coerce(value);
    impl_->bufferModified = true;
    notify([&](TableObserver& o) { o.fieldChanged(*this, field); });
}

void Table::setText(std::string_view field, std::string_view text, char decimalSeparator) {
    const int f = fieldIndex(field);
    setValue(f, impl_->schema.field(f).fromText(text, decimalSeparator));
}

void Table::setGetText(std::string_view field, GetTextHandler handler) {
    auto& handlers = impl_->getTexts;
    handlers.erase(std::remove_if(handlers.begin(), handlers.end(),
                                  [&](const auto& h) { return util::equalsIgnoreCase(h.first, field); }),
                   handlers.end());
    if (handler) handlers.emplace_back(std::string(field), std::move(handler));
}

const Value& Table::storedValue(std::size_t position, int field) const {
    return impl_->rows.at(position).values[static_cast<std::size_t>(field)];
}

RecordView Table::records() const { return RecordView(*this, impl_->lo, impl_->hi); }

RecordView Table::recordsFor(const Value& masterValue) const {
    if (!active()) return RecordView(*this, 0, 0);
    if (impl_->rangeField < 0) return RecordView(*this, 0, impl_->rows.size());
    if (store::isNull(masterValue)) return RecordView(*this, 0, 0);
    const auto [lo, hi] = impl_->rows.range(masterValue);
    return RecordView(*this, lo, hi);
}

void Table::addObserver(TableObserver* observer) { impl_->observers.push_back(observer); }

void Table::removeObserver(TableObserver* observer) {
    auto& list = impl_->observers;
    list.erase(std::remove(list.begin(), list.end(), observer), list.end());
}

}  // namespace store
