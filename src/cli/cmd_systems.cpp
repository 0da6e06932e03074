// ravo-cli systems: the systems of a database with their phases and Gibbs-energy record counts.
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

    // Read without moving any cursor: each system's phases and each phase's records are the
    // ranges the detail tables would show with that system or phase current.
    const store::RecordView systemRecords = dm.tblSystems.records();
    const int systems = systemRecords.size();
    for (int s = 0; s < systems; ++s) {
        const store::RecordView phaseRecords = dm.tblPhases.recordsFor(systemRecords.value(s, "System_id"));
        std::string phases;
        int gibbsTotal = 0;
        for (int p = 0; p < phaseRecords.size(); ++p) {
            const int gibbs = dm.tblGibbs.recordsFor(phaseRecords.value(p, "Phase_id")).size();
            gibbsTotal += gibbs;
            phases += "  " + phaseRecords.asString(p, "Phase_designation") + ": " + std::to_string(gibbs) + "\n";
        }
        out << systemRecords.asString(s, "System_designation") << ": " << phaseRecords.size() << " phases, "
            << gibbsTotal << " Gibbs-energy records\n"
            << phases;
    }
    out << systems << (systems == 1 ? " system" : " systems") << " in " << dm.DatabaseDirectory() << "\n";
    return 0;
}

const cli::CommandRegistration registration(
    "systems", "systems --db DIR   list the systems with their phases and Gibbs-energy record counts", runSystems);

}  // namespace
