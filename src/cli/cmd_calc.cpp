// ravo-cli calc: computes the phase diagram of one system with the same engine as the program and
// writes the phase matrix, the boundary points and the nodes as CSV files and the other special
// points as text.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <ostream>

#include "calc/functions_phase_source.h"
#include "calc/grid_run.h"
#include "calc/system_record.h"
#include "cli/command.h"
#include "cli/console_dialogs.h"
#include "db/tdm.h"
#include "functions/phase_functions.h"
#include "functions/tdm_function_source.h"
#include "results/special_point_files.h"
#include "results/special_point_search.h"
#include "results/special_points.h"
#include "util/atomic_file.h"
#include "util/errors.h"
#include "util/number_format.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A progress line on the error stream, rewritten at most five times a second.
class ProgressLine : public calc::RunObserver {
public:
    ProgressLine(std::ostream& err, const calc::GridRun& run, int rows) : err_(err), run_(run), rows_(rows) {}
    void yield() override {
        const auto now = Clock::now();
        if (now - last_ < std::chrono::milliseconds(200)) return;
        last_ = now;
        err_ << "\rrow " << run_.parameters().RowIndex + 1 << " of " << rows_ << ", "
             << run_.statusText(run_.parameters().YCurrent) << "   " << std::flush;
        shown_ = true;
    }
    void runFinished(bool) override {
        if (shown_) err_ << "\n";
    }

private:
    std::ostream& err_;
    const calc::GridRun& run_;
    int rows_;
    Clock::time_point last_ = Clock::now();
    bool shown_ = false;
};

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

void writeMatrix(std::ostream& out, const calc::PhaseMatrix& matrix) {
    for (int r = 0; r < matrix.rowCount(); ++r) {
        for (int c = 0; c < matrix.colCount(); ++c) out << (c ? "," : "") << csvField(matrix.text(c, r));
        out << "\n";
    }
}

void writeBoundaries(std::ostream& out, const calc::RunResults& results) {
    out << "X,Y,Column,PhaseName\n";
    for (const calc::TZPoint& p : results.boundaries())
        out << util::formatGeneral(p.X, '.') << "," << util::formatGeneral(p.Y, '.') << "," << p.Column << ","
            << csvField(std::string(p.PhaseName)) << "\n";
}

template <typename Write>
void writeFile(const fs::path& path, Write write) {
    util::WriteFileReplacing(path.string(), [&](std::ostream& out) { write(out); });
}

int positiveOption(const cli::Options& options, const std::string& name, int fallback) {
    if (!options.has(name)) return fallback;
    const int value = options.getInt(name, -1);
    if (value < 1) throw cli::UsageError{name + " must be a positive whole number"};
    return value;
}

int runCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const cli::Options options = cli::parseOptions(args, {"--db", "--system", "--xpoints", "--ypoints", "--out"});
    if (!options.positional.empty()) throw cli::UsageError{"unexpected argument " + options.positional.front()};
    const std::string directory = options.require("--db");
    const std::string designation = options.require("--system");
    const fs::path outDir = options.get("--out", ".");

    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM tdm(dialogs);
    tdm.Start(directory);
    if (!tdm.tblSystems.locate("System_designation", store::Value{designation}))
        throw util::Error("System " + designation + " not found");
    tdm.PostPendingEdits();
    calc::SystemRecord system = calc::ReadSystemRecord(tdm.tblSystems);
    system.Xpoints = positiveOption(options, "--xpoints", system.Xpoints);
    system.Ypoints = positiveOption(options, "--ypoints", system.Ypoints);

    calc::GridRun run('.');
    functions::PhaseFunctions phaseFunctions(run.parameters(), dialogs, '.');
    functions::TdmFunctionSource source(tdm);
    calc::FunctionsPhaseSource phases(phaseFunctions, source);
    ProgressLine progress(err, run, std::max(system.Ypoints, 1) + 1);

    const auto start = Clock::now();
    const calc::GridRun::Outcome outcome = run.run(system, phases, progress, dialogs);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (outcome != calc::GridRun::Outcome::Completed) return 1;

    fs::create_directories(outDir);
    writeFile(outDir / "matrix.csv", [&](std::ostream& file) { writeMatrix(file, run.results().matrix); });
    writeFile(outDir / "boundaries.csv", [&](std::ostream& file) { writeBoundaries(file, run.results()); });
    const calc::PhaseMatrix& matrix = run.results().matrix;
    results::SpecialPoints special;
    results::FindSpecialPoints(matrix, run.parameters().YParameter, '.', special);
    writeFile(outDir / "nodes.csv", [&](std::ostream& file) { results::writeNodesCsv(file, special.nodes(), '.'); });
    writeFile(outDir / "special.txt",
              [&](std::ostream& file) { results::writeOtherPointTexts(file, special.otherPoints()); });

    out << "rows: " << matrix.rowCount() - 1 << "\n"
        << "columns: " << matrix.colCount() - 1 << "\n"
        << "boundary points: " << run.results().boundaries().size() << "\n"
        << "time: " << util::formatPicture(seconds, "0.###", '.') << " s\n"
        << "nodes: " << special.nodes().size() << "\n";
    for (const results::TNode& node : special.nodes())
        out << "  Y = " << util::formatGeneral(node.Y, '.') << ": " << util::formatGeneral(node.XLeft, '.') << " | "
            << util::formatGeneral(node.X, '.') << " | " << util::formatGeneral(node.XRight, '.') << "\n";
    out << "other special points: " << special.otherPoints().size() << "\n";
    return 0;
}

const cli::CommandRegistration registration(
    "calc", "calc --db DIR --system DESIGNATION [--xpoints N] [--ypoints N] [--out DIR]", runCalc);

}  // namespace
