#include "store/table.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "util/errors.h"
#include "support/test_helpers.h"

namespace {

using store::Field;
using store::FieldType;
using store::Schema;
using store::Table;
using store::TableState;
using store::Value;

Schema masterSchema() {
    return Schema({Field("Id", FieldType::AutoIncrement), Field("Name", FieldType::String, 20),
                   Field("Key1", FieldType::String, 20), Field("Key2", FieldType::String, 20),
                   Field("Weight", FieldType::Float)});
}

Schema detailSchema() {
    return Schema({Field("Id", FieldType::AutoIncrement), Field("Owner", FieldType::Integer),
                   Field("Name", FieldType::String, 20), Field("T", FieldType::Float)});
}

// A master table in memory with a detail linked by master "id" -> detail "OWNER" (names in other
// letter case on purpose).
class TableTest : public ::testing::Test {
protected:
    Table master{"master", masterSchema()};
    Table detail{"detail", detailSchema()};

    void SetUp() override {
        detail.setMasterLink(master, "id", "OWNER");
        master.open();
        detail.open();
    }

    void addMaster(const std::string& name, const std::string& key1, const std::string& key2 = "") {
        master.insert();
        master.setString("Name", name);
        master.setString("Key1", key1);
        master.setString("Key2", key2);
        master.post();
    }

    void addDetail(const std::string& name, double t = 0) {
        detail.insert();
        detail.setString("Name", name);
        detail.setFloat("T", t);
        detail.post();
    }

    static std::vector<std::string> names(Table& table) {
        std::vector<std::string> result;
        for (int row = 0; row < table.recordCount(); ++row)
            result.push_back(std::get<std::string>(table.valueAt(row, table.fieldIndex("Name"))));
        return result;
    }

    static std::string errorOf(const std::function<void()>& action) { return testsupport::errorOf(action); }
};

TEST_F(TableTest, IndexOrderSortsByEachFieldInTurnAndKeepsInsertionOrderForTies) {
    master.setIndexFieldNames("Key1;Key2");
    addMaster("first b", "B");
    addMaster("a z", "A", "Z");
    addMaster("second b", "B");
    addMaster("a c", "a", "C");  // Latin letters sort without regard to case
    EXPECT_EQ(names(master), (std::vector<std::string>{"a c", "a z", "first b", "second b"}));

    // Posting an edit moves the record to its new place and the cursor follows it.
    ASSERT_TRUE(master.locate("Name", Value{std::string("second b")}));
    master.edit();
    master.setString("Key1", "0");
    master.post();
    EXPECT_EQ(names(master).front(), "second b");
    EXPECT_EQ(master.recNo(), 1);
    EXPECT_EQ(master.asString("Name"), "second b");
}

TEST_F(TableTest, AutoIncrementKeysGrowAndAreNotGivenAgainAfterDelete) {
    addMaster("one", "A");
    addMaster("two", "B");
    EXPECT_EQ(master.asInteger("Id"), 2);
    master.deleteRecord();
    addMaster("three", "C");
    EXPECT_EQ(master.asInteger("Id"), 3);
    EXPECT_EQ(errorOf([&] { master.edit(); master.setInteger("Id", 7); }), "Field 'Id' cannot be modified");
}

TEST_F(TableTest, DetailShowsOnlyTheMastersRecordsAndFollowsEveryMove) {
    addMaster("m1", "A");
    addDetail("a1");
    addDetail("a2");
    EXPECT_EQ(detail.asInteger("owner"), master.asInteger("Id"));  // new record got the master value
    addMaster("m2", "B");
    EXPECT_TRUE(detail.isEmpty());
    addDetail("b1");
    master.first();
    EXPECT_EQ(names(detail), (std::vector<std::string>{"a1", "a2"}));
    EXPECT_EQ(detail.recNo(), 1);
    master.next();
    EXPECT_EQ(names(detail), (std::vector<std::string>{"b1"}));

    // While the master is inserting a record that has no key yet, the detail shows nothing.
    master.insert();
    EXPECT_TRUE(detail.isEmpty());
    master.cancel();
    EXPECT_EQ(names(detail), (std::vector<std::string>{"b1"}));
}

TEST_F(TableTest, MovingTheMasterPostsAChangedDetailRecordAndDropsAnUntouchedInsert) {
    addMaster("m1", "A");
    addMaster("m2", "B");
    master.first();
    detail.insert();
    detail.setString("Name", "typed");
    master.next();
    master.first();
    EXPECT_EQ(names(detail), (std::vector<std::string>{"typed"}));

    detail.insert();  // nothing typed: dropped, not posted as an empty record
    master.next();
    master.first();
    EXPECT_EQ(detail.recordCount(), 1);
}

TEST_F(TableTest, EditingNeedsEditStateAndCancelRestoresTheRecord) {
    EXPECT_EQ(errorOf([&] { master.setString("Name", "x"); }), "Dataset not in edit or insert mode");
    addMaster("kept", "A");
    master.edit();
    master.setString("name", "changed");  // field names without regard to case
    EXPECT_EQ(master.asString("NAME"), "changed");
    master.cancel();
    EXPECT_EQ(master.asString("Name"), "kept");
    EXPECT_EQ(master.state(), TableState::Browse);
    EXPECT_EQ(errorOf([&] { (void)master.value("Nope"); }), "Field 'Nope' not found");
}

TEST_F(TableTest, DeleteInInsertStateCancelsAndDeletingTheLastMovesToTheNewLast) {
    addMaster("a", "A");
    addMaster("b", "B");
    addMaster("c", "C");
    master.insert();
    master.deleteRecord();
    EXPECT_EQ(master.recordCount(), 3);
    EXPECT_EQ(master.state(), TableState::Browse);
    master.last();
    master.deleteRecord();
    EXPECT_EQ(master.asString("Name"), "b");
    EXPECT_EQ(master.recNo(), 2);
    master.first();
    master.deleteRecord();
    master.deleteRecord();
    EXPECT_TRUE(master.isEmpty());
    EXPECT_EQ(errorOf([&] { master.deleteRecord(); }), "Cannot perform this operation on an empty dataset");
}

TEST_F(TableTest, ReadOnlyTableRefusesChangesButBrowses) {
    addMaster("a", "A");
    addMaster("b", "B");
    master.setReadOnly(true);
    EXPECT_EQ(errorOf([&] { master.insert(); }), "Cannot modify a read-only dataset");
    EXPECT_EQ(errorOf([&] { master.edit(); }), "Cannot modify a read-only dataset");
    EXPECT_EQ(errorOf([&] { master.deleteRecord(); }), "Read-only record cannot be deleted");
    master.first();
    master.next();
    EXPECT_EQ(master.asString("Name"), "b");
    EXPECT_EQ(master.recordCount(), 2);
    EXPECT_EQ(master.state(), TableState::Browse);
}

TEST_F(TableTest, NavigationSetsEofAndBof) {
    addMaster("a", "A");
    addMaster("b", "B");
    master.first();
    EXPECT_TRUE(master.bof());
    master.next();
    EXPECT_FALSE(master.eof());
    master.next();
    EXPECT_TRUE(master.eof());
    EXPECT_EQ(master.asString("Name"), "b");
    master.prior();
    master.prior();
    EXPECT_TRUE(master.bof());
    EXPECT_EQ(master.recNo(), 1);
}

TEST_F(TableTest, LocateSearchesTheShownRecordsOnly) {
    addMaster("m1", "A");
    addDetail("Liquid", 300);
    addMaster("m2", "B");
    addDetail("FCC", 3);
    EXPECT_FALSE(detail.locate("Name", Value{std::string("Liquid")}));  // belongs to m1
    EXPECT_FALSE(detail.locate("Name", Value{std::string("fcc")}));
    EXPECT_TRUE(detail.locate("Name", Value{std::string("fcc")}, true));
    EXPECT_TRUE(detail.locate("T", Value{std::int64_t{3}}));  // numbers compare by value
    master.first();
    EXPECT_TRUE(detail.locate("Name", Value{std::string("Liquid")}));
}

TEST_F(TableTest, EventsRunInOrderAndAFailingBeforePostKeepsTheRecordInInsert) {
    std::vector<std::string> log;
    auto record = [&](const char* name) { return [&log, name](Table&) { log.push_back(name); }; };
    auto& e = master.events();
    e.beforeInsert = record("beforeInsert");
    e.afterInsert = record("afterInsert");
    e.beforePost = record("beforePost");
    e.afterPost = record("afterPost");
    e.beforeDelete = record("beforeDelete");
    e.afterDelete = record("afterDelete");
    e.afterScroll = record("afterScroll");
    addMaster("a", "A");
    master.deleteRecord();
    EXPECT_EQ(log, (std::vector<std::string>{"beforeInsert", "afterInsert", "afterScroll", "beforePost", "afterPost",
                                             "afterScroll", "beforeDelete", "afterDelete", "afterScroll"}));

    e.beforePost = [](Table&) { throw util::SilentAbort(); };
    master.insert();
    master.setString("Name", "refused");
    EXPECT_THROW(master.post(), util::SilentAbort);
    EXPECT_EQ(master.state(), TableState::Insert);
    EXPECT_EQ(master.asString("Name"), "refused");
    EXPECT_EQ(master.recordCount(), 0);
}

TEST_F(TableTest, DisplayTextUsesTheGetTextHandler) {
    master.setGetText("WEIGHT", [](const Table& t, int f, char sep) {
        return std::string("w") + sep + t.schema().field(f).toText(t.value(f), sep);
    });
    master.insert();
    master.setText("Weight", "1,5", ',');
    EXPECT_EQ(master.displayText("Weight", ','), "w,1,5");
    EXPECT_EQ(master.asFloat("Weight"), 1.5);
}

class RecordingObserver : public store::TableObserver {
public:
    std::vector<std::string> calls;
    void rowAboutToBeInserted(const Table&, int row) override { calls.push_back("insert? " + std::to_string(row)); }
    void rowInserted(const Table&, int row) override { calls.push_back("inserted " + std::to_string(row)); }
    void rowAboutToBeRemoved(const Table&, int row) override { calls.push_back("remove? " + std::to_string(row)); }
    void rowRemoved(const Table&, int row) override { calls.push_back("removed " + std::to_string(row)); }
    void rowChanged(const Table&, int row) override { calls.push_back("changed " + std::to_string(row)); }
};

TEST_F(TableTest, ObserversLearnTheRowsThatChanged) {
    master.setIndexFieldNames("Key1");
    addMaster("b", "B");
    addMaster("d", "D");
    RecordingObserver observer;
    master.addObserver(&observer);
    addMaster("c", "C");  // the insert row after the two records, then the record at its place
    master.edit();
    master.setString("Name", "c2");
    master.post();
    master.edit();
    master.setString("Key1", "E");  // moves from row 1 to row 2
    master.post();
    master.first();
    master.deleteRecord();
    master.insert();
    master.cancel();
    master.removeObserver(&observer);
    addMaster("a", "A");
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"insert? 2", "inserted 2", "remove? 2", "removed 2",
                                                        "insert? 1", "inserted 1", "changed 1", "remove? 1",
                                                        "removed 1", "insert? 2", "inserted 2", "remove? 0",
                                                        "removed 0", "insert? 2", "inserted 2", "remove? 2",
                                                        "removed 2"}));
}

// A view that keeps its own copy of the shown names and changes it only as the notifications say,
// reading the table at the "about to" call (which must still show the old rows) and at the "done"
// call (which must show the new ones). Any wrong row number or call out of order makes the copy
// differ from the table.
class MirrorObserver : public store::TableObserver {
public:
    explicit MirrorObserver(Table& table) : table_(table) { rows = read(); }
    std::vector<std::string> rows;
    std::vector<std::string> faults;

    // The names the table shows, the insert row included.
    std::vector<std::string> read() const {
        std::vector<std::string> result;
        if (!table_.active()) return result;
        const int name = table_.fieldIndex("Name");
        for (int row = 0; row < table_.recordCount(); ++row) result.push_back(text(table_.valueAt(row, name)));
        if (table_.state() == TableState::Insert) result.push_back(text(table_.value(name)));
        return result;
    }

    void tableAboutToBeReset(const Table&) override { check("before reset", rows == read()); }
    void tableReset(const Table&) override { rows = read(); }
    void rowAboutToBeInserted(const Table&, int row) override {
        check("before insert", rows == read() && row >= 0 && row <= static_cast<int>(rows.size()));
        pending_ = row;
    }
    void rowInserted(const Table&, int row) override {
        check("insert row", row == pending_);
        const auto now = read();
        check("insert count", now.size() == rows.size() + 1);
        if (row >= 0 && row < static_cast<int>(now.size())) rows.insert(rows.begin() + row, now[static_cast<std::size_t>(row)]);
    }
    void rowAboutToBeRemoved(const Table&, int row) override {
        check("before remove", rows == read() && row >= 0 && row < static_cast<int>(rows.size()));
        pending_ = row;
    }
    void rowRemoved(const Table&, int row) override {
        check("remove row", row == pending_);
        if (row >= 0 && row < static_cast<int>(rows.size())) rows.erase(rows.begin() + row);
        check("after remove", rows == read());
    }
    void rowChanged(const Table&, int row) override {
        if (row >= 0 && row < static_cast<int>(rows.size())) rows[static_cast<std::size_t>(row)] = read()[static_cast<std::size_t>(row)];
    }
    void fieldChanged(const Table& table, int) override {
        // The edited values belong to the current row (or the insert row).
        const int row = table.state() == TableState::Insert ? table.recordCount() : table.recNo() - 1;
        if (row >= 0 && row < static_cast<int>(rows.size())) rows[static_cast<std::size_t>(row)] = read()[static_cast<std::size_t>(row)];
    }

private:
    static std::string text(const Value& v) {
        const auto* s = std::get_if<std::string>(&v);
        return s ? *s : std::string("<null>");
    }
    void check(const char* what, bool ok) {
        if (!ok) faults.push_back(what);
    }
    Table& table_;
    int pending_ = -1;
};

TEST_F(TableTest, AViewFollowingTheNotificationsStaysEqualToTheTable) {
    master.setIndexFieldNames("Key1");
    detail.setIndexFieldNames("T");
    MirrorObserver masterView(master);
    MirrorObserver detailView(detail);
    master.addObserver(&masterView);
    detail.addObserver(&detailView);
    auto expectInStep = [&](const std::string& step) {
        EXPECT_EQ(masterView.rows, masterView.read()) << step;
        EXPECT_EQ(detailView.rows, detailView.read()) << step;
        EXPECT_TRUE(masterView.faults.empty()) << step << ": " << masterView.faults.front();
        EXPECT_TRUE(detailView.faults.empty()) << step << ": " << detailView.faults.front();
    };

    const std::vector<std::pair<std::string, std::function<void()>>> steps = {
        {"add masters", [&] { addMaster("m", "M"); addMaster("b", "B"); addMaster("x", "X"); }},
        {"add details to the current master", [&] { addDetail("d3", 3); addDetail("d1", 1); addDetail("d2", 2); }},
        {"move a detail to the front", [&] { detail.last(); detail.edit(); detail.setFloat("T", 0); detail.post(); }},
        {"change a detail in place", [&] { detail.first(); detail.edit(); detail.setString("Name", "d0"); detail.post(); }},
        {"move a detail to another master", [&] {
             detail.first();
             detail.edit();
             detail.setInteger("Owner", 999);
             detail.post();
         }},
        {"master moves", [&] { master.first(); }},
        {"insert row, then another master", [&] { addDetail("e", 5); detail.insert(); detail.setString("Name", "typed"); master.last(); }},
        {"move a master to the front", [&] { master.edit(); master.setString("Key1", "A"); master.post(); }},
        {"delete a master and a detail", [&] { master.last(); master.deleteRecord(); detail.first(); if (!detail.isEmpty()) detail.deleteRecord(); }},
        {"insert cancelled", [&] { master.insert(); master.setString("Name", "z"); master.cancel(); }},
        {"new order", [&] { master.setIndexFieldNames("Name"); }},
        {"close and open", [&] { detail.close(); master.close(); master.open(); detail.open(); }},
    };
    for (const auto& [name, step] : steps) {
        step();
        expectInStep(name);
    }
}

TEST_F(TableTest, RecordViewsReadWithoutMovingAnyCursor) {
    detail.setIndexFieldNames("T");
    addMaster("m1", "A");
    addDetail("a2", 2);
    addDetail("a1", 1);
    addMaster("m2", "B");
    addDetail("b1", 5);
    master.first();
    detail.last();
    struct Counter : store::TableObserver {
        int calls = 0;
        void tableReset(const Table&) override { ++calls; }
        void currentMoved(const Table&) override { ++calls; }
        void stateChanged(const Table&) override { ++calls; }
    } counter;
    master.addObserver(&counter);
    detail.addObserver(&counter);

    const store::RecordView masters = master.records();
    ASSERT_EQ(masters.size(), 2);
    EXPECT_EQ(masters.find("Name", Value{std::string("M2")}, true), 1);
    EXPECT_EQ(masters.find("Name", Value{std::string("M2")}), -1);
    // The detail's records of a master that is not current, and those it shows now, in index order.
    const store::RecordView second = detail.recordsFor(masters.value(1, "Id"));
    ASSERT_EQ(second.size(), 1);
    EXPECT_EQ(second.asString(0, "Name"), "b1");
    EXPECT_EQ(second.asFloat(0, "T"), 5);
    const store::RecordView shown = detail.records();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown.asString(0, "name"), "a1");
    EXPECT_EQ(shown.asInteger(1, "Owner"), masters.asInteger(0, "Id"));
    EXPECT_EQ(detail.recordsFor(Value{}).size(), 0);
    EXPECT_EQ(master.recordsFor(Value{std::int64_t{99}}).size(), 2);  // no master: every record
    EXPECT_THROW(second.value(1, "Name"), util::Error);

    EXPECT_EQ(counter.calls, 0);
    EXPECT_EQ(master.asString("Name"), "m1");
    EXPECT_EQ(detail.asString("Name"), "a2");
    master.removeObserver(&counter);
    detail.removeObserver(&counter);

    // An edit in progress is not seen by a view: it reads what is posted.
    detail.edit();
    detail.setString("Name", "changed");
    EXPECT_EQ(detail.records().asString(1, "Name"), "a2");
    detail.cancel();
}

}  // namespace
