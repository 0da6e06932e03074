#pragma once
#include <array>
#include <string>

#include "store/schema.h"

namespace db {

// The fixed shape of one of the six tables of the database.
struct TableDefinition {
    std::string tableName;   // "tblSystems"
    std::string fileName;    // "systems.d"
    store::Schema schema;    // fields in their order
    std::string indexFieldNames;  // "Element1;Element2;Element3" or ""
    std::string masterTable;      // "" or the table this one is a detail of
    std::string masterField;
    std::string rangeField;
};

// The six tables in the order systems, phases, Gibbs energy, stability parameters, stability
// details, experimental data (the order in which they are opened and saved).
const std::array<TableDefinition, 6>& tableDefinitions();

// Writes the six empty table files into `directory` (with its trailing separator). Refuses with
// util::Error when any of the six files exists already, so no data is ever overwritten.
void createEmptyDatabase(const std::string& directory);

}  // namespace db
