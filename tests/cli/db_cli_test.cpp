// ravo-cli init and systems, run as the built program.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "db/tdm.h"
#include "support/scripted_dialogs.h"
#include "support/cli_runner.h"

namespace {

namespace fs = std::filesystem;

using testsupport::CliRun;

CliRun ravo(const std::string& arguments) {
    return testsupport::runRavoCli(arguments, testsupport::ErrorStream::Merged);
}

class DbCliTest : public ::testing::Test {
protected:
    fs::path root = fs::temp_directory_path() / ("ravo_db_cli_" + std::to_string(::getpid()));
    void SetUp() override { fs::remove_all(root); }
    void TearDown() override { fs::remove_all(root); }
};

TEST_F(DbCliTest, InitCreatesADatabaseThatSystemsListsAfterItWasFilled) {
    const std::string dir = (root / "db").string();
    const CliRun init = ravo("init --db " + dir);
    ASSERT_EQ(init.status, 0) << init.output;
    EXPECT_EQ(ravo("systems --db " + dir).output, "0 systems in " + dir + "/\n");

    {
        testsupport::ScriptedDialogs dialogs;
        db::TDM dm(dialogs);
        dm.Start(dir);
        dm.SetReadOnlyLock(false);
        auto add = [&](store::Table& t, const char* field, const char* value) {
            t.insert();
            t.setString(field, value);
            if (&t == &dm.tblGibbs) t.setString("Expression", "-1000+T");
            t.post();
        };
        add(dm.tblSystems, "System_designation", "Pb+Sn");
        add(dm.tblPhases, "Phase_designation", "LIQUID");
        add(dm.tblGibbs, "X", "");
        add(dm.tblGibbs, "X", "");
        add(dm.tblPhases, "Phase_designation", "BCT_A5");
        add(dm.tblSystems, "System_designation", "Al+Zn");
        dm.SaveDatabase();
    }
    const CliRun list = ravo("systems --db " + dir + "/");
    EXPECT_EQ(list.status, 0) << list.output;
    EXPECT_EQ(list.output,
              "Al+Zn (key 2): 0 phases, 0 Gibbs-energy records\n"
              "Pb+Sn (key 1): 2 phases, 2 Gibbs-energy records\n"
              "  LIQUID: 2\n"
              "  BCT_A5: 0\n"
              "2 systems in " + dir + "/\n");
}

TEST_F(DbCliTest, InitNeverOverwritesAndSystemsRefusesADamagedDatabase) {
    const std::string dir = (root / "db").string();
    ASSERT_EQ(ravo("init --db " + dir).status, 0);
    const CliRun again = ravo("init --db " + dir);
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.output.find("exists already"), std::string::npos) << again.output;

    fs::remove(dir + "/phases.d");
    const CliRun list = ravo("systems --db " + dir);
    EXPECT_EQ(list.status, 1);
    EXPECT_NE(list.output.find("Can not open database files"), std::string::npos) << list.output;

    EXPECT_EQ(ravo("systems").status, 2);  // --db is required
}

}  // namespace
