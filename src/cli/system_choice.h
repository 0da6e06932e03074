#pragma once
#include <string>

#include "db/tdm.h"

namespace cli {

// Makes the system that `word` names the current record of tdm.tblSystems.
//
// A designation (matched exactly) names the one system that carries it. When several systems carry
// it, the word is ambiguous and util::Error lists their keys. A whole number that is no designation
// is taken as a system's key (System_id, shown by "ravo-cli systems"). When nothing matches,
// util::Error names the designations that exist, the closest to the word first (at most five).
void SelectSystem(db::TDM& tdm, const std::string& word);

}  // namespace cli
