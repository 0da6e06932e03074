// ravo-cli export, import, stability-export, stability-import and catalog: the exchange files and
// the catalog listing of a database, written and read exactly as the program's menu commands do.
// Without --out the files go where the program puts them: exchange files into the directory of this
// executable (the program's own directory), the catalog into the current directory. Numbers are
// written with "." as decimal separator.
#include <filesystem>
#include <iostream>
#include <ostream>

#include "cli/command.h"
#include "cli/console_dialogs.h"
#include "cli/output_directory.h"
#include "cli/system_choice.h"
#include "db/tdm.h"
#include "exchange/catalog.h"
#include "exchange/stability_file.h"
#include "exchange/system_file_reader.h"
#include "exchange/system_file_writer.h"
#include "util/errors.h"

namespace {

constexpr char DecimalSeparator = '.';

cli::Options options(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                     std::size_t leastPositional, std::size_t mostPositional) {
    cli::Options parsed = cli::parseOptions(args, valued);
    if (parsed.positional.size() > mostPositional)
        throw cli::UsageError{"unexpected word " + parsed.positional[mostPositional]};
    if (parsed.positional.size() < leastPositional) throw cli::UsageError{"missing file name"};
    return parsed;
}

int runExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const cli::Options parsed = options(args, {"--db", "--system", "--out"}, 0, 0);
    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM tdm(dialogs);
    tdm.Start(parsed.require("--db"));
    cli::SelectSystem(tdm, parsed.require("--system"));
    const std::string directory = cli::outputDirectory(parsed, cli::programDirectory());
    out << exchange::WriteSystemFile(tdm, directory, dialogs, DecimalSeparator) << "\n";
    return 0;
}

// Reading needs the edit lock off; the database is saved only after a reading without error.
int runImport(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    const cli::Options parsed = options(args, {"--db", "--system"}, 1, 1);
    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM tdm(dialogs);
    tdm.Start(parsed.require("--db"));
    tdm.SetReadOnlyLock(false);
    if (parsed.has("--system")) cli::SelectSystem(tdm, parsed.get("--system"));
    exchange::ReadSystemFile(tdm, parsed.positional.front(), dialogs, DecimalSeparator);
    tdm.SaveDatabase();
    return 0;
}

int runStabilityExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const cli::Options parsed = options(args, {"--db", "--out"}, 0, 0);
    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM tdm(dialogs);
    tdm.Start(parsed.require("--db"));
    const std::string directory = cli::outputDirectory(parsed, cli::programDirectory());
    out << exchange::WriteStabilityFile(tdm, directory, dialogs, DecimalSeparator) << "\n";
    return 0;
}

int runStabilityImport(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    const cli::Options parsed = options(args, {"--db"}, 0, 1);
    std::string path = parsed.positional.empty() ? exchange::StabilityFileName : parsed.positional.front();
    if (std::filesystem::is_directory(path)) path = (std::filesystem::path(path) / exchange::StabilityFileName).string();
    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM tdm(dialogs);
    tdm.Start(parsed.require("--db"));
    tdm.SetReadOnlyLock(false);
    if (!exchange::ReadStabilityFileAt(tdm, path, dialogs, DecimalSeparator)) return 1;
    tdm.SaveDatabase();
    return 0;
}

int runCatalog(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    const cli::Options parsed = options(args, {"--db", "--out"}, 0, 0);
    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM tdm(dialogs);
    tdm.Start(parsed.require("--db"));
    exchange::WriteCatalog(tdm, cli::outputDirectory(parsed, ""), dialogs);
    return 0;
}

const cli::CommandRegistration exportCommand(
    "export", "export --db DIR --system DESIGNATION [--out DIR]   write the system's exchange file", runExport,
    "Writes the system with its phases, Gibbs-energy expressions and experimental points as an\n"
    "exchange file named after the system (Pb+Sn.ter), replacing a file of that name, and prints\n"
    "its path. Code page 1251 text, CR LF line ends, numbers with \".\".\n\n"
    "  --db DIR       the database directory\n"
    "  --system WORD  the system's designation, or its key (see \"ravo-cli systems\") when two\n"
    "                 systems carry the same designation\n"
    "  --out DIR      where the file goes (created when missing); default: beside ravo-cli\n");
const cli::CommandRegistration importCommand(
    "import", "import --db DIR [--system DESIGNATION] FILE.ter   add the file's records and save", runImport,
    "Adds the records of a system exchange file to the database and saves it. A [SYSTEMS] record\n"
    "adds a new system; phases and experimental points attach to the system read last, or to\n"
    "--system when the file starts with phases. A file without one system record, a damaged file\n"
    "or a record the edit rules refuse ends the import with status 1 and nothing is saved.\n\n"
    "  --db DIR       the database directory\n"
    "  --system WORD  designation or key of the system that phases at the file's start belong to\n");
const cli::CommandRegistration stabilityExportCommand(
    "stability-export", "stability-export --db DIR [--out DIR]   write STABILITY_PARAMS.txt", runStabilityExport,
    "Writes every stability parameter (element data) with its temperature ranges as\n"
    "STABILITY_PARAMS.txt, replacing a file of that name, and prints its path.\n\n"
    "  --db DIR   the database directory\n"
    "  --out DIR  where the file goes (created when missing); default: beside ravo-cli\n");
const cli::CommandRegistration stabilityImportCommand(
    "stability-import", "stability-import --db DIR [FILE]   add the parameters not yet stored, and save",
    runStabilityImport,
    "Reads a stability parameter file and adds each parameter whose designation the saved\n"
    "database does not hold yet, with its temperature ranges; parameters held already are passed\n"
    "over. Then saves the database.\n\n"
    "  --db DIR  the database directory\n"
    "  FILE      the file to read, or a directory holding STABILITY_PARAMS.txt;\n"
    "            default: STABILITY_PARAMS.txt in the current directory\n");
const cli::CommandRegistration catalogCommand(
    "catalog", "catalog --db DIR [--out DIR]   write the catalog of the systems, Ravo_cat", runCatalog,
    "Writes the designations of all systems, one a line, and their number as the file Ravo_cat.\n\n"
    "  --db DIR   the database directory\n"
    "  --out DIR  where the file goes (created when missing); default: the current directory\n");

}  // namespace
