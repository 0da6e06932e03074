#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/record_view.h"
#include "store/schema.h"
#include "store/table_contents.h"
#include "store/table_events.h"
#include "store/table_file.h"
#include "store/table_observer.h"
#include "store/table_state.h"
#include "store/value.h"

namespace store {

// An in-memory table with a cursor, loaded whole from its file on open and written whole on save.
//
// Records are shown in index order (the fields of setIndexFieldNames, then file/insertion order).
// A detail table (setMasterLink) shows only the records whose range field equals the master field
// of the master's current record, follows every move of the master and gives a new record the
// master value. Reads of field values go to the current record, or to the record being edited or
// inserted. Field names are matched without regard to letter case.
//
// Errors are util::Error with the message shown to the user, e.g. "Cannot modify a read-only
// dataset" and "Read-only record cannot be deleted".
class Table {
public:
    // `name` is used in messages. `required` lists fields a file must have (same name and type);
    // a table opened without a file gets exactly these fields.
    Table(std::string name, Schema required);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const std::string& name() const { return name_; }
    const Schema& requiredSchema() const { return required_; }
    // Fields of the open table (those of its file); the required schema while closed.
    const Schema& schema() const;

    // ---- file and lifecycle ----
    void setFileName(std::string path) { fileName_ = std::move(path); }
    const std::string& fileName() const { return fileName_; }
    // Loads the table file (or, with no file name, opens empty with the required fields).
    // Throws util::Error for a missing, damaged or foreign file; the table then stays closed.
    void open();
    // Opens with contents already loaded; checks them against the required fields.
    void open(TableContents contents);
    // Drops the records (edits not saved are lost).
    void close();
    bool active() const { return state_ != TableState::Inactive; }
    // Writes the records to the table file in their order (see TableFile::save) and clears modified().
    void save();
    // Writes the records beside the table file; the caller commits (see TableFile::PendingWrite).
    TableFile::PendingWrite prepareSave() const;
    TableContents contents() const;
    // True after a post or delete since the last open or save.
    bool modified() const { return modified_; }
    void setModified(bool value) { modified_ = value; }

    // ---- shape ----
    // "Field1;Field2": sort fields of the shown order; "" keeps file/insertion order.
    void setIndexFieldNames(std::string_view names);
    const std::string& indexFieldNames() const { return indexFieldNames_; }
    // Makes this table a detail of `master`: it shows the records whose `rangeField` equals the
    // master's `masterField`. The master must outlive this table's link.
    void setMasterLink(Table& master, std::string masterField, std::string rangeField);
    Table* master() const { return master_; }
    void setReadOnly(bool value) { readOnly_ = value; }
    bool readOnly() const { return readOnly_; }

    // ---- cursor ----
    TableState state() const { return state_; }
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    // 1-based position of the current record among the shown records; 0 when empty.
    int recNo() const;
    // Moves to a 1-based position (clamped).
    void setRecNo(int recNo);
    // true after next() failed at the last record / prior() at the first.
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    void first();
    void last();
    void next();
    void prior();
    // Moves to the first shown record whose field equals `value` (text compared exactly, or
    // without regard to case); false and no move when there is none.
    bool locate(std::string_view field, const Value& value, bool ignoreCase = false);

    // ---- editing ----
    void insert();
    void edit();
    // Posts the record being edited or inserted; does nothing in browse state.
    void post();
    void cancel();
    // Deletes the current record; in insert state cancels the insert instead.
    void deleteRecord();
    // Posts a pending edit or insert (used before moves).
    void checkBrowseMode();

    // ---- field access (current record) ----
    int fieldIndex(std::string_view name) const { return schema().require(name); }
    const Value& value(int field) const;
    const Value& value(std::string_view field) const { return value(fieldIndex(field)); }
    bool isNull(std::string_view field) const { return store::isNull(value(field)); }
    // Empty value gives 0 / false / "".
    double asFloat(std::string_view field) const;
    std::int64_t asInteger(std::string_view field) const;
    bool asBoolean(std::string_view field) const;
    std::string asString(std::string_view field, char decimalSeparator = '.') const;
    // Display (and edit) text: the field's get-text handler, else its display format.
    std::string displayText(std::string_view field, char decimalSeparator) const;
    std::string displayText(int field, char decimalSeparator) const;

    // Setting needs edit or insert state ("Dataset not in edit or insert mode") and a field that is
    // not read-only ("Field 'NAME' cannot be modified"); values are checked by Field::coerce.
    void setValue(int field, const Value& value);
    void setValue(std::string_view field, const Value& value) { setValue(fieldIndex(field), value); }
    void setFloat(std::string_view field, double v) { setValue(field, Value{v}); }
    void setInteger(std::string_view field, std::int64_t v) { setValue(field, Value{v}); }
    void setBoolean(std::string_view field, bool v) { setValue(field, Value{v}); }
    void setString(std::string_view field, std::string v) { setValue(field, Value{std::move(v)}); }
    void clear(std::string_view field) { setValue(field, Value{}); }
    // Sets through the field's text conversion (Field::fromText).
    void setText(std::string_view field, std::string_view text, char decimalSeparator);

    // Value of a shown record by 0-based row, for views.
    const Value& valueAt(int row, int field) const;

    // ---- reading without the cursor (see RecordView) ----
    // The records the table shows now: its detail range, or all of them.
    RecordView records() const;
    // The records a detail table shows while its master's current record has `masterValue` in the
    // master field; all records for a table without a master. Empty for an empty master value.
    RecordView recordsFor(const Value& masterValue) const;

    // ---- events and observers ----
    TableEvents& events() { return events_; }
    void setGetText(std::string_view field, GetTextHandler handler);
    void addObserver(TableObserver* observer);
    void removeObserver(TableObserver* observer);

private:
    friend class RecordView;
    struct Impl;
    // The conversions of asFloat, asInteger and asBoolean, for a value of the named field.
    static double toFloat(const Value& v, std::string_view field);
    static std::int64_t toInteger(const Value& v, std::string_view field);
    static bool toBoolean(const Value& v);
    // A field of the record at absolute position `position` (all records in index order).
    const Value& storedValue(std::size_t position, int field) const;
    void requireActive() const;
    void requireEditing() const;
    void fire(const TableEvents::Handler& handler);
    template <class F>
    void notify(F&& call);
    // Recomputes the shown range from the master's current value.
    void refreshRange();
    // Posts pending edits of the details (deepest first) and of this table, before a move.
    void prepareMove();
    // Makes the given shown position current and runs the move's events.
    void moveTo(int position);
    // Runs after the current record changed: afterScroll, observers, details follow.
    void afterCurrentChanged();
    // Called on a detail when its master's current record may have changed.
    void masterChanged();
    // Shown position of a row at absolute position `absolute`, or -1 outside the shown range.
    int shownPosition(std::size_t absolute) const;
    void resolveFields();
    std::string name_;
    Schema required_;
    std::string fileName_;
    std::string indexFieldNames_;
    Table* master_ = nullptr;
    std::vector<Table*> details_;
    TableState state_ = TableState::Inactive;
    bool readOnly_ = false;
    bool modified_ = false;
    bool eof_ = false;
    bool bof_ = false;
    TableEvents events_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace store
