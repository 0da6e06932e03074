#pragma once

namespace store {

class Table;

// Change notifications of a table, for views such as GUI item models. `row` is a 0-based position
// among the rows the table currently shows: the records of the detail range in index order and,
// while a record is being inserted, that new record as one more row after them (the insert row, at
// position recordCount()). Every change of the rows is announced twice: an "about to" call before
// anything has changed (the table still reads as before) and a "done" call after, so a model can
// call Qt's begin.../end... pairs around it. A posted insert is the insert row removed, then the
// new record inserted at its place in index order; a post that moves a record is a removal and an
// insertion.
class TableObserver {
public:
    virtual ~TableObserver() = default;
    // The shown rows change as a whole (open, close, master moved, order changed).
    virtual void tableAboutToBeReset(const Table&) {}
    virtual void tableReset(const Table&) {}
    virtual void rowAboutToBeInserted(const Table&, int /*row*/) {}
    virtual void rowInserted(const Table&, int /*row*/) {}
    virtual void rowAboutToBeRemoved(const Table&, int /*row*/) {}
    virtual void rowRemoved(const Table&, int /*row*/) {}
    // A posted record changed its values in place.
    virtual void rowChanged(const Table&, int /*row*/) {}
    // A value of the current record (or of the record being edited/inserted) was set.
    virtual void fieldChanged(const Table&, int /*field*/) {}
    virtual void currentMoved(const Table&) {}
    virtual void stateChanged(const Table&) {}
};

}  // namespace store
