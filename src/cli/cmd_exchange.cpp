// ravo-cli export, import, stability-export, stability-import and catalog: the exchange files and
// the catalog listing of a database, written and read exactly as the program's menu commands do.
// Files are written into the directory of this executable (the program's own directory), the
// stability parameter file is read from and the catalog written to the current directory. Numbers
// are written with "." as decimal separator.
#include <filesystem>
#include <iostream>
#include <ostream>

#include "cli/command.h"
#include "cli/console_dialogs.h"
#include "db/tdm.h"
#include "exchange/catalog.h"
#include "exchange/stability_file.h"
#include "exchange/system_file_reader.h"
#include "exchange/system_file_writer.h"
#include "util/errors.h"

namespace {

constexpr char DecimalSeparator = '.';

std::string programDirectory() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
}

cli::Options options(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                     std::size_t positional) {
    cli::Options parsed = cli::parseOptions(args, valued);
    if (parsed.positional.size() > positional)
        throw cli::UsageError{"unexpected word " + parsed.positional[positional]};
    if (parsed.positional.size() < positional) throw cli::UsageError{"missing file name"};
    return parsed;
}

void selectSystem(db::TDM& tdm, const std::string& designation) {
    if (!tdm.tblSystems.locate("System_designation", store::Value{designation}))
        throw util::Error("System " + designation + " not found");
}

int runExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const cli::Options parsed = options(args, {"--db", "--system"}, 0);
    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM tdm(dialogs);
    tdm.Start(parsed.require("--db"));
    selectSystem(tdm, parsed.require("--system"));
    out << exchange::WriteSystemFile(tdm, programDirectory(), dialogs, DecimalSeparator) << "\n";
    return 0;
}

// Reading needs the edit lock off; the database is saved only after a reading without error.
int runImport(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    const cli::Options parsed = options(args, {"--db", "--system"}, 1);
    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM tdm(dialogs);
    tdm.Start(parsed.require("--db"));
    tdm.SetReadOnlyLock(false);
    if (parsed.has("--system")) selectSystem(tdm, parsed.get("--system"));
    exchange::ReadSystemFile(tdm, parsed.positional.front(), dialogs, DecimalSeparator);
    tdm.SaveDatabase();
    return 0;
}

int runStabilityExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const cli::Options parsed = options(args, {"--db"}, 0);
    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM tdm(dialogs);
    tdm.Start(parsed.require("--db"));
    out << exchange::WriteStabilityFile(tdm, programDirectory(), dialogs, DecimalSeparator) << "\n";
    return 0;
}

int runStabilityImport(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    const cli::Options parsed = options(args, {"--db"}, 0);
    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM tdm(dialogs);
    tdm.Start(parsed.require("--db"));
    tdm.SetReadOnlyLock(false);
    if (!exchange::ReadStabilityFile(tdm, "", dialogs, DecimalSeparator)) return 1;
    tdm.SaveDatabase();
    return 0;
}

int runCatalog(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    const cli::Options parsed = options(args, {"--db"}, 0);
    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM tdm(dialogs);
    tdm.Start(parsed.require("--db"));
    exchange::WriteCatalog(tdm, "", dialogs);
    return 0;
}

const cli::CommandRegistration exportCommand(
    "export", "export --db DIR --system DESIGNATION   write the system's exchange file beside ravo-cli", runExport);
const cli::CommandRegistration importCommand(
    "import",
    "import --db DIR [--system DESIGNATION] FILE.ter   add the file's records (phases alone to DESIGNATION) and save",
    runImport);
const cli::CommandRegistration stabilityExportCommand(
    "stability-export", "stability-export --db DIR   write STABILITY_PARAMS.txt beside ravo-cli", runStabilityExport);
const cli::CommandRegistration stabilityImportCommand(
    "stability-import",
    "stability-import --db DIR   add the parameters of ./STABILITY_PARAMS.txt not yet stored, and save",
    runStabilityImport);
const cli::CommandRegistration catalogCommand("catalog", "catalog --db DIR   write the catalog ./Ravo_cat",
                                              runCatalog);

}  // namespace
