#pragma once

namespace store {

// Inactive: closed, no records. Browse: positioned on a posted record (or empty).
// Edit: the current record is being changed. Insert: a new record is being filled.
enum class TableState { Inactive, Browse, Edit, Insert };

}  // namespace store
