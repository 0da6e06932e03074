// ravo-cli invariants and calc --refine on the default database.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/cli_runner.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CliRun;

CliRun ravo(const std::string& arguments) { return testsupport::runRavoCli(arguments); }

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(InvariantsCommand, PrintsTheClassifiedTableInEachFormat) {
    const CliRun text = ravo("invariants --db " RAVO_BIN_DIR " --system Al+Zn");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.output.find("Type"), std::string::npos);
    EXPECT_NE(text.output.find("eutectic           Liquid = Fcc_A1 + Hcp_A3   654.009"), std::string::npos) << text.output;
    EXPECT_NE(text.output.find("monotectoid        Fcc_A1' = Fcc_A1 + Hcp_A3  550.393"), std::string::npos) << text.output;
    EXPECT_NE(text.output.find("critical point"), std::string::npos);
    EXPECT_EQ(text.output.find("not refined"), std::string::npos);

    const CliRun csv = ravo("invariants --db " RAVO_BIN_DIR " --system Pb+Sn --format csv");
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.output.substr(0, csv.output.find('\n')),
              "Type,Reaction,Y,Phase1,X1,Phase2,X2,Phase3,X3,GridY,GridXLeft,GridX,GridXRight,FromNode,Refined,Reason");
    EXPECT_NE(csv.output.find("\neutectic,Liquid = Fcc_A1 + Bct_A5,454.56"), std::string::npos) << csv.output;

    const CliRun json = ravo("invariants --db " RAVO_BIN_DIR " --system Mg+Si --format json");
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.output.find("{\"type\": \"congruent melting\", \"reaction\": \"Liquid = Mg2Si\", \"y\": 1349.49"),
              std::string::npos)
        << json.output;
}

TEST(InvariantsCommand, WrongWordsAreUsageErrors) {
    struct Case {
        const char* arguments;
        const char* text;
    };
    const Case cases[] = {
        {"invariants --db " RAVO_BIN_DIR " --system Pb+Sn --format xml", "--format must be text, csv or json"},
        {"invariants --db " RAVO_BIN_DIR " --system Pb+Sn --xpoints 0", "--xpoints must be a positive whole number"},
        {"invariants --db " RAVO_BIN_DIR, "--system"},
    };
    for (const Case& c : cases) {
        const CliRun run = ravo(c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments;
        EXPECT_NE(run.err.find(c.text), std::string::npos) << c.arguments << ": " << run.err;
    }
}

TEST(CalcCommand, RefineWritesInvariantsAndExactBoundaries) {
    const fs::path out = fs::temp_directory_path() / ("ravo_refine_" + std::to_string(getpid()));
    fs::remove_all(out);
    const CliRun plain = ravo("calc --db " RAVO_BIN_DIR " --system Pb+Sn --out " + (out / "plain").string());
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_FALSE(fs::exists(out / "plain" / "invariants.csv"));
    const CliRun refined = ravo("calc --db " RAVO_BIN_DIR " --system Pb+Sn --refine --out " + (out / "refined").string());
    ASSERT_EQ(refined.status, 0) << refined.err;
    EXPECT_NE(slurp(out / "refined" / "invariants.csv").find("eutectic,Liquid = Fcc_A1 + Bct_A5,454.56"),
              std::string::npos);

    // The refined file has a line for every boundary point of the plain one, at the same Y and
    // phase, its grid composition kept beside the exact one.
    std::istringstream plainLines(slurp(out / "plain" / "boundaries.csv"));
    std::istringstream refinedLines(slurp(out / "refined" / "boundaries.csv"));
    std::string p, r;
    std::getline(plainLines, p);
    std::getline(refinedLines, r);
    EXPECT_EQ(r, "X,Y,Column,PhaseName,GridX,Refined");
    int lines = 0;
    while (std::getline(plainLines, p)) {
        ASSERT_TRUE(std::getline(refinedLines, r));
        ++lines;
        std::vector<std::string> a, b;
        std::stringstream ps(p), rs(r);
        for (std::string field; std::getline(ps, field, ',');) a.push_back(field);
        for (std::string field; std::getline(rs, field, ',');) b.push_back(field);
        ASSERT_EQ(a.size(), 4u);
        ASSERT_EQ(b.size(), 6u);
        EXPECT_EQ(b[1], a[1]);
        EXPECT_EQ(b[3], a[3]);
        EXPECT_EQ(std::stod(b[4]), std::stod(a[0]));
        EXPECT_EQ(b[5], "1") << r;
        EXPECT_LE(std::abs(std::stod(b[0]) - std::stod(a[0])), 0.005 + 1e-9) << r;
    }
    EXPECT_GT(lines, 100);
    fs::remove_all(out);
}

}  // namespace
