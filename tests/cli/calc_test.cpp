// ravo-cli calc, run as the built program on a Cu-Ni database entered through the table store.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "db/tdm.h"
#include "support/scripted_dialogs.h"
#include "support/cli_runner.h"

namespace {

namespace fs = std::filesystem;

using testsupport::CliRun;

CliRun ravo(const std::string& arguments) { return testsupport::runRavoCli(arguments); }

std::vector<std::vector<std::string>> readCsv(const fs::path& path) {
    std::ifstream in(path);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    while (std::getline(in, line)) {
        rows.emplace_back();
        std::stringstream fields(line);
        std::string field;
        while (std::getline(fields, field, ',')) rows.back().push_back(field);
    }
    return rows;
}

// Cu-Ni (x = mole fraction of Ni) from the assessment in CuNi.tdb, without the magnetic term,
// written out for 1357.77 K <= T <= 1728 K, where each unary has a single temperature piece.
const char* const kGhserCu = "(-13542.026+183.803828*T-31.38*T*LN(T)+364.167E27*T^(-9))";
const char* const kGliqCu = "(-46.545+173.881484*T-31.38*T*LN(T))";
const char* const kGhserNi = "(-5179.159+117.854*T-22.096*T*LN(T)-4.8407E-3*T^2)";

std::string fccExpression() {
    return std::string("(1-X)*") + kGhserCu + "+X*" + kGhserNi +
           "-T*SID+X*(1-X)*((8047.72+3.42217*T)+(-2041.30+0.99714*T)*(1-2*X))";
}
std::string liquidExpression() {
    return std::string("(1-X)*") + kGliqCu + "+X*(16414.686-9.397*T-382.318E-23*T^7+" + kGhserNi +
           ")-T*SID+X*(1-X)*((12048.61+1.29093*T)+(-1861.61+0.94201*T)*(1-2*X))";
}

class CalcCliTest : public ::testing::Test {
protected:
    fs::path root = fs::temp_directory_path() / ("ravo_calc_cli_" + std::to_string(::getpid()));
    std::string db = (root / "db").string();
    std::string out = (root / "out").string();

    void SetUp() override {
        fs::remove_all(root);
        ASSERT_EQ(ravo("init --db " + db).status, 0);
        testsupport::ScriptedDialogs dialogs;
        db::TDM dm(dialogs);
        dm.Start(db);
        dm.SetReadOnlyLock(false);
        dm.tblSystems.insert();
        dm.tblSystems.setString("System_designation", "Cu-Ni");
        dm.tblSystems.setString("Element1", "Cu");
        dm.tblSystems.setString("Element2", "Ni");
        dm.tblSystems.setString("Yparameter", "Temperature");
        dm.tblSystems.setFloat("Ymin", 1400);
        dm.tblSystems.setFloat("Ymax", 1600);
        dm.tblSystems.setFloat("Zvalue", 1);
        dm.tblSystems.setInteger("Xpoints", 10);
        dm.tblSystems.setInteger("Ypoints", 2);
        dm.tblSystems.setString("Abbreviations", "#XCAP=x(Ni)\nT = temperature, K % not a directive");
        dm.tblSystems.post();
        for (const auto& [name, expression] :
             {std::pair{"LIQUID", liquidExpression()}, std::pair{"FCC_A1", fccExpression()}}) {
            dm.tblPhases.insert();
            dm.tblPhases.setString("Phase_designation", name);
            dm.tblPhases.post();
            dm.tblGibbs.insert();
            dm.tblGibbs.setFloat("Tmin", 1357.77);
            dm.tblGibbs.setFloat("Tmax", 1728);
            dm.tblGibbs.setString("Expression", expression);
            dm.tblGibbs.post();
        }
        dm.SaveDatabase();
        ASSERT_TRUE(dialogs.shown.empty());
    }
    void TearDown() override { fs::remove_all(root); }
};

TEST_F(CalcCliTest, ComputesTheSolidusAndLiquidusOfCuNi) {
    const CliRun run = ravo("calc --db " + db + " --system Cu-Ni --xpoints 1000 --out " + out);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("rows: 3\ncolumns: 1001\nboundary points: 6\ntime: "), std::string::npos) << run.output;

    const auto matrix = readCsv(fs::path(out) / "matrix.csv");
    ASSERT_EQ(matrix.size(), 4u);
    ASSERT_EQ(matrix[0].size(), 1002u);
    EXPECT_EQ(matrix[0][0], " Y/X");
    EXPECT_EQ(matrix[0][501], "0.5");
    EXPECT_EQ(matrix[2][0], "1500");
    EXPECT_EQ(matrix[2][1], "LIQUID");
    EXPECT_EQ(matrix[2][1001], "FCC_A1");

    // The tie line at 1500 K: liquid 0.27100, solid 0.39919 (from the same data, R = 8.31451).
    const auto boundaries = readCsv(fs::path(out) / "boundaries.csv");
    ASSERT_EQ(boundaries.size(), 7u);
    EXPECT_EQ(boundaries[0], (std::vector<std::string>{"X", "Y", "Column", "PhaseName"}));
    EXPECT_EQ(boundaries[3][1], "1500");
    EXPECT_EQ(boundaries[3][3], "FCC_A1");
    EXPECT_NEAR(std::stod(boundaries[3][0]), 0.39919, 0.0015);
    EXPECT_EQ(boundaries[4][3], "LIQUID");
    EXPECT_NEAR(std::stod(boundaries[4][0]), 0.27100, 0.0015);
    EXPECT_EQ(std::stoi(boundaries[4][2]), static_cast<int>(std::lround(std::stod(boundaries[4][0]) * 1000)) + 1);
}

TEST_F(CalcCliTest, RefusalsAndWrongWords) {
    EXPECT_EQ(ravo("calc --db " + db + " --system Ag-Cu --out " + out).status, 1);
    EXPECT_EQ(ravo("calc --db " + db + " --system Cu-Ni --xpoints many").status, 2);
    EXPECT_EQ(ravo("calc --db " + db).status, 2);
    EXPECT_FALSE(fs::exists(fs::path(out) / "matrix.csv"));
}

TEST_F(CalcCliTest, GridsTooLargeAreRefusedAtOnceWithTheGridAndTheLimit) {
    for (const auto& [x, y] : {std::pair{"20000", "20000"}, std::pair{"2000000000", "1"}}) {
        const CliRun run = ravo("calc --db " + db + " --system Cu-Ni --xpoints " + x + " --ypoints " + y + " --out " + out);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(std::string("Error: The grid Xpoints = ") + x + " x Ypoints = " + y + " is too large: "),
                  std::string::npos)
            << run.err;
        EXPECT_NE(run.err.find("\nThe limit is 100000000 cells"), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(fs::path(out) / "matrix.csv"));
    }
}

}  // namespace
