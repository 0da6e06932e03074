// Deleting a system with everything that belongs to it.
#include "db/system_deletion.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "db_fixture.h"
#include "store/table_file.h"

namespace {

using dbtest::DbTest;
using store::Value;

class SystemDeletionTest : public DbTest {
protected:
    // The same system imported twice, and another one between them.
    void SetUp() override {
        DbTest::SetUp();
        for (const char* designation : {"Pb+Sn", "Cu+Ni", "Pb+Sn"}) {
            addSystem(designation);
            addPhase("LIQUID");
            addGibbs(298, 600);
            addGibbs(600, 1200);
            addPhase("BCT_A5");
            addGibbs(298, 505);
            addExperiment(0.739, 456);
            addExperiment(0.2, 500);
        }
    }
    std::int64_t selectLast(const std::string& designation) {
        for (dm->tblSystems.last(); !dm->tblSystems.bof(); dm->tblSystems.prior())
            if (dm->tblSystems.asString("System_designation") == designation) break;
        return dm->tblSystems.asInteger("System_id");
    }
    // Values of one field over every record of a table file, in file order.
    std::vector<std::int64_t> stored(const std::string& file, const std::string& field) {
        const store::TableContents contents = store::TableFile::load(dir + file);
        const int index = contents.schema.require(field);
        std::vector<std::int64_t> values;
        for (const store::Record& record : contents.records)
            values.push_back(std::get<std::int64_t>(record.at(static_cast<size_t>(index))));
        return values;
    }
    static std::vector<std::int64_t> sorted(std::vector<std::int64_t> values) {
        std::sort(values.begin(), values.end());
        return values;
    }
};

TEST_F(SystemDeletionTest, RemovesTheSystemItsPhasesExpressionsAndPointsAndNothingElse) {
    const std::int64_t second = selectLast("Pb+Sn");
    const db::DeletedSystem deleted = db::DeleteSystem(*dm);
    EXPECT_EQ(deleted.phases, 2);
    EXPECT_EQ(deleted.gibbsRecords, 3);
    EXPECT_EQ(deleted.experimentalPoints, 2);
    dm->SaveDatabase();

    std::vector<std::int64_t> systems = stored("systems.d", "System_id");
    std::sort(systems.begin(), systems.end());
    ASSERT_EQ(systems.size(), 2u);
    EXPECT_EQ(std::count(systems.begin(), systems.end(), second), 0);
    const std::vector<std::int64_t> eachTwice{systems[0], systems[0], systems[1], systems[1]};
    EXPECT_EQ(sorted(stored("phases.d", "FK_system")), eachTwice);
    EXPECT_EQ(sorted(stored("experim_data.d", "system_id")), eachTwice);
    const std::vector<std::int64_t> phases = sorted(stored("phases.d", "Phase_id"));
    EXPECT_EQ(sorted(stored("gibbs_energy.d", "FK_Phase")),
              (std::vector<std::int64_t>{phases[0], phases[0], phases[1], phases[2], phases[2], phases[3]}));
}

TEST_F(SystemDeletionTest, TheReadOnlyLockRefusesBeforeAnythingIsDeleted) {
    dm->SaveDatabase();
    dm->SetReadOnlyLock(true);
    selectLast("Cu+Ni");
    EXPECT_EQ(errorOf([&] { db::DeleteSystem(*dm); }), "Read-only record cannot be deleted");
    EXPECT_EQ(dm->tblSystems.recordCount(), 3);
    EXPECT_EQ(dm->tblPhases.recordCount(), 2);
    EXPECT_EQ(dm->tblExperiment.recordCount(), 2);

    addSystem("Al+Zn");  // no points, no phases: the lock does not hold it
    const db::DeletedSystem deleted = db::DeleteSystem(*dm);
    EXPECT_EQ(deleted.phases + deleted.gibbsRecords + deleted.experimentalPoints, 0);
    EXPECT_EQ(dm->tblSystems.recordCount(), 3);
}

}  // namespace
