// ravo-cli listing: writes the phase functions of one system as the text listing, exactly as the
// program's "write as text" command does, into the current directory or the one given.
#include <filesystem>
#include <iostream>
#include <ostream>

#include "cli/command.h"
#include "cli/console_dialogs.h"
#include "cli/output_directory.h"
#include "cli/system_choice.h"
#include "db/tdm.h"
#include "functions/memory_source.h"
#include "functions/phase_functions.h"
#include "functions/run_values.h"
#include "functions/system_listing.h"

namespace {

int runListing(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const cli::Options options = cli::parseOptions(args, {"--db", "--system", "--out"});
    if (!options.positional.empty()) throw cli::UsageError{"unexpected argument " + options.positional.front()};
    const std::string directory = options.require("--db");
    const std::string word = options.require("--system");

    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM tdm(dialogs);
    tdm.Start(directory);
    cli::SelectSystem(tdm, word);
    const std::filesystem::path target = cli::outputDirectory(options, "./");

    functions::RunValues run;
    functions::PhaseFunctions phaseFunctions(run, dialogs, '.');
    functions::MemorySource source = functions::MemorySource::ReadCurrentSystem(tdm);
    const std::string name = functions::WriteSystemListing(phaseFunctions, source, target);
    out << (target / name).lexically_normal().string() << "\n";
    return 0;
}

const cli::CommandRegistration registration(
    "listing", "listing --db DIR --system DESIGNATION [--out DIR]   the system's functions as text", runListing,
    "Assembles the phase functions of the system as a calculation would, with every {reference}\n"
    "to element data expanded, and writes them as DESIGNATION.txt (code page 1251, CR LF),\n"
    "replacing a file of that name; prints the file's path.\n\n"
    "  --db DIR       the database directory\n"
    "  --system WORD  the system's designation, or its key when two systems carry it\n"
    "  --out DIR      where the file goes (created when missing); default: the current directory\n");

}  // namespace
