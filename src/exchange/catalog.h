#pragma once
#include <string>

#include "db/tdm.h"
#include "util/dialogs.h"

namespace exchange {

// The fixed name of the catalog file (no extension).
inline constexpr const char* CatalogFileName = "Ravo_cat";

// The bytes of the catalog: each System_designation in the systems table's order, a line of 19
// hyphens and "ВСЕГО: n систем", in code page 1251, every line ending with CR LF. Reads posted
// records only and moves no cursor.
std::string ComposeCatalog(const db::TDM& tdm);

// The menu command: writes directory + CatalogFileName ("" for the current directory), replacing
// a file there, and shows "Оглавление базы записано в файл Ravo_cat". A file that cannot be written
// raises util::Error and shows no message.
void WriteCatalog(const db::TDM& tdm, const std::string& directory, util::Dialogs& dialogs);

}  // namespace exchange
