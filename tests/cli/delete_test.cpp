// Systems told apart by their keys, chosen by designation or key, and deleted with all their records.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/cli_runner.h"

namespace {

namespace fs = std::filesystem;

using testsupport::CliRun;

CliRun ravo(const std::string& arguments) {
    return testsupport::runRavoCli(arguments, testsupport::ErrorStream::Merged);
}

class DeleteCliTest : public ::testing::Test {
protected:
    fs::path root = fs::temp_directory_path() / ("ravo_delete_cli_" + std::to_string(::getpid()));
    std::string db = (root / "db").string();
    std::string file = (root / "pb_sn.ter").string();

    void SetUp() override {
        fs::remove_all(root);
        fs::create_directories(root);
        ASSERT_EQ(ravo("init --db " + db).status, 0);
        // A system with two phases (three expressions) and an experimental point.
        std::ofstream(file, std::ios::binary)
            << "[SYSTEMS]\r\nSystem_designation\x1F @Pb+Sn\x80\r\n>\r\n"
               "  [PHASES]\r\nPhase_designation\x1F @Liquid\x80\r\n>\r\n"
               "  [GIBBS_ENERGY]\r\nExpression\x1F @-1000\x80\r\n>\r\n"
               "  [GIBBS_ENERGY]\r\nExpression\x1F @-2000\x80\r\n>\r\n"
               "  [PHASES]\r\nPhase_designation\x1F @Fcc_A1\x80\r\n>\r\n"
               "  [GIBBS_ENERGY]\r\nExpression\x1F @-500\x80\r\n>\r\n"
               "  [EXPERIMENT]\r\nX_value\x1F @0.739\x80\r\nY_value\x1F @456\x80\r\n>\r\n";
        std::ofstream(root / "cu_ni.ter", std::ios::binary) << "[SYSTEMS]\r\nSystem_designation\x1F @Cu+Ni\x80\r\n>\r\n";
    }
    void TearDown() override { fs::remove_all(root); }
};

// A file imported twice gives two systems of one designation: the key tells them apart, the
// designation alone is refused, and deleting one by its key leaves the other whole.
TEST_F(DeleteCliTest, TheSecondCopyOfASystemIsDeletedByItsKey) {
    ASSERT_EQ(ravo("import --db " + db + " " + file).status, 0);
    ASSERT_EQ(ravo("import --db " + db + " " + (root / "cu_ni.ter").string()).status, 0);
    ASSERT_EQ(ravo("import --db " + db + " " + file).status, 0);
    const std::string copy = "Pb+Sn (key 3): 2 phases, 3 Gibbs-energy records\n  Liquid: 2\n  Fcc_A1: 1\n";
    EXPECT_EQ(ravo("systems --db " + db).output,
              "Cu+Ni (key 2): 0 phases, 0 Gibbs-energy records\n"
              "Pb+Sn (key 1): 2 phases, 3 Gibbs-energy records\n  Liquid: 2\n  Fcc_A1: 1\n" + copy +
              "3 systems in " + db + "/\n");

    const std::string ambiguous =
        "System Pb+Sn is ambiguous: 2 systems carry this designation, with the keys 1, 3; give the key "
        "instead (--system 1)\n";
    for (const std::string& command : {std::string("delete"), "export --out " + root.string(), std::string("listing")}) {
        const CliRun run = ravo(command + " --db " + db + " --system Pb+Sn");
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.output, ambiguous) << command;
    }

    const CliRun deleted = ravo("delete --db " + db + " --system 3");
    ASSERT_EQ(deleted.status, 0) << deleted.output;
    EXPECT_EQ(deleted.output,
              "Deleted system Pb+Sn (key 3) with 2 phases, 3 Gibbs-energy records and 1 experimental points\n");
    EXPECT_EQ(ravo("systems --db " + db).output,
              "Cu+Ni (key 2): 0 phases, 0 Gibbs-energy records\n"
              "Pb+Sn (key 1): 2 phases, 3 Gibbs-energy records\n  Liquid: 2\n  Fcc_A1: 1\n"
              "2 systems in " + db + "/\n");

    // The one left is named by its designation again, and its exchange file holds its one point.
    const CliRun exported = ravo("export --db " + db + " --system Pb+Sn --out " + root.string() + "/out");
    ASSERT_EQ(exported.status, 0) << exported.output;
    const std::string bytes = testsupport::readFileBytes(root / "out" / "Pb+Sn.ter");
    EXPECT_EQ(bytes.find("[EXPERIMENT]"), bytes.rfind("[EXPERIMENT]"));
    EXPECT_NE(bytes.find("[EXPERIMENT]"), std::string::npos);
}

TEST_F(DeleteCliTest, UnknownSystemsAreNamedWithTheClosestThatExist) {
    const std::string empty = "System Pb+Sn not found: the database holds no system\n";
    EXPECT_EQ(ravo("delete --db " + db + " --system Pb+Sn").output, empty);

    for (const char* system : {"Cu+Ni", "Pb+Sn", "Al+Zn", "Al+Si", "Mg+Si", "Pb+Bi"}) {
        std::ofstream(root / "s.ter", std::ios::binary)
            << "[SYSTEMS]\r\nSystem_designation\x1F @" << system << "\x80\r\n>\r\n";
        ASSERT_EQ(ravo("import --db " + db + " " + (root / "s.ter").string()).status, 0);
    }
    const struct {
        const char* word;
        const char* message;
    } cases[] = {
        {"pb+sn", "System pb+sn not found; the closest of 6 designations: Pb+Sn, Pb+Bi, Al+Si, Al+Zn, Mg+Si "
                  "(ravo-cli systems lists them all)\n"},
        {"99", "System 99 not found; the closest of 6 designations: Al+Si, Al+Zn, Cu+Ni, Mg+Si, Pb+Bi "
               "(ravo-cli systems lists them all)\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = ravo(std::string("delete --db ") + db + " --system " + c.word);
        EXPECT_EQ(run.status, 1) << c.word;
        EXPECT_EQ(run.output, c.message);
    }
    EXPECT_NE(ravo("systems --db " + db).output.find("6 systems"), std::string::npos);
}

}  // namespace
