#include "store/table_file.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "store/table.h"
#include "util/errors.h"
#include "support/test_helpers.h"

namespace {

namespace fs = std::filesystem;
using store::Field;
using store::FieldType;
using store::Schema;
using store::Table;
using store::TableContents;
using store::TableFile;
using store::Value;

Schema schema() {
    return Schema({Field("Id", FieldType::AutoIncrement), Field("Name", FieldType::String, 20),
                   Field("Comment", FieldType::Memo), Field("T", FieldType::Float, 0, false, "0.###"),
                   Field("N", FieldType::SmallInt), Field("Flag", FieldType::Boolean)});
}

class TableFileTest : public ::testing::Test {
protected:
    fs::path dir;
    std::string path;

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("ravo_store_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
               std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "t.d").string();
    }
    void TearDown() override {
        TableFile::writeFaultHook() = nullptr;
        fs::remove_all(dir);
    }

    TableContents sample() const {
        TableContents c;
        c.schema = schema();
        c.records.push_back({Value{std::int64_t{1}}, Value{std::string("Fe+Ni")},
                             Value{std::string("строка 1\r\nстрока 2")}, Value{0.1 + 0.2}, Value{std::int64_t{-5}},
                             Value{true}});
        c.records.push_back({Value{std::int64_t{4}}, Value{std::string("")}, Value{}, Value{-1e-300}, Value{}, Value{false}});
        c.nextAutoIncrement = 9;
        return c;
    }

    std::string bytes(const std::string& p) const { return testsupport::readFileBytes(p); }

    int filesIn() const { return static_cast<int>(std::distance(fs::directory_iterator(dir), fs::directory_iterator())); }

    std::string loadError(const std::string& p) const {
        try {
            (void)TableFile::load(p);
        } catch (const util::Error& e) {
            return e.what();
        }
        return "";
    }
};

TEST_F(TableFileTest, SavedContentsLoadBackExactly) {
    const TableContents written = sample();
    TableFile::save(path, written);
    const TableContents read = TableFile::load(path);
    EXPECT_EQ(read.schema, written.schema);
    EXPECT_EQ(read.records, written.records);  // doubles bit for bit, empty vs "" kept apart
    EXPECT_EQ(read.nextAutoIncrement, 9);
    EXPECT_EQ(filesIn(), 1);  // no temporary file left behind
}

TEST_F(TableFileTest, AutoIncrementCounterSurvivesSaveAfterDelete) {
    Table table("t", schema());
    table.setFileName(path);
    TableFile::save(path, sample());
    table.open();
    table.last();
    table.deleteRecord();  // the record with key 4
    table.save();
    table.open();
    table.insert();
    table.setString("Name", "new");
    table.post();
    EXPECT_EQ(table.asInteger("Id"), 9);
}

TEST_F(TableFileTest, RefusesFilesThatAreNotGoodTableFilesAndNeverChangesThem) {
    const std::string missing = (dir / "missing.d").string();
    EXPECT_NE(loadError(missing).find("does not exist"), std::string::npos);
    EXPECT_FALSE(fs::exists(missing));

    const std::string text = (dir / "text.d").string();
    std::ofstream(text) << "[SYSTEMS]\r\nnot a database\r\n";
    EXPECT_NE(loadError(text).find("not an SQLite database"), std::string::npos);

    // A database of another program: valid SQLite without our tables.
    const std::string foreign = (dir / "foreign.d").string();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(foreign.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE x(a); INSERT INTO x VALUES (1);", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_NE(loadError(foreign).find("not a table file of this program"), std::string::npos);

    // Truncated: a table file cut short of the pages its header promises.
    TableContents big = sample();
    for (int i = 0; i < 2000; ++i) big.records.push_back(big.records[0]);
    TableFile::save(path, big);
    const std::string whole = bytes(path);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << whole.substr(0, whole.size() / 2);
    const std::string cut = bytes(path);
    EXPECT_NE(loadError(path).find("truncated"), std::string::npos);
    EXPECT_EQ(bytes(path), cut);
    EXPECT_EQ(bytes(text), "[SYSTEMS]\r\nnot a database\r\n");
}

TEST_F(TableFileTest, OpeningAFileOfAnotherShapeIsRefusedAndTheTableStaysClosed) {
    TableContents other;
    other.schema = Schema({Field("Id", FieldType::AutoIncrement), Field("Name", FieldType::Memo)});
    TableFile::save(path, other);
    Table table("t", schema());
    table.setFileName(path);
    try {
        table.open();
        FAIL();
    } catch (const util::Error& e) {
        EXPECT_NE(std::string(e.what()).find("'Name'"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(table.active());
}

TEST_F(TableFileTest, ExtraFieldsOfAFileAreKept) {
    TableContents wider = sample();
    std::vector<Field> fields = wider.schema.fields();
    fields.emplace_back("Source", FieldType::String, 40);
    wider.schema = Schema(fields);
    for (auto& r : wider.records) r.push_back(Value{std::string("paper")});
    TableFile::save(path, wider);
    Table table("t", schema());
    table.setFileName(path);
    table.open();
    EXPECT_EQ(table.asString("Source"), "paper");
    table.save();
    EXPECT_EQ(TableFile::load(path).records, wider.records);
}

TEST_F(TableFileTest, AFailedSaveLeavesThePreviousFileIntactAndReportsTheError) {
    TableFile::save(path, sample());
    const std::string before = bytes(path);
    TableContents changed = sample();
    changed.records.pop_back();
    TableFile::writeFaultHook() = [](const std::string&) { throw util::Error("disk full"); };
    EXPECT_THROW(TableFile::save(path, changed), util::Error);
    EXPECT_EQ(bytes(path), before);
    EXPECT_EQ(filesIn(), 1);
}

TEST_F(TableFileTest, PendingWriteReplacesOnlyOnCommit) {
    TableFile::save(path, sample());
    const std::string before = bytes(path);
    TableContents empty;
    empty.schema = schema();
    {
        TableFile::PendingWrite write(path, empty);
        EXPECT_EQ(bytes(path), before);
    }
    EXPECT_EQ(bytes(path), before);
    EXPECT_EQ(filesIn(), 1);
    TableFile::PendingWrite(path, empty).commit();
    EXPECT_TRUE(TableFile::load(path).records.empty());
}

}  // namespace
