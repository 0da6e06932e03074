// Opening, saving, creating and switching databases, and the read-only lock.
#include <gtest/gtest.h>

#include "db/terminate_request.h"
#include "db_fixture.h"
#include "store/table_file.h"

namespace {

using dbtest::DbTest;
using store::TableFile;
using store::Value;

// Contents of the six tables as held in memory, for comparing two databases.
std::vector<store::TableContents> contentsOf(db::TDM& dm) {
    return {dm.tblSystems.contents(), dm.tblPhases.contents(), dm.tblGibbs.contents(),
            dm.tblStability.contents(), dm.tblStabDet.contents(), dm.tblExperiment.contents()};
}

class DatabaseTest : public DbTest {
protected:
    // Two systems with phases, Gibbs-energy records, experiments and a stability parameter.
    void fill() {
        addSystem("Pb+Sn");
        addPhase("LIQUID");
        addGibbs(298.15, 600.61, "-2977.961+93.949561*T\r\n-24.5242231*T*LN(T)");
        addGibbs(600.61, 1200, "-5677.958+146.176046*T");
        addPhase("BCT_A5");
        addExperiment(0.739, 456.15);
        addSystem("Cu+Ni");
        dm->tblSystems.edit();
        dm->tblSystems.setString("Comment", "Медь–никель, с магнитным вкладом");
        dm->tblSystems.setFloat("Zvalue", 1.0 / 3.0);
        dm->tblSystems.post();
        addPhase("FCC_A1");
        addGibbs(298.15, 3200, "{GHSERCU}");
        dm->tblStability.insert();
        dm->tblStability.setString("Designation", "GHSERCU");
        dm->tblStability.post();
        dm->tblStabDet.insert();
        dm->tblStabDet.setFloat("Tmin", 298.15);
        dm->tblStabDet.setFloat("Tmax", 1357.77);
        dm->tblStabDet.setString("Expression", "-7770.458+130.485235*T");
        dm->tblStabDet.post();
    }
};

TEST_F(DatabaseTest, StartOpensTheTablesWithTheLockOnAndTheCaption) {
    db::TDM fresh(dialogs);
    fresh.addObserver(&window);
    const int yChangesBefore = window.yChanges;
    fresh.Start(dir);
    EXPECT_EQ(fresh.Caption(), "Database: " + dir);
    EXPECT_TRUE(fresh.ReadOnlyLock());
    EXPECT_FALSE(fresh.tblSystems.readOnly());
    for (store::Table* t : {&fresh.tblPhases, &fresh.tblGibbs, &fresh.tblStability, &fresh.tblStabDet,
                            &fresh.tblExperiment})
        EXPECT_TRUE(t->readOnly()) << t->name();
    EXPECT_GT(window.yChanges, yChangesBefore);
}

TEST_F(DatabaseTest, MissingTableFileAtStartAsksTheProgramToEnd) {
    std::filesystem::remove(dir + "stability_detail.d");
    db::TDM fresh(dialogs);
    EXPECT_THROW(fresh.Start(dir), db::TerminateRequest);
    EXPECT_EQ(dialogs.texts("error"), std::vector<std::string>{"Can not open database files\rCannot read the table file " +
                                                               dir + "stability_detail.d: the file does not exist"});
}

TEST_F(DatabaseTest, SavedDatabaseReopensIdentical) {
    fill();
    dm->SaveDatabase();
    EXPECT_FALSE(dm->HasUnsavedChanges());
    db::TDM other(dialogs);
    other.Start(dir);
    EXPECT_EQ(contentsOf(other), contentsOf(*dm));
    ASSERT_TRUE(other.tblSystems.locate("System_designation", Value{std::string("Pb+Sn")}));
    EXPECT_EQ(other.tblPhases.recordCount(), 2);
    EXPECT_EQ(other.tblGibbs.asString("Expression"), "-2977.961+93.949561*T\r\n-24.5242231*T*LN(T)");
}

TEST_F(DatabaseTest, SystemsFileIsWrittenInElementOrder) {
    for (const char* d : {"Zn+Cu", "Al+Si", "Al+Mg+Si", "Al+Mg"}) addSystem(d);
    dm->SaveDatabase();
    const auto file = TableFile::load(dir + "systems.d");
    const int field = file.schema.indexOf("System_designation");
    std::vector<std::string> order;
    for (const auto& r : file.records) order.push_back(std::get<std::string>(r[static_cast<std::size_t>(field)]));
    EXPECT_EQ(order, (std::vector<std::string>{"Al+Mg", "Al+Mg+Si", "Al+Si", "Zn+Cu"}));
}

TEST_F(DatabaseTest, PendingEditIsPostedBySaveAndARefusedPostStopsTheSave) {
    addSystem("Cu+Ni");
    addPhase("FCC");
    dm->SaveDatabase();
    const auto before = fileBytes(dir);
    dm->tblSystems.edit();
    dm->tblSystems.setString("Comment", "edited");
    dm->tblGibbs.insert();  // no expression: its post is refused
    EXPECT_THROW(dm->SaveDatabase(), util::SilentAbort);
    EXPECT_EQ(dialogs.texts("error"), std::vector<std::string>{"Function is not specified"});
    EXPECT_EQ(fileBytes(dir), before);
    dm->tblGibbs.cancel();
    dm->SaveDatabase();
    db::TDM other(dialogs);
    other.Start(dir);
    EXPECT_EQ(other.tblSystems.asString("Comment"), "edited");
}

TEST_F(DatabaseTest, SaveFailingHalfWayLeavesEveryFileAsItWasAndReportsTheError) {
    fill();
    dm->SaveDatabase();
    const auto before = fileBytes(dir);
    addSystem("Al+Zn");
    addPhase("HCP_A3");
    addGibbs(298.15, 700);
    TableFile::writeFaultHook() = [](const std::string& path) {
        if (path.find("gibbs_energy.d") != std::string::npos) throw util::Error("No space left on device");
    };
    EXPECT_EQ(errorOf([&] { dm->SaveDatabase(); }), "No space left on device");
    EXPECT_EQ(fileBytes(dir), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 6);
    EXPECT_TRUE(dm->HasUnsavedChanges());  // the edits are still in memory and can be saved later
    TableFile::writeFaultHook() = nullptr;
    dm->SaveDatabase();
    EXPECT_EQ(TableFile::load(dir + "systems.d").records.size(), 3u);
}

TEST_F(DatabaseTest, EditsNotSavedLeaveTheFilesUnchanged) {
    const auto before = fileBytes(dir);
    fill();
    dm.reset();  // the program ends without "Сохранить"
    EXPECT_EQ(fileBytes(dir), before);
}

TEST_F(DatabaseTest, ChangingTheLockShowsTheTablesAsInTheirFiles) {
    addSystem("Cu+Ni");
    dm->SaveDatabase();
    addPhase("FCC");
    addSystem("Pb+Sn");
    dm->SetReadOnlyLock(true);
    EXPECT_EQ(dm->tblSystems.recordCount(), 1);
    EXPECT_TRUE(dm->tblPhases.isEmpty());
    EXPECT_TRUE(dm->tblPhases.readOnly());
    dm->SetReadOnlyLock(false);
    EXPECT_FALSE(dm->tblGibbs.readOnly());
    addPhase("FCC");
    EXPECT_EQ(dm->tblPhases.recordCount(), 1);
}

TEST_F(DatabaseTest, LockSwitchThatCannotReadAFileKeepsTablesAndLock) {
    addSystem("Cu+Ni");
    std::filesystem::remove(dir + "experim_data.d");
    EXPECT_NE(errorOf([&] { dm->SetReadOnlyLock(true); }).find("experim_data.d"), std::string::npos);
    EXPECT_FALSE(dm->ReadOnlyLock());
    EXPECT_FALSE(dm->tblPhases.readOnly());
    EXPECT_EQ(dm->tblSystems.recordCount(), 1);  // the unsaved system is still there to be saved
}

TEST_F(DatabaseTest, OpenAsksBeforeDroppingEditsAndNeverWritesThemIntoTheNewDirectory) {
    fill();
    dm->SaveDatabase();
    const std::string other = makeDirectory("other");
    db::createEmptyDatabase(other);
    addSystem("Al+Zn");

    dialogs.answerConfirm(false);
    EXPECT_FALSE(dm->OpenDatabase(other));
    EXPECT_EQ(dm->DatabaseDirectory(), dir);
    EXPECT_EQ(dm->tblSystems.recordCount(), 3);

    dialogs.answerConfirm(true);
    EXPECT_TRUE(dm->OpenDatabase(other));
    EXPECT_EQ(dm->Caption(), "Database: " + other);
    EXPECT_TRUE(dm->tblSystems.isEmpty());
    EXPECT_FALSE(dm->ReadOnlyLock());  // the lock is kept as it was
    EXPECT_FALSE(dm->tblPhases.readOnly());
    dm->SaveDatabase();
    EXPECT_TRUE(TableFile::load(other + "systems.d").records.empty());  // the dropped edit went nowhere
    EXPECT_EQ(TableFile::load(dir + "systems.d").records.size(), 2u);
    EXPECT_EQ(dialogs.texts("confirm").size(), 2u);

    // Back to the first database: opening without unsaved edits asks nothing.
    EXPECT_TRUE(dm->OpenDatabase(dir));
    EXPECT_EQ(dm->tblSystems.recordCount(), 2);
}

TEST_F(DatabaseTest, OpenOfADirectoryWithABadFileKeepsTheOpenDatabase) {
    fill();
    dm->SaveDatabase();
    const std::string other = makeDirectory("broken");
    db::createEmptyDatabase(other);
    std::ofstream(other + "phases.d", std::ios::trunc) << "garbage";
    const std::string error = errorOf([&] { dm->OpenDatabase(other); });
    EXPECT_NE(error.find("phases.d"), std::string::npos) << error;
    EXPECT_EQ(dm->DatabaseDirectory(), dir);
    EXPECT_EQ(dm->tblSystems.recordCount(), 2);
    EXPECT_EQ(bytes(other + "phases.d"), "garbage");
}

TEST_F(DatabaseTest, CreateWritesEmptyTablesWithTheFieldsOfTheOpenDatabase) {
    fill();
    dm->SaveDatabase();
    const std::string target = makeDirectory("new");
    EXPECT_TRUE(dm->CreateDatabase(target));
    EXPECT_EQ(dm->DatabaseDirectory(), target);
    EXPECT_TRUE(dm->ReadOnlyLock());  // OpenDatabaseTables locks the five tables again
    for (const auto& def : db::tableDefinitions()) {
        const auto created = TableFile::load(target + def.fileName);
        EXPECT_TRUE(created.records.empty()) << def.fileName;
        EXPECT_EQ(created.schema, TableFile::load(dir + def.fileName).schema) << def.fileName;
    }
    EXPECT_TRUE(dm->tblSystems.isEmpty());
    EXPECT_EQ(TableFile::load(dir + "systems.d").records.size(), 2u);  // the source is untouched
}

TEST_F(DatabaseTest, CreateOverTheCurrentDirectoryEmptiesIt) {
    fill();
    dm->SaveDatabase();
    EXPECT_TRUE(dm->CreateDatabase(dir));
    EXPECT_TRUE(dm->tblSystems.isEmpty());
    for (const auto& def : db::tableDefinitions())
        EXPECT_TRUE(TableFile::load(dir + def.fileName).records.empty()) << def.fileName;
}

TEST_F(DatabaseTest, InitRefusesToOverwriteAnExistingDatabase) {
    fill();
    dm->SaveDatabase();
    const auto before = fileBytes(dir);
    EXPECT_NE(errorOf([&] { db::createEmptyDatabase(dir); }).find("exists already"), std::string::npos);
    EXPECT_EQ(fileBytes(dir), before);
}

}  // namespace
