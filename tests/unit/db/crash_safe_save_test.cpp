// A save interrupted at any point, by an error or by the death of the process, leaves a database
// that opens either entirely old or entirely new; opening reports which file is wrong and why.
#include <gtest/gtest.h>
#include <algorithm>
#include <sys/wait.h>
#include <unistd.h>

#include "db/terminate_request.h"
#include "db_fixture.h"
#include "store/save_journal.h"
#include "store/table_file.h"

namespace {

namespace fs = std::filesystem;
using dbtest::DbTest;
using store::SaveJournal;
using store::TableFile;

std::vector<store::TableContents> contentsOf(db::TDM& dm) {
    return {dm.tblSystems.contents(), dm.tblPhases.contents(), dm.tblGibbs.contents(),
            dm.tblStability.contents(), dm.tblStabDet.contents(), dm.tblExperiment.contents()};
}

// One point of a save where it may be interrupted: while the new file of a table is being written
// (`table` set), or before a step of the journal's commit (`step` set).
struct Point {
    std::string table;
    std::string step;
    bool savedByThen;  // whether the save counts as done when interrupted here
    std::string name() const { return table.empty() ? step : "writing " + table; }
};

std::vector<Point> everyPoint() {
    std::vector<Point> points;
    for (const auto& def : db::tableDefinitions()) points.push_back({def.fileName, "", false});
    points.push_back({"", "write journal", false});
    points.push_back({"", "place journal", false});
    for (const auto& def : db::tableDefinitions()) points.push_back({"", "replace " + def.fileName, true});
    points.push_back({"", "remove journal", true});
    return points;
}

// Makes the save stop at `point` by calling `stop` there.
void interruptAt(const Point& point, std::function<void()> stop) {
    if (!point.table.empty()) {
        TableFile::writeFaultHook() = [=](const std::string& path) {
            if (path.ends_with("/" + point.table)) stop();
        };
    } else {
        SaveJournal::stepHook() = [=](const std::string& step) {
            if (step == point.step) stop();
        };
    }
}

class CrashSafeSaveTest : public DbTest {
protected:
    std::string backup;
    std::vector<store::TableContents> oldContents;
    std::vector<store::TableContents> newContents;

    void SetUp() override {
        DbTest::SetUp();
        addSystem("Pb+Sn");
        addPhase("LIQUID");
        addGibbs(298.15, 600.61);
        addExperiment(0.739, 456.15);
        dm->SaveDatabase();
        oldContents = contentsOf(*dm);
        backup = makeDirectory("backup");
        for (const auto& def : db::tableDefinitions()) fs::copy_file(dir + def.fileName, backup + def.fileName);

        // The edits the interrupted saves try to put on disk touch every table.
        addSystem("Cu+Ni");
        addPhase("FCC_A1");
        addGibbs(298.15, 3200, "{GHSERCU}");
        addExperiment(0.5, 1500);
        dm->tblStability.insert();
        dm->tblStability.setString("Designation", "GHSERCU");
        dm->tblStability.post();
        dm->tblStabDet.insert();
        dm->tblStabDet.setFloat("Tmax", 1357.77);
        dm->tblStabDet.setString("Expression", "-7770.458+130.485235*T");
        dm->tblStabDet.post();
        newContents = contentsOf(*dm);
    }

    void TearDown() override {
        SaveJournal::stepHook() = nullptr;
        DbTest::TearDown();
    }

    void restoreOldFiles() {
        for (const auto& entry : fs::directory_iterator(dir)) fs::remove(entry.path());
        for (const auto& def : db::tableDefinitions()) fs::copy_file(backup + def.fileName, dir + def.fileName);
    }

    // Opens the directory as the program does at start and tells which database it shows.
    std::string openedState() {
        testsupport::ScriptedDialogs quiet;
        db::TDM reader(quiet);
        reader.Start(dir);
        const auto contents = contentsOf(reader);
        if (contents == oldContents) return "old";
        if (contents == newContents) return "new";
        return "mixture";
    }

    std::vector<std::string> filesInDirectory() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::vector<std::string> sixTableFiles() {
        std::vector<std::string> names;
        for (const auto& def : db::tableDefinitions()) names.push_back(def.fileName);
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(CrashSafeSaveTest, ProcessKilledAtAnyPointLeavesTheOldOrTheNewDatabase) {
    for (const Point& point : everyPoint()) {
        SCOPED_TRACE(point.name());
        restoreOldFiles();
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The process dies on the spot: no destructor, no clean-up of temporary files.
            interruptAt(point, [] { ::_exit(0); });
            try {
                dm->SaveDatabase();
            } catch (...) {
                ::_exit(2);
            }
            ::_exit(3);  // the point was never reached
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_EQ(WEXITSTATUS(status), 0) << "the save was not interrupted there";
        EXPECT_NE(filesInDirectory(), sixTableFiles());  // the interruption left its traces ...
        EXPECT_EQ(openedState(), point.savedByThen ? "new" : "old");
        EXPECT_EQ(filesInDirectory(), sixTableFiles());  // ... and the open cleared them
    }
}

TEST_F(CrashSafeSaveTest, ErrorAtAnyPointLeavesTheOldOrTheNewDatabaseAndTheEditsInMemory) {
    for (const Point& point : everyPoint()) {
        SCOPED_TRACE(point.name());
        restoreOldFiles();
        interruptAt(point, [] { throw util::Error("No space left on device"); });
        EXPECT_EQ(errorOf([&] { dm->SaveDatabase(); }), "No space left on device");
        TableFile::writeFaultHook() = nullptr;
        SaveJournal::stepHook() = nullptr;
        EXPECT_TRUE(dm->HasUnsavedChanges());
        if (!point.savedByThen) {
            EXPECT_EQ(filesInDirectory(), sixTableFiles());  // nothing left behind
        }
        EXPECT_EQ(openedState(), point.savedByThen ? "new" : "old");
        EXPECT_EQ(filesInDirectory(), sixTableFiles());
    }
    // The edits are still there to be saved once the disk has room again.
    restoreOldFiles();
    dm->SaveDatabase();
    EXPECT_EQ(openedState(), "new");
}

TEST_F(CrashSafeSaveTest, EveryWayOfOpeningFinishesAnInterruptedSave) {
    const std::string elsewhere = makeDirectory("elsewhere");
    db::createEmptyDatabase(elsewhere);
    // How a second data module meets the directory: where it stands before the save, and how it
    // opens the directory after it.
    struct Way {
        const char* name;
        std::string before;
        std::function<void(db::TDM&)> open;
    };
    const std::vector<Way> ways{
        {"start", "", [&](db::TDM& reader) { reader.Start(dir); }},
        {"open", elsewhere, [&](db::TDM& reader) { EXPECT_TRUE(reader.OpenDatabase(dir)); }},
        {"lock switch", dir, [&](db::TDM& reader) { reader.SetReadOnlyLock(false); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        restoreOldFiles();
        testsupport::ScriptedDialogs quiet;
        db::TDM reader(quiet);
        if (!way.before.empty()) reader.Start(way.before);
        interruptAt(Point{"", "replace phases.d", true}, [] { throw util::Error("I/O error"); });
        EXPECT_EQ(errorOf([&] { dm->SaveDatabase(); }), "I/O error");
        SaveJournal::stepHook() = nullptr;
        ASSERT_TRUE(fs::exists(dir + SaveJournal::kFileName));
        way.open(reader);
        EXPECT_EQ(contentsOf(reader), newContents);
        EXPECT_EQ(filesInDirectory(), sixTableFiles());
    }
}

TEST_F(CrashSafeSaveTest, SavingAgainAfterAFailedRenameLeavesNoFileBehind) {
    interruptAt(Point{"", "replace gibbs_energy.d", true}, [] { throw util::Error("I/O error"); });
    EXPECT_EQ(errorOf([&] { dm->SaveDatabase(); }), "I/O error");
    SaveJournal::stepHook() = nullptr;
    addSystem("Al+Zn");
    newContents = contentsOf(*dm);
    dm->SaveDatabase();
    EXPECT_EQ(filesInDirectory(), sixTableFiles());
    EXPECT_EQ(openedState(), "new");
}

TEST_F(CrashSafeSaveTest, DamagedJournalStopsTheOpenWithItsNameAndRenamesNothing) {
    restoreOldFiles();
    std::ofstream(dir + SaveJournal::kFileName, std::ios::binary) << "ravo-save-journal 1\nsystems.d.saving-1-0\tsys";
    const auto before = fileBytes(dir);
    db::TDM reader(dialogs);
    EXPECT_THROW(reader.Start(dir), db::TerminateRequest);
    EXPECT_EQ(dialogs.texts("error"),
              std::vector<std::string>{"Can not open database files\rCannot finish the interrupted save: the save journal " +
                                       dir + SaveJournal::kFileName + " is damaged"});
    EXPECT_EQ(fileBytes(dir), before);
}

TEST_F(CrashSafeSaveTest, TemporaryFilesOfARunningSaveAreLeftAlone) {
    // A file named as the temporary of a save by a living process (this test's parent) stays.
    const std::string running = dir + "phases.d.saving-" + std::to_string(::getppid()) + "-0";
    std::ofstream(running) << "in progress";
    openedState();
    EXPECT_TRUE(fs::exists(running));
}

// The second line of "Can not open database files" tells which file is wrong and why.
TEST_F(DbTest, OpenErrorNamesTheFileAndTheReason) {
    struct Case {
        const char* name;
        std::function<void(const std::string& dir)> damage;
        std::string file;
        std::string reason;
    };
    const std::vector<Case> cases{
        {"missing", [](const std::string& d) { fs::remove(d + "stability_detail.d"); }, "stability_detail.d",
         "does not exist"},
        {"garbage", [](const std::string& d) { std::ofstream(d + "phases.d", std::ios::trunc) << "garbage"; },
         "phases.d", "not a table file"},
        {"truncated",
         [](const std::string& d) {
             const std::string whole = testsupport::readFileBytes(d + "systems.d");
             std::ofstream(d + "systems.d", std::ios::trunc | std::ios::binary) << whole.substr(0, whole.size() / 2);
         },
         "systems.d", "truncated"},
        {"other fields",
         [](const std::string& d) { fs::copy_file(d + "stability_params.d", d + "gibbs_energy.d", fs::copy_options::overwrite_existing); },
         "gibbs_energy.d", "has no field"},
    };
    addSystem("Pb+Sn");
    dm->SaveDatabase();
    const std::string good = makeDirectory("good");
    for (const auto& def : db::tableDefinitions()) fs::copy_file(dir + def.fileName, good + def.fileName);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string broken = makeDirectory(c.name);
        for (const auto& def : db::tableDefinitions()) fs::copy_file(good + def.fileName, broken + def.fileName);
        c.damage(broken);
        testsupport::ScriptedDialogs seen;
        db::TDM reader(seen);
        EXPECT_THROW(reader.Start(broken), db::TerminateRequest);
        ASSERT_EQ(seen.texts("error").size(), 1u);
        const std::string text = seen.texts("error").front();
        const std::string first = "Can not open database files\r";
        ASSERT_EQ(text.substr(0, first.size()), first);
        const std::string second = text.substr(first.size());
        EXPECT_NE(second.find(broken + c.file), std::string::npos) << second;
        EXPECT_NE(second.find(c.reason), std::string::npos) << second;
    }
}

}  // namespace
