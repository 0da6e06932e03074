// Output of the refined invariants and boundaries for ravo-cli.
#include "cli/refine_output.h"

#include <algorithm>
#include <fstream>
#include <ostream>

#include "results/invariant_texts.h"
#include "util/errors.h"
#include "util/number_format.h"
#include "util/shortest_number.h"

namespace cli {

namespace {

// Numbers of the csv and json files: the shortest text that reads back to the same double, as in the
// other result files.
std::string general(double value) { return util::formatShortest(value, '.'); }

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            quoted += ' ';
            continue;
        }
        quoted += c;
    }
    return quoted + "\"";
}

std::string status(const results::Invariant& entry) {
    return entry.refined ? "refined" : "not refined: " + entry.reason;
}

}  // namespace

bool takeFlag(std::vector<std::string>& args, const std::string& flag) {
    const auto end = std::remove(args.begin(), args.end(), flag);
    const bool found = end != args.end();
    args.erase(end, args.end());
    return found;
}

void writeInvariantsText(std::ostream& out, const std::vector<results::Invariant>& table) {
    std::vector<std::vector<std::string>> lines{{"Type", "Reaction", "Y", "Compositions", "Grid", "Status"}};
    for (const results::Invariant& entry : table) {
        const results::InvariantTexts texts = results::invariantTexts(entry, '.');
        lines.push_back({results::invariantTypeName(entry.kind), entry.reaction, texts.y, texts.compositions,
                         texts.grid + (entry.fromNode ? " node" : ""), status(entry)});
    }
    std::vector<size_t> widths(6, 0);
    for (const auto& line : lines)
        for (size_t i = 0; i < line.size(); ++i) widths[i] = std::max(widths[i], line[i].size());
    for (const auto& line : lines) {
        std::string text;
        for (size_t i = 0; i < line.size(); ++i) {
            text += line[i];
            if (i + 1 < line.size()) text += std::string(widths[i] - line[i].size() + 2, ' ');
        }
        out << text << "\n";
    }
}

void writeInvariantsCsv(std::ostream& out, const std::vector<results::Invariant>& table) {
    out << "Type,Reaction,Y,Phase1,X1,Phase2,X2,Phase3,X3,GridY,GridXLeft,GridX,GridXRight,FromNode,Refined,Reason\n";
    for (const results::Invariant& entry : table) {
        out << csvField(results::invariantTypeName(entry.kind)) << "," << csvField(entry.reaction) << ","
            << general(entry.y);
        for (size_t i = 0; i < 3; ++i) {
            if (i < entry.phases.size())
                out << "," << csvField(entry.phases[i].name) << "," << general(entry.phases[i].x);
            else
                out << ",,";
        }
        out << "," << general(entry.gridY);
        // One grid composition goes to the middle column.
        std::vector<std::string> grid(3);
        if (entry.gridX.size() == 1) grid[1] = general(entry.gridX[0]);
        for (size_t i = 0; i < entry.gridX.size() && entry.gridX.size() == 3; ++i) grid[i] = general(entry.gridX[i]);
        out << "," << grid[0] << "," << grid[1] << "," << grid[2] << "," << (entry.fromNode ? 1 : 0) << ","
            << (entry.refined ? 1 : 0) << "," << csvField(entry.reason) << "\n";
    }
}

void writeInvariantsJson(std::ostream& out, const std::vector<results::Invariant>& table) {
    out << "[";
    for (size_t k = 0; k < table.size(); ++k) {
        const results::Invariant& entry = table[k];
        out << (k ? ",\n " : "\n ") << "{\"type\": " << jsonString(results::invariantTypeName(entry.kind))
            << ", \"reaction\": " << jsonString(entry.reaction) << ", \"y\": " << general(entry.y)
            << ", \"phases\": [";
        for (size_t i = 0; i < entry.phases.size(); ++i)
            out << (i ? ", " : "") << "{\"name\": " << jsonString(entry.phases[i].name)
                << ", \"x\": " << general(entry.phases[i].x) << "}";
        out << "], \"grid\": {\"y\": " << general(entry.gridY) << ", \"x\": [";
        for (size_t i = 0; i < entry.gridX.size(); ++i) out << (i ? ", " : "") << general(entry.gridX[i]);
        out << "], \"node\": " << (entry.fromNode ? "true" : "false") << "}, \"refined\": "
            << (entry.refined ? "true" : "false");
        if (!entry.refined) out << ", \"reason\": " << jsonString(entry.reason);
        out << "}";
    }
    out << (table.empty() ? "]\n" : "\n]\n");
}

void writeRefinedBoundaries(std::ostream& out, const std::vector<results::RefinedBoundary>& boundaries) {
    out << "X,Y,Column,PhaseName,GridX,Refined\n";
    for (const results::RefinedBoundary& b : boundaries)
        out << general(b.point.X) << "," << general(b.point.Y) << "," << b.point.Column << ","
            << csvField(std::string(b.point.PhaseName)) << "," << general(b.gridX) << "," << (b.refined ? 1 : 0)
            << "\n";
}

void writeRefinedFiles(const std::filesystem::path& outDir, engine::Calculation& calculation) {
    auto write = [](const std::filesystem::path& path, auto&& body) {
        std::ofstream file(path, std::ios::binary);
        body(file);
        if (!file) throw util::Error("Cannot write " + path.string());
    };
    const std::vector<results::Invariant>& table = calculation.findInvariants();
    write(outDir / "invariants.csv", [&](std::ostream& file) { writeInvariantsCsv(file, table); });
    const auto boundaries = calculation.refineBoundaries();
    write(outDir / "boundaries.csv", [&](std::ostream& file) { writeRefinedBoundaries(file, boundaries); });
}

}  // namespace cli
