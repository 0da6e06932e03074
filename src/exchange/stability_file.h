#pragma once
#include <istream>
#include <ostream>
#include <set>
#include <string>

#include "db/tdm.h"
#include "util/dialogs.h"

namespace exchange {

// The fixed name of the stability parameter file.
inline constexpr const char* StabilityFileName = "STABILITY_PARAMS.txt";

// The bytes of the stability parameter file: every parameter of tdm.tblStability in its order, each
// followed by its expression ranges. Refusals as for the system file, before anything is written.
// Reads posted records only and moves no cursor.
std::string ComposeStabilityFile(const db::TDM& tdm, char decimalSeparator);

// The menu command: writes programDirectory (with its trailing separator) + StabilityFileName and
// shows "Данные о параметрах стабильности записаны в файл STABILITY_PARAMS.txt"; when the stream
// fails the message is still shown, then util::Error follows. Returns the path.
std::string WriteStabilityFile(db::TDM& tdm, const std::string& programDirectory, util::Dialogs& dialogs,
                               char decimalSeparator);

// Designations of the parameters as last saved: the look-up view over the stored table file of
// tdm.tblStability in the database directory. Parameters added in memory since are not in it.
std::set<std::string> StoredStabilityDesignations(const db::TDM& tdm);

// Reads parameters and their expression ranges. A parameter whose designation is in `stored`
// (exact, case-sensitive) is not added: it becomes the current parameter and the lines up to the next
// "[STABILITY_PARAMS]" (compared after trimming) are passed over, its ranges in the file with them.
// Ranges attach to the current parameter. Errors as for the system reader; nothing is shown here.
void ReadStabilityRecords(db::TDM& tdm, std::istream& in, const std::set<std::string>& stored,
                          char decimalSeparator);

// The menu command: reads directory + StabilityFileName ("" for the current directory). With no
// such file shows the warning "File STABILITY_PARAMS.txt not found" and returns false. Otherwise
// loads the look-up view, reads, and on success shows "Сведения о параметрах стабильности занесены в
// базу"; an error ends the reading without that message.
bool ReadStabilityFile(db::TDM& tdm, const std::string& directory, util::Dialogs& dialogs, char decimalSeparator);

}  // namespace exchange
