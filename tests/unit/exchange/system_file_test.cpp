// Writing and reading system exchange files: exact bytes, round trips, the reader's rules for links,
// booleans, empty values and decimal separators, and what stays after a failed reading.
#include <gtest/gtest.h>

#include <sstream>

#include "exchange/field_line.h"
#include "exchange/system_file_reader.h"
#include "exchange/system_file_writer.h"
#include "exchange_fixture.h"
#include "util/cp1251.h"
#include "util/errors.h"

namespace {

using exchange::FormatFieldLine;
using exchangetest::ExchangeTest;

using exchangetest::record;

class SystemFileTest : public ExchangeTest {
protected:
    // Cu+Ni with Cyrillic text, multi-line memos, a solution phase with two ranges, a point phase, a
    // phase without expressions and two experimental points.
    void buildFixtureSystem(db::TDM& db) {
        db.tblSystems.insert();
        auto& s = db.tblSystems;
        s.setString("System_designation", "Cu+Ni");
        s.setInteger("Amount_of_elements", 2);
        s.setString("Comment", "Медь – никель: изоморфная система.\r\nПараметры: S. an Mey (1992).\r\n@ и {GLIQCU} в тексте");
        s.setString("Abbreviations", "Liquid - жидкость\r\nFcc_A1 - твердый раствор\r\n#XCAP=x(Ni)\r\n#YCAP=T, K");
        s.setFloat("Ymin", 500);
        s.setFloat("Ymax", 1800.5);
        s.setFloat("Zvalue", 1e-7);
        s.setInteger("Ypoints", 130);
        s.setBoolean("ShowMosaicDiagram", false);
        s.setBoolean("ShowChart", true);
        s.post();
        addPhase(db, "Жидкость");
        addGibbs(db, 298.15, 3000, "(1-X)*({GLIQCU})+X*({GLIQNI})-T*SID\r\n+X*(1-X)*(12048.61+1.29093*T)");
        addPhase(db, "Fcc_A1");
        addGibbs(db, 1358.02, 3200, "(1-X)*({GFCCCU})+X*({GFCCNI})-T*SID");
        addGibbs(db, 298.15, 1358.02, "(1-X)*({GFCCCU})+X*({GFCCNI})-T*SID+X*(1-X)*8047.72");
        addPhase(db, "CuNi3");
        addGibbs(db, 298.15, 1000, "0.25*{GFCCCU}+0.75*{GFCCNI}-2500", "0.75");
        addPhase(db, "Пустая фаза");
        auto& e = db.tblExperiment;
        const char* sources[] = {"Иванов, 1975", "Feest, Doherty (1971)"};
        for (int i = 0; i < 2; ++i) {
            e.insert();
            e.setString("SQUIB", sources[i]);
            e.setString("X_descr", "x(Ni)");
            e.setFloat("X_value", 0.25 + 0.5 * i);
            e.setString("Y_descr", "T, K");
            e.setFloat("Y_value", 1450.5 + 100 * i);
            e.post();
        }
    }
};

TEST_F(SystemFileTest, FixtureSystemRoundTripsByteForByte) {
    buildFixtureSystem(*tdm);
    // Writing reads the records without moving the selection the user sees.
    tdm->tblPhases.setRecNo(2);
    tdm->tblGibbs.last();
    tdm->tblExperiment.first();
    const std::vector<int> positions{tdm->tblPhases.recNo(), tdm->tblGibbs.recNo(), tdm->tblExperiment.recNo()};
    const std::string written = exchange::ComposeSystemFile(*tdm, '.');
    EXPECT_EQ(written, readFile(RAVO_TEST_DATA_DIR "/exchange/cu_ni.ter"));
    EXPECT_EQ(positions,
              (std::vector<int>{tdm->tblPhases.recNo(), tdm->tblGibbs.recNo(), tdm->tblExperiment.recNo()}));
    EXPECT_EQ(tdm->tblGibbs.asString("Expression"), "(1-X)*({GFCCCU})+X*({GFCCNI})-T*SID");

    auto second = emptyDatabase("second");
    std::istringstream in(written);
    exchange::ReadSystemRecords(*second, in, '.');
    EXPECT_EQ(second->tblSystems.recordCount(), 1);
    EXPECT_EQ(second->tblPhases.recordCount(), 4);
    EXPECT_EQ(second->tblExperiment.recordCount(), 2);
    EXPECT_EQ(exchange::ComposeSystemFile(*second, '.'), written);
}

TEST_F(SystemFileTest, DefaultDatabaseSystemsRoundTripByteForByte) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(RAVO_SOURCE_DIR "/data")) {
        if (entry.path().extension() != ".ter") continue;
        SCOPED_TRACE(entry.path().filename().string());
        ++files;
        const std::string original = readFile(entry.path().string());
        auto db = emptyDatabase("default_" + std::to_string(files));
        std::istringstream in(original);
        exchange::ReadSystemRecords(*db, in, '.');
        EXPECT_EQ(exchange::ComposeSystemFile(*db, '.'), original);
    }
    EXPECT_GE(files, 4);
}

TEST_F(SystemFileTest, WriteCommandNamesTheFileAfterTheDesignation) {
    addSystem(*tdm, "Fe-Ni (liq.)");
    const std::string path = exchange::WriteSystemFile(*tdm, dir, dialogs, ',');
    EXPECT_EQ(path, dir + "Fe-Niliq.ter");
    EXPECT_EQ(dialogs.texts("information"), std::vector<std::string>{"Данные о системе записаны в файл Fe-Niliq.ter"});
    EXPECT_EQ(readFile(path), exchange::ComposeSystemFile(*tdm, ','));
    EXPECT_EQ(exchange::SystemFileName("Медь+Никель"), "+.ter");
    EXPECT_EQ(exchange::SystemFileName("Медь"), ".ter");
}

TEST_F(SystemFileTest, WritesFloatsWithTheUsersSeparatorAndReadsEither) {
    addSystem(*tdm, "A+B");
    tdm->tblSystems.edit();
    tdm->tblSystems.setFloat("Ymin", 298.15);
    tdm->tblSystems.post();
    const std::string comma = exchange::ComposeSystemFile(*tdm, ',');
    EXPECT_NE(comma.find(FormatFieldLine("Ymin", "298,15")), std::string::npos);

    for (const char* text : {"298,15", "298.15"})
        for (char separator : {',', '.'}) {
            SCOPED_TRACE(std::string(text) + " read with " + separator);
            auto db = emptyDatabase(std::string("sep") + text + separator);
            std::istringstream in(record("[SYSTEMS]", {{"System_designation", "A+B"}, {"Ymin", text}}));
            exchange::ReadSystemRecords(*db, in, separator);
            EXPECT_DOUBLE_EQ(db->tblSystems.asFloat("Ymin"), 298.15);
        }
}

TEST_F(SystemFileTest, BooleanSwitchesAndEmptyValues) {
    struct Case {
        const char* value;
        bool expected;
    };
    const Case cases[] = {{"False", false}, {"0", false}, {"false", false}, {"True", true},
                          {"1", true},      {"yes", true}, {"", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("value '") + c.value + "'");
        auto db = emptyDatabase(std::string("bool_") + std::to_string(&c - cases));
        // Both switches carry the same value; an empty value keeps the new record's ShowChart = true
        // and leaves ShowMosaicDiagram, which no rule sets, empty (false).
        std::istringstream in(record("[SYSTEMS]", {{"System_designation", "A+B"},
                                                   {"Element3", ""},
                                                   {"Ypoints", ""},
                                                   {"ShowMosaicDiagram", c.value},
                                                   {"ShowChart", c.value}}));
        exchange::ReadSystemRecords(*db, in, '.');
        EXPECT_EQ(db->tblSystems.asBoolean("ShowChart"), c.expected);
        EXPECT_EQ(db->tblSystems.asBoolean("ShowMosaicDiagram"), *c.value != '\0' && c.expected);
        EXPECT_EQ(db->tblSystems.asInteger("Ypoints"), 100);
        EXPECT_TRUE(db->tblSystems.isNull("Element3"));
    }
}

TEST_F(SystemFileTest, RecordsAttachToWhatIsSelectedBeforeTheFirstHeader) {
    addSystem(*tdm, "A+B");
    addPhase(*tdm, "Alpha");
    addSystem(*tdm, "C+D");
    addPhase(*tdm, "Gamma");
    ASSERT_TRUE(tdm->tblSystems.locate("System_designation", store::Value{std::string("A+B")}));
    ASSERT_EQ(tdm->tblPhases.asString("Phase_designation"), "Alpha");

    std::istringstream in(record("  [GIBBS_ENERGY]", {{"Tmin", "300"}, {"Tmax", "400"}, {"Expression", "-1000"}}) +
                          record("  [PHASES]", {{"Phase_designation", "Beta"}}) +
                          record("  [GIBBS_ENERGY]", {{"Expression", "-2000"}}) +
                          record("  [EXPERIMENT]", {{"SQUIB", "own"}, {"X_value", "0.5"}}));
    exchange::ReadSystemFile(*tdm, in, dialogs, '.');

    EXPECT_EQ(dialogs.texts("information"), std::vector<std::string>{"Сведения о системе занесены в базу"});
    EXPECT_EQ(tdm->tblSystems.asString("System_designation"), "A+B");
    EXPECT_EQ(tdm->tblPhases.recordCount(), 2);
    EXPECT_EQ(tdm->tblPhases.recNo(), 1) << "the phase list is left on its first phase";
    EXPECT_EQ(tdm->tblGibbs.recordCount(), 1);
    EXPECT_EQ(tdm->tblGibbs.asString("Expression"), "-1000");
    ASSERT_TRUE(tdm->tblPhases.locate("Phase_designation", store::Value{std::string("Beta")}));
    EXPECT_EQ(tdm->tblGibbs.asString("Expression"), "-2000");
    EXPECT_EQ(tdm->tblExperiment.recordCount(), 1);
    ASSERT_TRUE(tdm->tblSystems.locate("System_designation", store::Value{std::string("C+D")}));
    EXPECT_EQ(tdm->tblPhases.recordCount(), 1);
    EXPECT_EQ(tdm->tblExperiment.recordCount(), 0);
}

TEST_F(SystemFileTest, SameFileTwiceGivesTwoSystemsAndKeysInTheFileAreIgnored) {
    const std::string file =
        record("[SYSTEMS]", {{"id", "77"}, {"System_id", "77"}, {"System_designation", "A+B"}}) +
        record("  [PHASES]", {{"Phase_id", "5"}, {"FK_system", "77"}, {"Phase_designation", "Alpha"}}) +
        record("  [GIBBS_ENERGY]", {{"Phase_id", "5"}, {"FK_Phase", "5"}, {"Expression", "-1"}}) +
        record("  [EXPERIMENT]", {{"system_id", "77"}, {"SQUIB", "own"}});
    for (int i = 0; i < 2; ++i) {
        std::istringstream in(file);
        exchange::ReadSystemRecords(*tdm, in, '.');
    }
    ASSERT_EQ(tdm->tblSystems.recordCount(), 2);
    for (int row = 1; row <= 2; ++row) {
        tdm->tblSystems.setRecNo(row);
        EXPECT_EQ(tdm->tblSystems.asString("System_designation"), "A+B");
        EXPECT_NE(tdm->tblSystems.asInteger("System_id"), 77);
        ASSERT_EQ(tdm->tblPhases.recordCount(), 1);
        EXPECT_EQ(tdm->tblGibbs.recordCount(), 1);
        EXPECT_EQ(tdm->tblExperiment.recordCount(), 1);
    }
}

TEST_F(SystemFileTest, LongDesignationPartsAreImportedCutInTheElementFields) {
    const std::string file =
        record("[SYSTEMS]", {{"System_designation", "Fe+Ni (liquid and fcc only)"}}) +
        record("  [PHASES]", {{"Phase_designation", "Liquid"}}) +
        record("[SYSTEMS]", {{"System_designation", "Twenty-one characters"}});
    std::istringstream in(file);
    exchange::ReadSystemRecords(*tdm, in, '.');
    ASSERT_EQ(tdm->tblSystems.recordCount(), 2);
    ASSERT_TRUE(tdm->tblSystems.locate("System_designation", store::Value{std::string("Fe+Ni (liquid and fcc only)")}));
    EXPECT_EQ(tdm->tblSystems.asString("Element1"), "Fe");
    EXPECT_EQ(tdm->tblSystems.asString("Element2"), "Ni (liquid and fcc o");
    EXPECT_EQ(tdm->tblPhases.recordCount(), 1);
    ASSERT_TRUE(tdm->tblSystems.locate("System_designation", store::Value{std::string("Twenty-one characters")}));
    EXPECT_EQ(tdm->tblSystems.asString("Element1"), "Twenty-one character");
}

TEST_F(SystemFileTest, SingleLineSectionsDoNotGatherAndNeedAnExactEndLine) {
    std::istringstream in(record("[SYSTEMS]", {{"System_designation", "A+B"}}) +
                          "  [PHASES]\r\nPhase_designation\x1F @Alpha\x80\r\n >\r\nXYZ\r\n>\r\n"
                          "  [EXPERIMENT]\r\nSQUIB\x1F @one\r\ntwo\x80\r\nX_value\x1F @0.5\x80\r\n>\r\n");
    exchange::ReadSystemRecords(*tdm, in, '.');
    EXPECT_EQ(tdm->tblPhases.recordCount(), 1);
    EXPECT_EQ(tdm->tblPhases.asString("Phase_designation"), "Alpha");
    ASSERT_EQ(tdm->tblExperiment.recordCount(), 1);
    EXPECT_TRUE(tdm->tblExperiment.isNull("SQUIB"));
    EXPECT_DOUBLE_EQ(tdm->tblExperiment.asFloat("X_value"), 0.5);
}

TEST_F(SystemFileTest, ReadingStopsAtTheFirstUnknownLine) {
    std::istringstream in(record("[SYSTEMS]", {{"System_designation", "A+B"}}) + "\r\n" +
                          record("  [PHASES]", {{"Phase_designation", "Alpha"}}));
    exchange::ReadSystemRecords(*tdm, in, '.');
    EXPECT_EQ(tdm->tblSystems.recordCount(), 1);
    EXPECT_EQ(tdm->tblPhases.recordCount(), 0);
}

// A reading that fails keeps what was posted before, posts nothing of the record being read, and
// shows the information message before the error.
TEST_F(SystemFileTest, FailedReadingKeepsEarlierRecords) {
    struct Case {
        const char* name;
        std::string tail;     // after a good system and phase
        std::string error;    // what() of the error, or "" for the silent abort after a shown error
        std::vector<std::string> errorsShown;
    };
    const std::string good =
        record("[SYSTEMS]", {{"System_designation", "A+B"}}) + record("  [PHASES]", {{"Phase_designation", "Alpha"}});
    const Case cases[] = {
        {"expression refused by the edit rule", record("  [GIBBS_ENERGY]", {{"Tmin", "300"}, {"Expression", ""}}), "",
         {"Function is not specified"}},
        {"unknown field", record("  [GIBBS_ENERGY]", {{"Expression", "-1"}, {"Colour", "red"}}),
         "Field 'Colour' not found", {}},
        {"file ends inside a record", "  [GIBBS_ENERGY]\r\nExpression\x1F @-1\x80\r\n",
         "Файл обмена поврежден: запись [GIBBS_ENERGY], начатая в строке 7, не закончена строкой \">\" до конца файла",
         {}},
        {"value without its end byte", "  [GIBBS_ENERGY]\r\nExpression\x1F @-1\r\n>\r\n",
         "Файл обмена поврежден: значение поля, начатое в строке 8, не закончено байтом 0x80 до конца файла", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto db = emptyDatabase(std::string("fail_") + std::to_string(&c - cases));
        dialogs.shown.clear();
        std::istringstream in(good + c.tail);
        try {
            exchange::ReadSystemFile(*db, in, dialogs, '.');
            ADD_FAILURE() << "no error";
        } catch (const util::SilentAbort&) {
            EXPECT_EQ(c.error, "");
        } catch (const util::Error& e) {
            EXPECT_EQ(std::string(e.what()), c.error);
        }
        EXPECT_EQ(dialogs.texts("error"), c.errorsShown);
        EXPECT_EQ(dialogs.texts("information"), std::vector<std::string>{"Сведения о системе занесены в базу"});
        EXPECT_EQ(db->tblSystems.recordCount(), 1);
        EXPECT_EQ(db->tblPhases.recordCount(), 1);
        EXPECT_EQ(db->tblGibbs.recordCount(), 0);
        EXPECT_EQ(db->tblGibbs.state(), store::TableState::Browse);
        db->PostPendingEdits();
        EXPECT_EQ(db->tblGibbs.recordCount(), 0) << "nothing left waiting to be posted";
    }
}

TEST_F(SystemFileTest, ReadOnlyLockLetsTheSystemInAndStopsAtTheFirstPhase) {
    tdm->SetReadOnlyLock(true);
    std::istringstream in(record("[SYSTEMS]", {{"System_designation", "A+B"}}) +
                          record("  [PHASES]", {{"Phase_designation", "Alpha"}}));
    try {
        exchange::ReadSystemFile(*tdm, in, dialogs, '.');
        ADD_FAILURE() << "no error";
    } catch (const util::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot modify a read-only dataset");
    }
    EXPECT_EQ(tdm->tblSystems.recordCount(), 1);
    EXPECT_EQ(tdm->tblPhases.recordCount(), 0);
    EXPECT_EQ(dialogs.texts("information"), std::vector<std::string>{"Сведения о системе занесены в базу"});
}

TEST_F(SystemFileTest, RecordsWithNothingToAttachToAreRefused) {
    std::istringstream in(record("  [PHASES]", {{"Phase_designation", "Alpha"}}));
    EXPECT_THROW(exchange::ReadSystemRecords(*tdm, in, '.'), util::Error);
    addSystem(*tdm, "A+B");
    std::istringstream gibbs("\r\n" + record("  [GIBBS_ENERGY]", {{"Expression", "-1"}}));
    exchange::ReadSystemRecords(*tdm, gibbs, '.');  // stops at the empty first line
    std::istringstream orphan(record("  [GIBBS_ENERGY]", {{"Expression", "-1"}}));
    try {
        exchange::ReadSystemRecords(*tdm, orphan, '.');
        ADD_FAILURE() << "no error";
    } catch (const util::Error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Запись [GIBBS_ENERGY] в строке 1 не к чему присоединить: нет выбранной фазы");
    }
    EXPECT_EQ(tdm->tblGibbs.recordCount(), 0);
}

TEST_F(SystemFileTest, WriterRefusesWhatTheFileCannotCarryAndKeepsTheOldFile) {
    addSystem(*tdm, "A+B");
    const std::string path = dir + "A+B.ter";
    writeFile(path, "old");
    tdm->tblSystems.edit();
    tdm->tblSystems.setString("Comment", "фаза Ђ");
    tdm->tblSystems.post();
    try {
        exchange::WriteSystemFile(*tdm, dir, dialogs, '.');
        ADD_FAILURE() << "not refused";
    } catch (const util::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Нельзя записать в файл: система «A+B», поле Comment содержит символ «Ђ» "
                                         "(байт 0x80 заканчивает значение в файле)");
    }
    EXPECT_EQ(readFile(path), "old");
    EXPECT_TRUE(dialogs.shown.empty());

    tdm->tblSystems.edit();
    tdm->tblSystems.setString("Comment", "");
    tdm->tblSystems.post();
    addPhase(*tdm, "Alpha");
    tdm->tblExperiment.insert();
    tdm->tblExperiment.setString("SQUIB", "two\r\nlines");
    tdm->tblExperiment.post();
    try {
        exchange::ComposeSystemFile(*tdm, '.');
        ADD_FAILURE() << "not refused";
    } catch (const util::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Нельзя записать в файл: система «A+B», экспериментальная точка 1, поле SQUIB "
                                         "содержит перевод строки, а в записи этого раздела значение занимает одну строку");
    }
}

// A stream that accepts nothing.
class FailingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST_F(SystemFileTest, OutputErrorStillShowsTheMessageThenTheError) {
    addSystem(*tdm, "A+B");
    FailingBuffer buffer;
    std::ostream out(&buffer);
    try {
        exchange::WriteSystemFile(*tdm, out, "A+B.ter", dialogs, '.');
        ADD_FAILURE() << "no error";
    } catch (const util::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Ошибка записи в файл A+B.ter");
    }
    EXPECT_EQ(dialogs.texts("information"), std::vector<std::string>{"Данные о системе записаны в файл A+B.ter"});
}

TEST_F(SystemFileTest, LoneLineFeedsInMemosAreWrittenAsCrLf) {
    addSystem(*tdm, "A+B");
    tdm->tblSystems.edit();
    tdm->tblSystems.setString("Comment", "one\ntwo");
    tdm->tblSystems.post();
    const std::string bytes = exchange::ComposeSystemFile(*tdm, '.');
    EXPECT_NE(bytes.find(FormatFieldLine("Comment", "one\r\ntwo")), std::string::npos);
}

}  // namespace
