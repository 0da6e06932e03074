// ravo-cli invariants: computes the phase diagram of one system, refines its invariant equilibria
// to the exact ones of the model and prints them as a table.
#include <iostream>
#include <ostream>

#include "cli/command.h"
#include "cli/console_dialogs.h"
#include "cli/refine_output.h"
#include "db/tdm.h"
#include "engine/calculation.h"
#include "util/errors.h"

namespace {

int gridOption(const cli::Options& options, const std::string& name, int fallback) {
    if (!options.has(name)) return fallback;
    const int value = options.getInt(name, -1);
    if (value < 1) throw cli::UsageError{name + " must be a positive whole number"};
    return value;
}

int runInvariants(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const cli::Options options =
        cli::parseOptions(args, {"--db", "--system", "--xpoints", "--ypoints", "--format"});
    if (!options.positional.empty()) throw cli::UsageError{"unexpected argument " + options.positional.front()};
    const std::string directory = options.require("--db");
    const std::string designation = options.require("--system");
    const std::string format = options.get("--format", "text");
    if (format != "text" && format != "csv" && format != "json")
        throw cli::UsageError{"--format must be text, csv or json"};

    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM tdm(dialogs);
    tdm.Start(directory);
    if (!tdm.tblSystems.locate("System_designation", store::Value{designation}))
        throw util::Error("System " + designation + " not found");
    tdm.PostPendingEdits();

    engine::Calculation calculation(dialogs, '.');
    const auto snapshot = engine::Calculation::takeSnapshot(tdm);
    calculation.setGridOverride(gridOption(options, "--xpoints", snapshot->system.Xpoints),
                                gridOption(options, "--ypoints", snapshot->system.Ypoints));
    if (calculation.run(snapshot) != engine::Calculation::Outcome::Completed) return 1;
    const std::vector<results::Invariant>& table = calculation.findInvariants();
    if (format == "csv")
        cli::writeInvariantsCsv(out, table);
    else if (format == "json")
        cli::writeInvariantsJson(out, table);
    else
        cli::writeInvariantsText(out, table);
    return 0;
}

const cli::CommandRegistration registration(
    "invariants", "invariants --db DIR --system DESIGNATION [--xpoints N] [--ypoints N] [--format text|csv|json]",
    runInvariants);

}  // namespace
