#pragma once

namespace store {

class Table;

// Change notifications of a table, for views such as GUI models. Every call comes after the change
// has been made; `row` is a 0-based position among the records the table currently shows (the
// detail range, in index order). A model keeps its own row count to turn these into its own
// begin/end notifications.
class TableObserver {
public:
    virtual ~TableObserver() = default;
    // The shown records changed as a whole (open, close, master moved, order changed).
    virtual void tableReset(const Table&) {}
    virtual void rowInserted(const Table&, int /*row*/) {}
    virtual void rowRemoved(const Table&, int /*row*/) {}
    // A posted record changed its values in place.
    virtual void rowChanged(const Table&, int /*row*/) {}
    // A value of the current record (or of the record being edited/inserted) was set.
    virtual void fieldChanged(const Table&, int /*field*/) {}
    virtual void currentMoved(const Table&) {}
    virtual void stateChanged(const Table&) {}
};

}  // namespace store
