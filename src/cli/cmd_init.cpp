// ravo-cli init: the first, empty database.
#include <filesystem>
#include <ostream>

#include "cli/command.h"
#include "db/table_definitions.h"

namespace {

int runInit(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
    const cli::Options options = cli::parseOptions(args, {"--db"});
    if (!options.positional.empty()) throw cli::UsageError{"unexpected word " + options.positional.front()};
    std::string directory = options.require("--db");
    if (directory.empty()) throw cli::UsageError{"--db needs a directory"};
    if (directory.back() != '/') directory += '/';
    std::filesystem::create_directories(directory);
    db::createEmptyDatabase(directory);
    out << "Created an empty database in " << directory << "\n";
    return 0;
}

const cli::CommandRegistration registration(
    "init", "init --db DIR   create the six empty table files in DIR", runInit,
    "Creates DIR when missing and writes the six empty table files of a database into it\n"
    "(systems.d, phases.d, gibbs_energy.d, stability_params.d, stability_detail.d,\n"
    "experim_data.d). Refuses, writing nothing, when any of them exists already.\n\n"
    "  --db DIR  the new database directory\n");

}  // namespace
