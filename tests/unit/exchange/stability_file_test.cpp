// The stability parameter file: layout, round trip, the look-up of stored parameters and the ways
// a reading ends.
#include <gtest/gtest.h>

#include <sstream>

#include "exchange/stability_file.h"
#include "exchange_fixture.h"
#include "util/errors.h"

namespace {

using exchangetest::record;

class StabilityFileTest : public exchangetest::ExchangeTest {
protected:
    void addParameter(db::TDM& db, const std::string& designation, const std::string& comment = "") {
        db.tblStability.insert();
        db.tblStability.setString("Designation", designation);
        if (!comment.empty()) db.tblStability.setString("Comment", comment);
        db.tblStability.post();
    }
    void addRange(db::TDM& db, double tmin, double tmax, const std::string& expression) {
        db.tblStabDet.insert();
        db.tblStabDet.setFloat("Tmin", tmin);
        db.tblStabDet.setFloat("Tmax", tmax);
        db.tblStabDet.setString("Expression", expression);
        db.tblStabDet.setFloat("Xmin", 0);
        db.tblStabDet.setFloat("Xmax", 1);
        db.tblStabDet.post();
    }
    std::vector<std::string> designations(db::TDM& db) {
        std::vector<std::string> out;
        for (db.tblStability.first(); !db.tblStability.eof(); db.tblStability.next())
            out.push_back(db.tblStability.asString("Designation") + "/" + std::to_string(db.tblStabDet.recordCount()));
        return out;
    }
    // Writes `bytes` as the stability parameter file of the test directory and reads it.
    void readFileOf(db::TDM& db, const std::string& bytes) {
        writeFile(dir + exchange::StabilityFileName, bytes);
        EXPECT_TRUE(exchange::ReadStabilityFile(db, dir, dialogs, '.'));
    }
};

TEST_F(StabilityFileTest, WritesParametersEachFollowedByItsRanges) {
    addParameter(*tdm, "ZN", "Zinc");
    addParameter(*tdm, "AL", "Aluminium");
    addRange(*tdm, 933.47, 2900, "-11276.24+223.048446*T");
    addRange(*tdm, 298.15, 700, "-7976.15+137.093038*T");
    // Writing reads the records without moving the selection the user sees.
    ASSERT_TRUE(tdm->tblStability.locate("Designation", store::Value{std::string("AL")}));
    tdm->tblStabDet.last();
    const std::string path = exchange::WriteStabilityFile(*tdm, dir, dialogs, ',');
    EXPECT_EQ(tdm->tblStabDet.recNo(), 2);
    EXPECT_EQ(path, dir + "STABILITY_PARAMS.txt");
    EXPECT_EQ(dialogs.texts("information"),
              std::vector<std::string>{"Данные о параметрах стабильности записаны в файл STABILITY_PARAMS.txt"});
    EXPECT_EQ(readFile(path),
              record("[STABILITY_PARAMS]", {{"Designation", "AL"}, {"Comment", "Aluminium"}}) +
                  record("  [STABILITY_DETAIL]", {{"Tmin", "298,15"}, {"Tmax", "700"},
                                                  {"Expression", "-7976.15+137.093038*T"}, {"Xmin", "0"}, {"Xmax", "1"}}) +
                  record("  [STABILITY_DETAIL]", {{"Tmin", "933,47"}, {"Tmax", "2900"},
                                                  {"Expression", "-11276.24+223.048446*T"}, {"Xmin", "0"}, {"Xmax", "1"}}) +
                  record("[STABILITY_PARAMS]", {{"Designation", "ZN"}, {"Comment", "Zinc"}}));
    EXPECT_EQ(tdm->tblStability.asString("Designation"), "AL") << "the selection stays where it was";
}

TEST_F(StabilityFileTest, RoundTripKeepsMultiLineTextLineForLine) {
    addParameter(*tdm, "GHSERCU", "Медь, SGTE\r\nвторая строка");
    addRange(*tdm, 298.15, 1357.77, "-7770.458+130.485235*T\r\n-24.112392*T*LN(T)");
    addRange(*tdm, 1357.77, 3200, "-13542.026+183.803828*T");
    addParameter(*tdm, "GHSERNI");
    const std::string written = exchange::ComposeStabilityFile(*tdm, '.');
    auto second = emptyDatabase("second");
    std::istringstream in(written);
    exchange::ReadStabilityRecords(*second, in, {}, '.');
    EXPECT_EQ(designations(*second), (std::vector<std::string>{"GHSERCU/2", "GHSERNI/0"}));
    EXPECT_EQ(exchange::ComposeStabilityFile(*second, '.'), written);
}

TEST_F(StabilityFileTest, StoredParametersArePassedOverWithTheirRanges) {
    addParameter(*tdm, "AL");
    addRange(*tdm, 298.15, 933.47, "stored");
    tdm->SaveDatabase();
    readFileOf(*tdm, record("[STABILITY_PARAMS]", {{"Designation", "AL"}}) +
                         record("  [STABILITY_DETAIL]", {{"Tmin", "298.15"}, {"Expression", "from the file"}}) +
                         record("  [STABILITY_DETAIL]", {{"Tmin", "933.47"}, {"Expression", "from the file"}}) +
                         record("  [STABILITY_PARAMS]", {{"Designation", "CU"}}) +
                         record("  [STABILITY_DETAIL]", {{"Tmin", "298.15"}, {"Expression", "copper"}}) +
                         record("[STABILITY_PARAMS]", {{"Designation", "AL"}}) +
                         record("  [STABILITY_DETAIL]", {{"Expression", "passed over at the end"}}));
    EXPECT_EQ(dialogs.texts("information"),
              std::vector<std::string>{"Сведения о параметрах стабильности занесены в базу"});
    EXPECT_EQ(tdm->tblStability.asString("Designation"), "AL") << "the stored parameter found last is current";
    EXPECT_EQ(designations(*tdm), (std::vector<std::string>{"AL/1", "CU/1"}));
    tdm->tblStability.locate("Designation", store::Value{std::string("AL")});
    EXPECT_EQ(tdm->tblStabDet.asString("Expression"), "stored");
}

TEST_F(StabilityFileTest, LookUpSeesOnlyWhatWasSavedAndMatchesCase) {
    addParameter(*tdm, "AL");
    tdm->SaveDatabase();
    addParameter(*tdm, "MG");  // not saved
    readFileOf(*tdm, record("[STABILITY_PARAMS]", {{"Designation", "MG"}}) +
                         record("[STABILITY_PARAMS]", {{"Designation", "SI"}}) +
                         record("[STABILITY_PARAMS]", {{"Designation", "SI"}}) +
                         record("[STABILITY_PARAMS]", {{"Designation", "al"}}) +
                         record("[STABILITY_PARAMS]", {{"Designation", "AL"}}));
    EXPECT_EQ(designations(*tdm), (std::vector<std::string>{"AL/0", "al/0", "MG/0", "MG/0", "SI/0", "SI/0"}));
}

TEST_F(StabilityFileTest, RangesBeforeTheFirstParameterAttachToTheSelectedOne) {
    addParameter(*tdm, "AL");
    addParameter(*tdm, "CU");
    tdm->tblStability.locate("Designation", store::Value{std::string("AL")});
    readFileOf(*tdm, record("  [STABILITY_DETAIL]", {{"Id", "999"}, {"Tmin", "298.15"}, {"Expression", "-1"}}));
    EXPECT_EQ(designations(*tdm), (std::vector<std::string>{"AL/1", "CU/0"}));
}

TEST_F(StabilityFileTest, MissingFileOnlyWarns) {
    EXPECT_FALSE(exchange::ReadStabilityFile(*tdm, dir, dialogs, '.'));
    EXPECT_EQ(dialogs.shown, (std::vector<testsupport::ScriptedDialogs::Shown>{
                                 {"warning", "File STABILITY_PARAMS.txt not found"}}));
}

TEST_F(StabilityFileTest, FailedReadingKeepsEarlierRecordsAndShowsNoInformation) {
    struct Case {
        const char* name;
        bool locked;
        std::string file;
        std::string error;
        std::vector<std::string> kept;
        const char* saved = nullptr;  // a parameter saved to the database before the reading
    };
    const std::string good = record("[STABILITY_PARAMS]", {{"Designation", "AL"}}) +
                             record("  [STABILITY_DETAIL]", {{"Tmin", "298.15"}, {"Expression", "-1"}});
    const Case cases[] = {
        {"read-only lock", true, good, "Cannot modify a read-only dataset", {}},
        {"read-only lock, parameter already stored", true, good, "Cannot modify a read-only dataset", {"AL/0"}, "AL"},
        {"value without its end byte", false,
         good + record("[STABILITY_PARAMS]", {{"Designation", "CU"}}) + "  [STABILITY_DETAIL]\r\nExpression\x1F @-2\r\n>\r\n",
         "Файл обмена поврежден: значение поля, начатое в строке 12, не закончено байтом 0x80 до конца файла",
         {"AL/1", "CU/0"}},
        {"file ends inside a parameter", false, good + "[STABILITY_PARAMS]\r\nDesignation\x1F @CU\x80\r\n",
         "Файл обмена поврежден: запись [STABILITY_PARAMS], начатая в строке 8, не закончена строкой \">\" до конца файла",
         {"AL/1"}},
        {"unknown field", false, good + record("  [STABILITY_DETAIL]", {{"Colour", "red"}}), "Field 'Colour' not found",
         {"AL/1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto db = emptyDatabase(std::string("fail_") + std::to_string(&c - cases));
        if (c.saved) {
            addParameter(*db, c.saved);
            db->SaveDatabase();
        }
        db->SetReadOnlyLock(c.locked);
        dialogs.shown.clear();
        writeFile(dir + exchange::StabilityFileName, c.file);
        try {
            exchange::ReadStabilityFile(*db, dir, dialogs, '.');
            ADD_FAILURE() << "no error";
        } catch (const util::Error& e) {
            EXPECT_EQ(std::string(e.what()), c.error);
        }
        EXPECT_TRUE(dialogs.shown.empty());
        db->PostPendingEdits();
        EXPECT_EQ(designations(*db), c.kept);
    }
}

}  // namespace
