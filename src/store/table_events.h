#pragma once
#include <functional>
#include <string>

namespace store {

class Table;

// Handlers of a table's events; an empty handler does nothing. A "before" handler cancels the
// operation by throwing (util::SilentAbort after it has shown its message, or util::Error); the
// table is then left as it was before the operation (a cancelled post leaves the record in edit
// or insert state with the values it has).
struct TableEvents {
    using Handler = std::function<void(Table&)>;
    Handler beforeInsert, afterInsert;
    Handler beforeEdit, afterEdit;
    Handler beforePost, afterPost;
    Handler beforeCancel, afterCancel;
    Handler beforeDelete, afterDelete;
    // After the current record changed: moves, open, insert, post, cancel, delete, master moves.
    Handler afterScroll;
};

// Replaces the display and edit text of one field (its value as text with the given decimal
// separator).
using GetTextHandler = std::function<std::string(const Table&, int field, char decimalSeparator)>;

}  // namespace store
