#pragma once
#include <ostream>
#include <string>
#include <string_view>

#include "db/tdm.h"
#include "util/dialogs.h"

namespace exchange {

// Name of a system's exchange file, without directory: the designation reduced to "+", "-", "=",
// "_", digits and Latin letters, then ".ter" ("Fe-Ni (liq.)" gives "Fe-Niliq.ter").
std::string SystemFileName(std::string_view designation);

// The bytes of the exchange file of the current system of tdm.tblSystems: the system record, each
// phase with its Gibbs-energy records, then the experimental points. Throws util::Error, before
// anything is written anywhere, when there is no current system or a value cannot be carried by the
// file (see ExchangeWriter). Reads posted records only and moves no cursor.
std::string ComposeSystemFile(const db::TDM& tdm, char decimalSeparator);

// Composes the current system and writes it to `out`; then shows "Данные о системе записаны в файл "
// + fileName. When the stream fails, the message is still shown and util::Error follows.
void WriteSystemFile(db::TDM& tdm, std::ostream& out, const std::string& fileName, util::Dialogs& dialogs,
                     char decimalSeparator);

// The menu command: writes the current system to programDirectory (with its trailing separator) +
// SystemFileName, replacing a file there, and returns the path. A refused value leaves any existing
// file as it was; a file that cannot be created raises util::Error without the message.
std::string WriteSystemFile(db::TDM& tdm, const std::string& programDirectory, util::Dialogs& dialogs,
                            char decimalSeparator);

}  // namespace exchange
