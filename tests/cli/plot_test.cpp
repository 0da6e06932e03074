// ravo-cli calc --plot: the diagram picture written by the built program, without a display.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/cli_runner.h"

namespace {

namespace fs = std::filesystem;

class CalcPlot : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("ravo_plot_cli_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // A run of the default database's Pb+Sn system on a coarse grid, from `dir` as the current
    // directory, so a "Chart.cfg" there is read.
    testsupport::CliRun plot(const std::string& file) {
        return testsupport::runRavoCli("calc --db " RAVO_BIN_DIR " --system Pb+Sn --xpoints 40 --ypoints 30 --out " +
                                           dir.string() + " --plot " + file,
                                       testsupport::ErrorStream::Apart, dir);
    }

    fs::path dir;
};

TEST_F(CalcPlot, WritesEachPictureTypeWithoutADisplay) {
    struct Case {
        const char* file;
        std::string signature;
    };
    const Case cases[] = {{"pbsn.svg", "<?xml"}, {"pbsn.PDF", "%PDF-"}, {"pbsn.png", "\x89PNG\r\n\x1a\n"}};
    for (const Case& c : cases) {
        const testsupport::CliRun run = plot(c.file);
        ASSERT_EQ(run.status, 0) << c.file << ": " << run.err;
        const std::string bytes = testsupport::readFileBytes(dir / c.file);
        EXPECT_EQ(bytes.substr(0, c.signature.size()), c.signature) << c.file;
        EXPECT_GT(bytes.size(), 2000u) << c.file;
    }
    // Pb+Sn has measured points and a three-phase line: its series end with them.
    const std::string svg = testsupport::readFileBytes(dir / "pbsn.svg");
    EXPECT_NE(svg.find("Границы фаз\nОсобые точки\nНода при"), std::string::npos);
    EXPECT_NE(svg.find("\nЭкспериментальные данные</desc>"), std::string::npos);
}

TEST_F(CalcPlot, RefusesOtherTypesBeforeCalculatingAndReportsADamagedChartCfg) {
    const testsupport::CliRun wrong = plot("pbsn.bmp");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_FALSE(fs::exists(dir / "matrix.csv"));

    std::ofstream(dir / "Chart.cfg", std::ios::binary) << "garbage\r\n";
    const testsupport::CliRun damaged = plot("pbsn.svg");
    EXPECT_EQ(damaged.status, 0);
    EXPECT_NE(damaged.err.find("Chart.cfg, line 1: not a chart settings file; the default appearance is used"),
              std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "pbsn.svg"));
}

}  // namespace
