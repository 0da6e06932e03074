// ravo-cli systems: the systems of a database with their keys, phases and Gibbs-energy record counts.
#include <iostream>

#include "cli/command.h"
#include "cli/console_dialogs.h"
#include "db/tdm.h"

namespace {

int runSystems(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const cli::Options options = cli::parseOptions(args, {"--db"});
    if (!options.positional.empty()) throw cli::UsageError{"unexpected word " + options.positional.front()};
    const std::string directory = options.require("--db");

    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM dm(dialogs);
    dm.Start(directory);

    int systems = 0;
    for (dm.tblSystems.first(); !dm.tblSystems.isEmpty() && !dm.tblSystems.eof(); dm.tblSystems.next()) {
        ++systems;
        std::string phases;
        int gibbsTotal = 0;
        for (dm.tblPhases.first(); !dm.tblPhases.isEmpty() && !dm.tblPhases.eof(); dm.tblPhases.next()) {
            const int gibbs = dm.tblGibbs.recordCount();
            gibbsTotal += gibbs;
            phases += "  " + dm.tblPhases.asString("Phase_designation") + ": " + std::to_string(gibbs) + "\n";
        }
        out << dm.tblSystems.asString("System_designation") << " (key " << dm.tblSystems.asInteger("System_id")
            << "): " << dm.tblPhases.recordCount() << " phases, " << gibbsTotal << " Gibbs-energy records\n"
            << phases;
    }
    out << systems << (systems == 1 ? " system" : " systems") << " in " << dm.DatabaseDirectory() << "\n";
    return 0;
}

const cli::CommandRegistration registration(
    "systems", "systems --db DIR   list the systems with their keys, phases and Gibbs-energy record counts",
    runSystems,
    "Lists each system as \"DESIGNATION (key N): P phases, G Gibbs-energy records\", followed by its\n"
    "phases with the number of Gibbs-energy records of each, in the database's order. The key tells\n"
    "apart two systems with one designation: commands that take --system accept it in place of\n"
    "the designation.\n\n"
    "  --db DIR  the database directory\n");

}  // namespace
