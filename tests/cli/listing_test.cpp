// ravo-cli listing, run as the built program on a database made through the table store.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "db/table_definitions.h"
#include "db/tdm.h"
#include "support/scripted_dialogs.h"
#include "unit/functions/golden_system.h"
#include "support/cli_runner.h"

namespace {

namespace fs = std::filesystem;

using Result = testsupport::CliRun;

// Runs ravo-cli listing with `arguments` in `workingDirectory`; standard error goes with standard output.
Result listing(const fs::path& workingDirectory, const std::string& arguments) {
    return testsupport::runRavoCli("listing " + arguments, testsupport::ErrorStream::Merged, workingDirectory);
}

std::string readBytes(const fs::path& path) { return testsupport::readFileBytes(path); }

class ListingCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(root);
        fs::create_directories(database);
        fs::create_directories(work);
        testsupport::ScriptedDialogs dialogs;
        db::createEmptyDatabase(database.string() + "/");
        db::TDM tdm(dialogs);
        tdm.Start(database.string());
        tdm.SetReadOnlyLock(false);
        functions::testing::GoldenSystem{tdm};
        tdm.SaveDatabase();
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path root = fs::temp_directory_path() / ("ravo_listing_cli_" + std::to_string(::getpid()));
    fs::path database = root / "db";
    fs::path work = root / "work";
};

TEST_F(ListingCliTest, WritesTheListingIntoTheCurrentDirectory) {
    const Result result = listing(work, "--db " + database.string() + " --system Cu+Ni");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output, "Данные записаны в файл Cu+Ni.txt\nCu+Ni.txt\n");
    EXPECT_EQ(readBytes(work / "Cu+Ni.txt"), readBytes(RAVO_TEST_DATA_DIR "/functions/Cu+Ni.txt"));

    const fs::path elsewhere = root / "listings" / "new";
    const Result moved = listing(work, "--db " + database.string() + " --system Cu+Ni --out " + elsewhere.string());
    EXPECT_EQ(moved.status, 0) << moved.output;
    EXPECT_EQ(moved.output, "Данные записаны в файл Cu+Ni.txt\n" + (elsewhere / "Cu+Ni.txt").string() + "\n");
    EXPECT_EQ(readBytes(elsewhere / "Cu+Ni.txt"), readBytes(work / "Cu+Ni.txt"));
}

TEST_F(ListingCliTest, ReportsWhatStopsIt) {
    struct Case {
        const char* name;
        std::string arguments;
        int status;
        std::string output;
    };
    const Case cases[] = {
        {"unknown system", "--db " + database.string() + " --system Xx+Yy", 1,
         "System Xx+Yy not found; the database holds Cu+Ni, Zn+Zr\n"},
        {"no database", "--db " + (root / "none").string() + " --system Cu+Ni", 1,
         "Error: Can not open database files\nCannot read the table file " + (root / "none").string() +
             "/systems.d: the file does not exist\n"},
        {"no system named", "--db " + database.string(), 2,
         "ravo-cli: missing option --system\nusage: ravo-cli listing --db DIR --system DESIGNATION [--out DIR]   "
         "the system's functions as text\n(ravo-cli listing --help tells more)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result result = listing(work, c.arguments);
        EXPECT_EQ(result.status, c.status) << result.output;
        EXPECT_EQ(result.output, c.output);
        EXPECT_TRUE(fs::is_empty(work));
    }
}

}  // namespace
