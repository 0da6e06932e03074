// The phase functions over a copy of the real tables of the data module.
#include <gtest/gtest.h>

#include <cmath>

#include "db/table_definitions.h"
#include "db/tdm.h"
#include "functions/phase_functions.h"
#include "functions/system_listing.h"
#include "functions/memory_source.h"
#include "golden_system.h"
#include "support/scripted_dialogs.h"
#include "temp_directory.h"

namespace functions {
namespace {

using testing::readBytes;
using testing::TempDirectory;
using Shown = testsupport::ScriptedDialogs::Shown;

// A database made through the table store, holding the system of the golden listing.
class SystemSnapshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string dir = database.path().string() + "/";
        db::createEmptyDatabase(dir);
        tdm.Start(dir);
        tdm.SetReadOnlyLock(false);

        testing::GoldenSystem{tdm};
        ASSERT_TRUE(tdm.tblSystems.locate("System_designation", store::Value{std::string("Cu+Ni")}));
        ASSERT_TRUE(dialogs.shown.empty());
    }

    MemorySource snapshot() { return MemorySource::ReadCurrentSystem(tdm); }

    TempDirectory database;
    testsupport::ScriptedDialogs dialogs;
    db::TDM tdm{dialogs};
    RunValues run;
    PhaseFunctions functions{run, dialogs, '.'};
};

TEST_F(SystemSnapshotTest, ListingMatchesTheGoldenFileByteForByte) {
    TempDirectory output;
    tdm.tblStability.last();
    const std::string currentParameter = tdm.tblStability.asString("Designation");
    MemorySource source = snapshot();
    EXPECT_EQ(WriteSystemListing(functions, source, output.path()), "Cu+Ni.txt");
    EXPECT_EQ(readBytes(output.path() / "Cu+Ni.txt"), readBytes(RAVO_TEST_DATA_DIR "/functions/Cu+Ni.txt"));
    EXPECT_EQ(dialogs.shown, (std::vector<Shown>{{"information", "Данные записаны в файл Cu+Ni.txt"}}));
    // Reading the copy moved no cursor.
    EXPECT_EQ(tdm.tblPhases.recNo(), 1);
    EXPECT_EQ(tdm.tblStability.asString("Designation"), currentParameter);
    EXPECT_EQ(tdm.tblSystems.asString("System_designation"), "Cu+Ni");
}

TEST_F(SystemSnapshotTest, AssembledPhasesEvaluateTheSubstitutedElementData) {
    tdm.tblPhases.last();
    const int phasesAt = tdm.tblPhases.recNo();
    MemorySource source = snapshot();
    EXPECT_EQ(tdm.tblPhases.recNo(), phasesAt);
    ASSERT_TRUE(functions.BuildPhaseFunctions(source));
    ASSERT_EQ(functions.SolutionList.count(), 3u);
    EXPECT_EQ(functions.PointPhaseList.name(0), "Compound");
    for (double x : {0.05, 0.5}) functions.CompositionList.add("x", std::make_unique<TXclass>(x));

    const double t = 1500;  // Cu liquid above its melting point, Ni below
    const double cu = -13542.026 + 183.803828 * t - 31.38 * t * std::log(t);
    const double ni = -5179.159 + 117.854 * t - 22.096 * t * std::log(t);
    TG liquid;
    functions.EvaluateSolutionPhase("LIQUID", liquid, t);
    EXPECT_NEAR(liquid[1], 0.5 * cu + 0.5 * ni + 2000, 1e-8 * std::abs(liquid[1]));

    // The window of a phase is that of its last piece, whichever piece applies.
    TG fcc;
    functions.EvaluateSolutionPhase("Fcc", fcc, 500);
    EXPECT_EQ(fcc, (TG{0.05 * 0.95 * -1000, -250}));
    EXPECT_DOUBLE_EQ(functions.EvaluatePointPhase("Compound", 1000), -20000);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SystemSnapshotTest, UnknownReferenceInTheTablesFailsTheAssembly) {
    ASSERT_TRUE(tdm.tblSystems.locate("System_designation", store::Value{std::string("Zn+Zr")}));
    tdm.tblStability.first();
    ASSERT_TRUE(tdm.tblStability.locate("Designation", store::Value{std::string("Zn")}));
    tdm.tblStability.edit();
    tdm.tblStability.setString("Designation", "Zinc");
    tdm.tblStability.post();
    MemorySource source = snapshot();
    EXPECT_FALSE(functions.BuildPhaseFunctions(source));
    EXPECT_EQ(dialogs.shown, (std::vector<Shown>{{"error", "Designation: Zn not found"}}));
}

}  // namespace
}  // namespace functions
