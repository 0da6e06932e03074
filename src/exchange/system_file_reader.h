#pragma once
#include <istream>
#include <string>

#include "db/tdm.h"
#include "util/dialogs.h"

namespace exchange {

// Reads the records of a system exchange file (code page 1251 bytes) into the database, each as a
// new record through the table store, so the edit rules and the read-only lock apply. A "[SYSTEMS]"
// record adds a new system that becomes current; phases and experimental points attach to the
// current system, Gibbs-energy records to the current phase (before the file's first system or
// phase: the ones selected). Keys and link fields in the file are never used. Reading stops quietly
// at a line that is no known header (an empty line or the end of the file included).
//
// Throws on the first error: a damaged record (the file ends inside it), a field the table does not
// have, an edit rule that refuses the record, the read-only lock, or a record with nothing to attach
// to. Records posted before stay; the record being read is not posted. Returns the number of
// records added.
int ReadSystemRecords(db::TDM& tdm, std::istream& in, char decimalSeparator);

// ReadSystemRecords, then "Сведения о системе занесены в базу". A reading that ends in an error
// shows no such message: the error alone is raised. So is a file from which not one record was read
// (empty, plain text, any other kind of file): util::Error "В файле FILE не найдено ни одной записи
// о системе", `fileName` standing for FILE. After a reading without error the phase list is on its
// first phase.
void ReadSystemFile(db::TDM& tdm, std::istream& in, util::Dialogs& dialogs, char decimalSeparator,
                    const std::string& fileName = "");

// The menu command on a chosen file; a file that cannot be opened (a folder included) raises
// util::Error and shows nothing else.
void ReadSystemFile(db::TDM& tdm, const std::string& path, util::Dialogs& dialogs, char decimalSeparator);

}  // namespace exchange
