// The catalog listing: lines in the systems grid's order, the total line, the selection kept.
#include <gtest/gtest.h>

#include "exchange/catalog.h"
#include "exchange_fixture.h"
#include "util/cp1251.h"
#include "util/errors.h"

namespace {

class CatalogTest : public exchangetest::ExchangeTest {};

TEST_F(CatalogTest, ListsSystemsInGridOrderWithTheirCount) {
    struct Case {
        const char* name;
        std::vector<std::string> added;
        std::string expected;  // UTF-8, LF for each CR LF
    };
    const Case cases[] = {
        {"empty database", {}, "-------------------\nВСЕГО: 0 систем\n"},
        {"sorted by the elements, duplicates kept",
         {"Zn+Al", "Cu+Ni", "Al+Si", "Cu+Ni"},
         "Al+Si\nCu+Ni\nCu+Ni\nZn+Al\n-------------------\nВСЕГО: 4 систем\n"},
        {"Cyrillic designation", {"Медь+Никель"}, "Медь+Никель\n-------------------\nВСЕГО: 1 систем\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto db = emptyDatabase(std::string("catalog_") + std::to_string(&c - cases));
        for (const auto& designation : c.added) addSystem(*db, designation);
        std::string expected;
        for (char ch : c.expected) expected += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
        EXPECT_EQ(exchange::ComposeCatalog(*db), util::utf8ToCp1251(expected));
    }
}

TEST_F(CatalogTest, WritesTheFileAndKeepsTheSelection) {
    addSystem(*tdm, "Cu+Ni");
    addSystem(*tdm, "Al+Si");
    addSystem(*tdm, "Pb+Sn");
    ASSERT_TRUE(tdm->tblSystems.locate("System_designation", store::Value{std::string("Cu+Ni")}));
    exchange::WriteCatalog(*tdm, dir, dialogs);
    EXPECT_EQ(readFile(dir + "Ravo_cat"), "Al+Si\r\nCu+Ni\r\nPb+Sn\r\n-------------------\r\n" +
                                              util::utf8ToCp1251("ВСЕГО: 3 систем") + "\r\n");
    EXPECT_EQ(dialogs.texts("information"), std::vector<std::string>{"Оглавление базы записано в файл Ravo_cat"});
    EXPECT_EQ(tdm->tblSystems.asString("System_designation"), "Cu+Ni");
    EXPECT_EQ(tdm->tblSystems.recNo(), 2);
}

TEST_F(CatalogTest, UnwritableFileShowsNoMessageAndKeepsTheSelection) {
    addSystem(*tdm, "Cu+Ni");
    addSystem(*tdm, "Al+Si");
    EXPECT_THROW(exchange::WriteCatalog(*tdm, dir + "no_such_directory/", dialogs), util::Error);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(tdm->tblSystems.asString("System_designation"), "Al+Si");
}

}  // namespace
