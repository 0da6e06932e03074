// ravo-cli calc: computes the phase diagram of one system with the same engine as the program and
// writes the phase matrix, the boundary points and the nodes as CSV files and the other special
// points as text.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <ostream>

#include "cli/command.h"
#include "cli/console_dialogs.h"
#include "cli/plot_output.h"
#include "cli/refine_output.h"
#include "cli/system_choice.h"
#include "db/tdm.h"
#include "engine/calculation.h"
#include "results/result_files.h"
#include "results/special_point_files.h"
#include "util/atomic_file.h"
#include "util/errors.h"
#include "util/number_format.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A progress line on the error stream, rewritten at most five times a second.
class ProgressLine : public calc::RowObserver {
public:
    ProgressLine(std::ostream& err, const engine::Calculation& calculation, int rows)
        : err_(err), calculation_(calculation), rows_(rows) {}
    void rowDone(const calc::RowFrame& row) override {
        const auto now = Clock::now();
        if (now - last_ < std::chrono::milliseconds(200)) return;
        last_ = now;
        err_ << "\rrow " << row.rowIndex + 1 << " of " << rows_ << ", " << calculation_.statusText(row.y) << "   "
             << std::flush;
        shown_ = true;
    }
    void runFinished(bool) override {
        if (shown_) err_ << "\n";
    }

private:
    std::ostream& err_;
    const engine::Calculation& calculation_;
    int rows_;
    Clock::time_point last_ = Clock::now();
    bool shown_ = false;
};

template <typename Write>
void writeFile(const fs::path& path, Write write) {
    util::WriteFileReplacing(path.string(), [&](std::ostream& out) { write(out); });
}

void writeMatrix(const fs::path& outDir, const engine::Calculation& calculation) {
    writeFile(outDir / "matrix.csv",
              [&](std::ostream& file) { results::writeMatrixCsv(file, calculation.results().matrix); });
}

void writeBoundaries(const fs::path& outDir, const engine::Calculation& calculation) {
    writeFile(outDir / "boundaries.csv",
              [&](std::ostream& file) { results::writeBoundariesCsv(file, calculation.results().boundaries()); });
}

void writeNodes(const fs::path& outDir, const results::SpecialPoints& special) {
    writeFile(outDir / "nodes.csv", [&](std::ostream& file) { results::writeNodesCsv(file, special.nodes(), '.'); });
}

void writeOtherPoints(const fs::path& outDir, const results::SpecialPoints& special) {
    writeFile(outDir / "special.txt",
              [&](std::ostream& file) { results::writeOtherPointTexts(file, special.otherPoints()); });
}

void printSummary(std::ostream& out, const engine::Calculation& calculation, const results::SpecialPoints& special,
                  double seconds) {
    const calc::PhaseMatrix& matrix = calculation.results().matrix;
    out << "rows: " << matrix.rowCount() - 1 << "\n"
        << "columns: " << matrix.colCount() - 1 << "\n"
        << "boundary points: " << calculation.results().boundaries().size() << "\n"
        << "time: " << util::formatPicture(seconds, "0.###", '.') << " s\n"
        << "nodes: " << special.nodes().size() << "\n";
    for (const results::TNode& node : special.nodes())
        out << "  Y = " << util::formatGeneral(node.Y, '.') << ": " << util::formatGeneral(node.XLeft, '.') << " | "
            << util::formatGeneral(node.X, '.') << " | " << util::formatGeneral(node.XRight, '.') << "\n";
    out << "other special points: " << special.otherPoints().size() << "\n";
}

int positiveOption(const cli::Options& options, const std::string& name, int fallback) {
    if (!options.has(name)) return fallback;
    const int value = options.getInt(name, -1);
    if (value < 1) throw cli::UsageError{name + " must be a positive whole number"};
    return value;
}

int runCalc(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    const bool refine = cli::takeFlag(args, "--refine");
    const cli::Options options =
        cli::parseOptions(args, {"--db", "--system", "--xpoints", "--ypoints", "--out", "--plot"});
    if (!options.positional.empty()) throw cli::UsageError{"unexpected argument " + options.positional.front()};
    const std::string directory = options.require("--db");
    const std::string designation = options.require("--system");
    const fs::path outDir = options.get("--out", ".");
    const std::string plotFile = options.get("--plot");
    if (options.has("--plot") && !cli::isPlotFileName(plotFile))
        throw cli::UsageError{"--plot takes a file name ending in .svg, .pdf or .png"};

    cli::ConsoleDialogs dialogs(std::cin, err);
    db::TDM tdm(dialogs);
    tdm.Start(directory);
    cli::SelectSystem(tdm, designation);
    tdm.PostPendingEdits();

    engine::Calculation calculation(dialogs, '.');
    const auto snapshot = engine::Calculation::takeSnapshot(tdm);
    const int ypoints = positiveOption(options, "--ypoints", snapshot->system.Ypoints);
    calculation.setGridOverride(positiveOption(options, "--xpoints", snapshot->system.Xpoints), ypoints);
    ProgressLine progress(err, calculation, std::max(ypoints, 1) + 1);

    const auto start = Clock::now();
    const engine::Calculation::Outcome outcome = calculation.run(snapshot, progress);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (outcome != engine::Calculation::Outcome::Completed) return 1;

    fs::create_directories(outDir);
    writeMatrix(outDir, calculation);
    writeBoundaries(outDir, calculation);
    const results::SpecialPoints& special = calculation.findSpecialPoints();
    writeNodes(outDir, special);
    writeOtherPoints(outDir, special);
    // The refined tie lines replace the grid's boundaries.csv; invariants.csv is written beside it.
    if (refine) cli::writeRefinedFiles(outDir, calculation);
    if (options.has("--plot")) cli::writePlot(plotFile, calculation, tdm, err);
    printSummary(out, calculation, special, seconds);
    return 0;
}

const cli::CommandRegistration registration(
    "calc",
    "calc --db DIR --system DESIGNATION [--xpoints N] [--ypoints N] [--out DIR] [--refine] [--plot FILE.svg|.pdf|.png]",
    runCalc,
    "Calculates the phase diagram of the system as the program's \"Расчет\" does, on the grid stored\n"
    "with the system, and writes four files (UTF-8, LF line ends, numbers with \".\" in the shortest\n"
    "form that reads back to the same value):\n"
    "  matrix.csv      the phase at every grid point: compositions in the first line, then one line\n"
    "                  per Y from the highest down, Y first; E inside a two-phase field, -(C) marks a\n"
    "                  phase of fixed composition\n"
    "  boundaries.csv  X,Y,Column,PhaseName: the ends of every two-phase field, row by row\n"
    "  nodes.csv       Y,XLeft,X,XRight: three-phase lines (eutectics and the like)\n"
    "  special.txt     other points where the phases change, such as melting points\n"
    "x is the mole fraction of the designation's second element; Y is temperature in K, pressure in\n"
    "bar or a free variable, as the system says. A summary with the nodes follows on the output.\n\n"
    "  --db DIR       the database directory\n"
    "  --system WORD  the system's designation, or its key when two systems carry it\n"
    "  --xpoints N    number of composition intervals instead of the stored one\n"
    "  --ypoints N    number of Y intervals instead of the stored one\n"
    "  --out DIR      where the files go (created when missing); default: the current directory\n"
    "  --refine       also refine the invariants and every boundary point to exact equilibria:\n"
    "                 invariants.csv, and boundaries.csv with the refined points\n"
    "  --plot FILE    draw the phase diagram into FILE (.svg, .pdf or .png) without a window\n");

}  // namespace
