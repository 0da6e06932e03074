#pragma once
// A database in a fresh temporary directory, opened with the edit lock off, for the exchange tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "db/table_definitions.h"
#include "exchange/field_line.h"
#include "db/tdm.h"
#include "support/scripted_dialogs.h"
#include "support/test_helpers.h"

namespace exchangetest {

// A record as the writer lays it out; field values are taken as bytes.
inline std::string record(const std::string& header,
                          std::initializer_list<std::pair<const char*, const char*>> fields) {
    std::string out = header + "\r\n";
    for (const auto& [name, value] : fields) out += exchange::FormatFieldLine(name, value);
    return out + ">\r\n";
}

class ExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "ravo_exchange_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern + "/";
        db::createEmptyDatabase(dir);
        tdm = std::make_unique<db::TDM>(dialogs);
        tdm->Start(dir);
        tdm->SetReadOnlyLock(false);
    }
    void TearDown() override {
        tdm.reset();
        std::filesystem::remove_all(dir);
    }

    // A second empty database, in its own directory below this one.
    std::unique_ptr<db::TDM> emptyDatabase(const std::string& name) {
        const std::string other = dir + name + "/";
        std::filesystem::create_directory(other);
        db::createEmptyDatabase(other);
        auto second = std::make_unique<db::TDM>(dialogs);
        second->Start(other);
        second->SetReadOnlyLock(false);
        return second;
    }

    static std::string readFile(const std::string& path) { return testsupport::readFileBytes(path); }
    static void writeFile(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    // Adds and posts a system; it becomes the current system.
    void addSystem(db::TDM& db, const std::string& designation) {
        db.tblSystems.insert();
        db.tblSystems.setString("System_designation", designation);
        db.tblSystems.post();
    }
    void addPhase(db::TDM& db, const std::string& name) {
        db.tblPhases.insert();
        db.tblPhases.setString("Phase_designation", name);
        db.tblPhases.post();
    }
    void addGibbs(db::TDM& db, double tmin, double tmax, const std::string& expression, const std::string& x = "") {
        db.tblGibbs.insert();
        db.tblGibbs.setFloat("Tmin", tmin);
        db.tblGibbs.setFloat("Tmax", tmax);
        if (!x.empty()) db.tblGibbs.setString("X", x);
        db.tblGibbs.setFloat("Xmin", 0);
        db.tblGibbs.setFloat("Xmax", 1);
        db.tblGibbs.setString("Expression", expression);
        db.tblGibbs.post();
    }

    testsupport::ScriptedDialogs dialogs;
    std::string dir;
    std::unique_ptr<db::TDM> tdm;
};

}  // namespace exchangetest
