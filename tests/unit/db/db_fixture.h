#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "db/table_definitions.h"
#include "db/tdm.h"
#include "support/scripted_dialogs.h"
#include "util/errors.h"
#include "support/test_helpers.h"

namespace dbtest {

namespace fs = std::filesystem;

// Records what a window following the database would show.
class RecordingWindow : public db::DatabaseObserver {
public:
    int yChanges = 0;
    std::vector<std::string> gibbsPositions;
    std::vector<std::string> stabDetPositions;
    void yMeaningChanged(const db::TDM&) override { ++yChanges; }
    void gibbsPositionChanged(const db::TDM& dm) override { gibbsPositions.push_back(dm.GibbsPositionText()); }
    void stabDetPositionChanged(const db::TDM& dm) override { stabDetPositions.push_back(dm.StabDetPositionText()); }
};

// A fresh empty database in a temporary directory, opened by a TDM with the lock off.
class DbTest : public ::testing::Test {
protected:
    std::string dir;
    testsupport::ScriptedDialogs dialogs;
    RecordingWindow window;
    std::unique_ptr<db::TDM> dm;

    void SetUp() override {
        dir = makeDirectory("main");
        db::createEmptyDatabase(dir);
        dm = std::make_unique<db::TDM>(dialogs);
        dm->addObserver(&window);
        dm->Start(dir);
        dm->SetReadOnlyLock(false);
    }

    void TearDown() override {
        dm.reset();
        store::TableFile::writeFaultHook() = nullptr;
        fs::remove_all(root());
    }

    static fs::path root() {
        return fs::temp_directory_path() /
               ("ravo_db_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                std::to_string(::getpid()));
    }

    // A new empty directory below the test's root, with its trailing separator.
    static std::string makeDirectory(const std::string& name) {
        const fs::path p = root() / name;
        fs::remove_all(p);
        fs::create_directories(p);
        return p.string() + "/";
    }

    void addSystem(const std::string& designation) {
        dm->tblSystems.insert();
        dm->tblSystems.setString("System_designation", designation);
        dm->tblSystems.post();
    }
    void addPhase(const std::string& name) {
        dm->tblPhases.insert();
        dm->tblPhases.setString("Phase_designation", name);
        dm->tblPhases.post();
    }
    void addGibbs(double tmin, double tmax, const std::string& expression = "1000-T") {
        dm->tblGibbs.insert();
        dm->tblGibbs.setFloat("Tmin", tmin);
        dm->tblGibbs.setFloat("Tmax", tmax);
        dm->tblGibbs.setString("Expression", expression);
        dm->tblGibbs.post();
    }
    void addExperiment(double x, double y) {
        dm->tblExperiment.insert();
        dm->tblExperiment.setFloat("X_value", x);
        dm->tblExperiment.setFloat("Y_value", y);
        dm->tblExperiment.post();
    }

    static std::string bytes(const std::string& path) { return testsupport::readFileBytes(path); }
    // The bytes of the six table files of a directory.
    static std::vector<std::string> fileBytes(const std::string& directory) {
        std::vector<std::string> result;
        for (const auto& def : db::tableDefinitions()) result.push_back(bytes(directory + def.fileName));
        return result;
    }

    static std::string errorOf(const std::function<void()>& action) { return testsupport::errorOf(action); }
};

}  // namespace dbtest
