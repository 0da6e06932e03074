// ravo-cli delete: removes one system with its phases, Gibbs-energy records and experimental points,
// through the same edit rules as the program's window, and saves the database.
#include <iostream>
#include <ostream>

#include "cli/command.h"
#include "cli/console_dialogs.h"
#include "cli/system_choice.h"
#include "db/system_deletion.h"
#include "db/tdm.h"

namespace {

int runDelete(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const cli::Options options = cli::parseOptions(args, {"--db", "--system"});
    if (!options.positional.empty()) throw cli::UsageError{"unexpected word " + options.positional.front()};
    const std::string directory = options.require("--db");
    const std::string word = options.require("--system");

    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM tdm(dialogs);
    tdm.Start(directory);
    tdm.SetReadOnlyLock(false);
    cli::SelectSystem(tdm, word);
    const std::string designation = tdm.tblSystems.asString("System_designation");
    const std::string key = std::to_string(tdm.tblSystems.asInteger("System_id"));
    const db::DeletedSystem deleted = db::DeleteSystem(tdm);
    tdm.SaveDatabase();
    out << "Deleted system " << designation << " (key " << key << ") with " << deleted.phases << " phases, "
        << deleted.gibbsRecords << " Gibbs-energy records and " << deleted.experimentalPoints
        << " experimental points\n";
    return 0;
}

const cli::CommandRegistration registration(
    "delete", "delete --db DIR --system DESIGNATION   remove a system with all its records, and save", runDelete,
    "Deletes the system with its experimental points, its phases and their Gibbs-energy\n"
    "expressions, and saves the database. Element data (stability parameters) stay.\n\n"
    "  --db DIR       the database directory\n"
    "  --system WORD  the system's designation, or its key (see \"ravo-cli systems\") when two\n"
    "                 systems carry the same designation, e.g. after a file was imported twice\n");

}  // namespace
