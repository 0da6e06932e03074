// Writing the system listing file.
#include <gtest/gtest.h>

#include <sstream>

#include "functions/phase_functions.h"
#include "functions/system_listing.h"
#include "memory_source.h"
#include "support/scripted_dialogs.h"
#include "temp_directory.h"
#include "util/atomic_file.h"
#include "util/cp1251.h"
#include "util/errors.h"

namespace functions {
namespace {

using testing::detail;
using testing::MemorySource;
using testing::readBytes;
using testing::record;
using testing::TempDirectory;
using Shown = testsupport::ScriptedDialogs::Shown;

TEST(WriteListing, WritesCodePage1251WithCrLf) {
    std::ostringstream out;
    WriteListing(out, {"PHASE: Жидкость-(C)", "", "1,5*T"});
    EXPECT_EQ(out.str(), "PHASE: \xC6\xE8\xE4\xEA\xEE\xF1\xF2\xFC-(C)\r\n\r\n1,5*T\r\n");

    std::ostringstream refused;
    EXPECT_THROW(WriteListing(refused, {"ok", "漢"}), util::Error);
    EXPECT_TRUE(refused.str().empty());
}

class SystemListingTest : public ::testing::Test {
protected:
    std::string write() { return WriteSystemListing(functions, source, directory.path()); }

    MemorySource source;
    RunValues run;
    testsupport::ScriptedDialogs dialogs;
    PhaseFunctions functions{run, dialogs, '.'};
    TempDirectory directory;
};

TEST_F(SystemListingTest, WritesTheFileNamedAfterTheDesignationAndTellsTheUser) {
    struct Case {
        const char* designation;
        const char* fileName;
    };
    const Case cases[] = {{"Cu+Ni", "Cu+Ni.txt"}, {"Cu+Ni (жидкость)", "Cu+Ni.txt"}, {"Медь", ".txt"},
                          {"Al-Zn_2=x", "Al-Zn_2=x.txt"}};
    source.phases = {{"L", {record(298, 3000, "-2*T\n*LN(T)")}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.designation);
        dialogs.shown.clear();
        source.designation = c.designation;
        // Assembled for a calculation before: the listing still keeps no evaluator.
        run.CalculationMode = true;
        ASSERT_TRUE(functions.BuildPhaseFunctions(source));

        EXPECT_EQ(write(), c.fileName);
        EXPECT_FALSE(run.CalculationMode);
        EXPECT_EQ(readBytes(directory.path() / c.fileName),
                  "SYSTEM: " + util::utf8ToCp1251(c.designation) +
                      "\r\n\r\nPHASE: L-(C)\r\nTmin = 298  Tmax = 3000\r\n-2*T*LN(T)\r\n\r\n");
        EXPECT_EQ(dialogs.shown, (std::vector<Shown>{{"information", std::string("Данные записаны в файл ") + c.fileName}}));
        EXPECT_TRUE(functions.SolutionList.empty());
        std::filesystem::remove(directory.path() / c.fileName);
    }
}

TEST_F(SystemListingTest, FailedReferenceStillWritesTheLinesMadeSoFar) {
    source.phases = {{"L", {record(298, 3000, "1")}}, {"S", {record(298, 3000, "{Zn}")}}, {"T", {record(1, 2, "3")}}};
    std::ofstream(directory.path() / "A+B.txt") << "old contents that are longer than the listing itself";
    EXPECT_EQ(write(), "A+B.txt");
    EXPECT_EQ(readBytes(directory.path() / "A+B.txt"),
              "SYSTEM: A+B\r\n\r\nPHASE: L-(C)\r\nTmin = 298  Tmax = 3000\r\n1\r\n\r\nPHASE: S-(C)\r\n");
    EXPECT_EQ(dialogs.shown, (std::vector<Shown>{{"error", "Designation: Zn not found"},
                                                 {"information", "Данные записаны в файл A+B.txt"}}));
}

TEST_F(SystemListingTest, UnwritableFileIsAnError) {
    source.phases = {};
    std::filesystem::create_directory(directory.path() / "A+B.txt");
    EXPECT_THROW(write(), util::Error);
    EXPECT_TRUE(dialogs.texts("information").empty());
}

TEST_F(SystemListingTest, FullDiskKeepsTheOldListingAndSaysNothingWritten) {
    source.designation = "A+B";
    source.phases = {{"L", {record(298, 3000, "1")}}};
    std::ofstream(directory.path() / "A+B.txt") << "old listing";
    util::WriteFileReplacingFaultHook() = [](const std::string&) { throw util::Error("No space left on device"); };
    EXPECT_THROW(write(), util::Error);
    util::WriteFileReplacingFaultHook() = nullptr;
    EXPECT_EQ(readBytes(directory.path() / "A+B.txt"), "old listing");
    EXPECT_TRUE(dialogs.texts("information").empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path()), {}), 1);
}

}  // namespace
}  // namespace functions
