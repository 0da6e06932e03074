// Every file the exchange commands write replaces the previous one only when complete: on a full
// disk the old file stays whole and no "written" message is shown.
#include <gtest/gtest.h>

#include <functional>

#include "exchange/catalog.h"
#include "exchange/stability_file.h"
#include "exchange/system_file_writer.h"
#include "exchange_fixture.h"
#include "util/atomic_file.h"
#include "util/errors.h"

namespace {

class FullDiskTest : public exchangetest::ExchangeTest {
protected:
    void TearDown() override {
        util::WriteFileReplacingFaultHook() = nullptr;
        ExchangeTest::TearDown();
    }
};

TEST_F(FullDiskTest, OldFileStaysAndNothingIsSaidWritten) {
    addSystem(*tdm, "Cu+Ni");
    struct Case {
        std::string file;
        std::function<void()> write;
    };
    const std::vector<Case> cases{
        {"Cu+Ni.ter", [&] { exchange::WriteSystemFile(*tdm, dir, dialogs, '.'); }},
        {exchange::StabilityFileName, [&] { exchange::WriteStabilityFile(*tdm, dir, dialogs, '.'); }},
        {exchange::CatalogFileName, [&] { exchange::WriteCatalog(*tdm, dir, dialogs); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string old = std::string(5000, 'o') + "\r\n";
        writeFile(dir + c.file, old);
        util::WriteFileReplacingFaultHook() = [](const std::string&) { throw util::Error("No space left on device"); };
        EXPECT_EQ(testsupport::errorOf(c.write), "No space left on device");
        util::WriteFileReplacingFaultHook() = nullptr;
        EXPECT_EQ(readFile(dir + c.file), old);
        EXPECT_TRUE(dialogs.texts("information").empty());
        // Only the database and the old file are in the directory.
        int others = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            others += entry.path().extension() != ".d" && entry.path().filename() != c.file;
        EXPECT_EQ(others, 0);
        c.write();  // with room on the disk the file is replaced and the message follows
        EXPECT_NE(readFile(dir + c.file), old);
        EXPECT_EQ(dialogs.texts("information").size(), 1u);
        dialogs.shown.clear();
        std::filesystem::remove(dir + c.file);
    }
}

}  // namespace
