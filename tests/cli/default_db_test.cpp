// The default database that the build makes beside ravo-cli from data/: every system of data/ is in it
// once, and each computes to the phase diagram its assessment describes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "support/cli_runner.h"

namespace {

namespace fs = std::filesystem;

using testsupport::CliRun;

CliRun ravo(const std::string& arguments) { return testsupport::runRavoCli(arguments); }

// The designations of the default systems: each exchange file of data/ is named after its system.
std::vector<std::string> defaultSystems() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(RAVO_SOURCE_DIR) / "data"))
        if (entry.path().extension() == ".ter") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(DefaultDatabase, ListsEverySystemOfTheDataFolderOnce) {
    const std::vector<std::string> expected = defaultSystems();
    ASSERT_GE(expected.size(), 4u);
    const CliRun run = ravo("systems --db " RAVO_BIN_DIR);
    ASSERT_EQ(run.status, 0);

    // System lines are "Designation (key N): n phases, m Gibbs-energy records".
    std::vector<std::string> listed;
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
        const auto key = line.find(" (key ");
        if (line.empty() || line[0] == ' ' || key == std::string::npos) continue;
        listed.push_back(line.substr(0, key));
        EXPECT_EQ(line.find(": 0 phases"), std::string::npos) << line;
    }
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, expected);
    EXPECT_NE(run.output.find(std::to_string(expected.size()) + " systems in "), std::string::npos) << run.output;
}

// The phase matrix of one calculated system: Y of each row (from the top) and its cells.
struct Matrix {
    std::vector<double> y;
    std::vector<std::vector<std::string>> cells;

    double step() const { return y.size() > 1 ? y[0] - y[1] : 0; }

    // Number of separate stretches of `phase` along row r (two for a miscibility gap).
    int stretches(std::size_t r, const std::string& phase) const {
        int count = 0;
        for (std::size_t c = 0; c < cells[r].size(); ++c)
            if (cells[r][c] == phase && (c == 0 || cells[r][c - 1] != phase)) ++count;
        return count;
    }
};

Matrix calculate(const std::string& system) {
    const fs::path out = fs::temp_directory_path() / ("ravo_default_db_" + std::to_string(::getpid()));
    fs::remove_all(out);
    const CliRun run = ravo("calc --db " RAVO_BIN_DIR " --system " + system + " --out " + out.string());
    EXPECT_EQ(run.status, 0) << system;
    Matrix matrix;
    std::ifstream in(out / "matrix.csv");
    std::string line;
    std::getline(in, line);  // compositions
    while (std::getline(in, line)) {
        std::stringstream fields(line);
        std::string field;
        std::getline(fields, field, ',');
        matrix.y.push_back(std::stod(field));
        matrix.cells.emplace_back();
        while (std::getline(fields, field, ',')) matrix.cells.back().push_back(field);
    }
    fs::remove_all(out);
    return matrix;
}

// A change of the phase picture from one row to the next, located by the row on its low-temperature
// side (`lowest`) or its high-temperature side, where `stretches` of `phase` are first or last seen.
struct Invariant {
    const char* name;
    const char* system;
    const char* phase;
    int stretches;       // the row shows this many separate stretches of the phase
    bool lowest;         // the lowest such row, else the highest
    double published;    // K, computed from the assessment by an independent hull check
};

// Each row of the stored grid lies within one step of the published temperature: a wrong
// coefficient, element order or unit (per formula instead of per atom) moves these by far more.
TEST(DefaultDatabase, InvariantsLieWithinOneRowOfThePublishedTemperatures) {
    const Invariant cases[] = {
        {"Pb-Sn eutectic", "Pb+Sn", "Liquid", 1, true, 454.562},
        {"Pb melting", "Pb+Sn", "Fcc_A1", 1, false, 600.650},
        {"Al-Zn eutectic", "Al+Zn", "Liquid", 1, true, 654.008},
        {"Al-Zn FCC gap critical point", "Al+Zn", "Fcc_A1", 2, false, 625.71},
        {"Al-Zn monotectoid", "Al+Zn", "Fcc_A1", 2, true, 550.387},
        {"Cu-Ni FCC gap critical point without the magnetic term", "Cu+Ni", "Fcc_A1", 2, false, 639.79},
        {"Mg-Si eutectic L = Hcp + Mg2Si", "Mg+Si", "Liquid", 1, true, 911.876},
        {"Mg2Si congruent melting", "Mg+Si", "Mg2Si-(C)", 1, false, 1349.49},
        {"Al-Si eutectic", "Al+Si", "Liquid", 1, true, 850.151},
    };
    std::string current;
    Matrix matrix;
    for (const Invariant& c : cases) {
        SCOPED_TRACE(c.name);
        if (current != c.system) {
            current = c.system;
            matrix = calculate(c.system);
        }
        ASSERT_GT(matrix.y.size(), 2u);
        int found = -1;
        for (std::size_t r = 0; r < matrix.y.size(); ++r) {
            if (matrix.stretches(r, c.phase) != c.stretches) continue;
            if (c.lowest || found < 0) found = static_cast<int>(r);
        }
        ASSERT_GE(found, 0) << "no row shows " << c.stretches << " stretch(es) of " << c.phase;
        EXPECT_LE(std::fabs(matrix.y[found] - c.published), matrix.step() + 1e-9)
            << "row at " << matrix.y[found] << " K, step " << matrix.step() << " K";
    }
}

// The stored grid of the Cu-Ni system has no invariant; its two-phase band at 1500 K must match the
// published tie line (liquid 0.27100, FCC 0.39919) to within a composition step.
TEST(DefaultDatabase, CopperNickelTieLineAt1500K) {
    const Matrix matrix = calculate("Cu+Ni");
    const auto row = std::find(matrix.y.begin(), matrix.y.end(), 1500.0);
    ASSERT_NE(row, matrix.y.end());
    const std::vector<std::string>& cells = matrix.cells[row - matrix.y.begin()];
    const double dx = 1.0 / static_cast<double>(cells.size() - 1);
    const auto firstE = std::find(cells.begin(), cells.end(), "E");
    const auto firstFcc = std::find(firstE, cells.end(), "Fcc_A1");
    ASSERT_NE(firstE, cells.end());
    ASSERT_NE(firstFcc, cells.end());
    EXPECT_NEAR(static_cast<double>(firstE - cells.begin() - 1) * dx, 0.27100, dx);
    EXPECT_NEAR(static_cast<double>(firstFcc - cells.begin()) * dx, 0.39919, dx);
}

// The three-phase lines of the default systems, as ravo-cli calc reports them in nodes.csv: each
// published invariant appears as one node within one Y step, with its three compositions within a
// few composition steps of the published ones.
struct NodeCase {
    const char* name;
    const char* system;
    double y;                    // K
    double xLeft, x, xRight;     // published compositions; a negative value is not checked
};

TEST(DefaultDatabase, InvariantsAppearAsNodes) {
    const NodeCase cases[] = {
        {"Pb-Sn eutectic", "Pb+Sn", 454.562, 0.2632, 0.7373, 0.9755},
        {"Al-Zn eutectic", "Al+Zn", 654.008, 0.6731, 0.8835, 0.9691},
        {"Al-Zn monotectoid", "Al+Zn", 550.387, 0.1412, 0.5905, 0.9840},
        {"Mg-Si L = Hcp + Mg2Si", "Mg+Si", 911.876, -1, 0.01285, 1.0 / 3},
        {"Mg-Si L = Mg2Si + Si", "Mg+Si", 1216.619, 1.0 / 3, 0.5419, -1},
        {"Al-Si eutectic", "Al+Si", 850.151, 0.01489, 0.12070, -1},
    };
    for (const NodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path out = fs::temp_directory_path() / ("ravo_default_nodes_" + std::to_string(::getpid()));
        fs::remove_all(out);
        ASSERT_EQ(ravo("calc --db " RAVO_BIN_DIR " --system " + std::string(c.system) + " --out " + out.string()).status, 0);
        const Matrix matrix = calculate(c.system);
        const double yStep = matrix.step();
        const double xStep = 1.0 / static_cast<double>(matrix.cells.at(0).size() - 1);
        std::ifstream in(out / "nodes.csv");
        std::string line;
        std::getline(in, line);
        ASSERT_EQ(line, "Y,XLeft,X,XRight");
        int matches = 0;
        while (std::getline(in, line)) {
            double y, xLeft, x, xRight;
            ASSERT_EQ(std::sscanf(line.c_str(), "%lf,%lf,%lf,%lf", &y, &xLeft, &x, &xRight), 4) << line;
            if (std::fabs(y - c.y) > yStep + 1e-9) continue;
            ++matches;
            const std::pair<double, double> compositions[] = {{xLeft, c.xLeft}, {x, c.x}, {xRight, c.xRight}};
            for (const auto& [found, published] : compositions) {
                if (published < 0) continue;
                EXPECT_NEAR(found, published, 3 * xStep) << line;
            }
        }
        EXPECT_EQ(matches, 1);
        fs::remove_all(out);
    }
}

// The four result files of Pb-Sn end every line in LF alone, and every boundary on the grid carries
// exactly the double of its grid composition (0 + 0.005 + 0.005 + ..., 200 intervals): a rounded
// form such as 0.975000000000001 would read back as a different number.
TEST(DefaultDatabase, ResultFilesUseLineFeedsAndExactNumbers) {
    const fs::path out = fs::temp_directory_path() / ("ravo_default_files_" + std::to_string(::getpid()));
    fs::remove_all(out);
    ASSERT_EQ(ravo("calc --db " RAVO_BIN_DIR " --system Pb+Sn --out " + out.string()).status, 0);
    for (const char* name : {"matrix.csv", "boundaries.csv", "nodes.csv", "special.txt"}) {
        const std::string bytes = testsupport::readFileBytes(out / name);
        EXPECT_FALSE(bytes.empty()) << name;
        EXPECT_EQ(bytes.find('\r'), std::string::npos) << name;
        EXPECT_EQ(bytes.back(), '\n') << name;
    }

    std::vector<double> grid{0};
    while (grid.size() < 201) grid.push_back(grid.back() + 1.0 / 200);
    std::ifstream in(out / "boundaries.csv");
    std::string line;
    std::getline(in, line);
    int checked = 0;
    while (std::getline(in, line)) {
        std::stringstream fields(line);
        std::string x, y, column;
        std::getline(fields, x, ',');
        std::getline(fields, y, ',');
        std::getline(fields, column, ',');
        const int c = std::stoi(column);
        ASSERT_GE(c, 1) << line;
        ASSERT_LE(c, 200) << line;
        EXPECT_EQ(std::strtod(x.c_str(), nullptr), grid[static_cast<std::size_t>(c - 1)]) << line;
        ++checked;
    }
    EXPECT_GT(checked, 300);
    fs::remove_all(out);
}

}  // namespace
