// ravo-cli listing: writes the phase functions of one system as the text listing, in the current
// directory, exactly as the program's "write as text" command does.
#include <filesystem>
#include <iostream>
#include <ostream>

#include "cli/command.h"
#include "cli/console_dialogs.h"
#include "db/tdm.h"
#include "functions/memory_source.h"
#include "functions/phase_functions.h"
#include "functions/run_values.h"
#include "functions/system_listing.h"
#include "util/errors.h"

namespace {

int runListing(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
    const cli::Options options = cli::parseOptions(args, {"--db", "--system"});
    if (!options.positional.empty()) throw cli::UsageError{"unexpected argument " + options.positional.front()};
    const std::string directory = options.require("--db");
    const std::string designation = options.require("--system");

    cli::ConsoleDialogs dialogs(std::cin, out);
    db::TDM tdm(dialogs);
    tdm.Start(directory);
    if (!tdm.tblSystems.locate("System_designation", store::Value{designation}))
        throw util::Error("System " + designation + " not found");

    functions::RunValues run;
    functions::PhaseFunctions phaseFunctions(run, dialogs, '.');
    functions::MemorySource source = functions::MemorySource::ReadCurrentSystem(tdm);
    functions::WriteSystemListing(phaseFunctions, source, std::filesystem::current_path());
    return 0;
}

const cli::CommandRegistration registration("listing", "listing --db DIR --system DESIGNATION", runListing);

}  // namespace
