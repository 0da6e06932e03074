// Replacing a file as a whole: the old file stays until the new one is complete and synced.
#include "util/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/test_helpers.h"
#include "util/errors.h"

namespace {

namespace fs = std::filesystem;

class WriteFileReplacingTest : public ::testing::Test {
protected:
    fs::path dir;
    std::string path;

    void SetUp() override {
        dir = fs::temp_directory_path() / ("ravo_atomic_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "out.txt").string();
    }
    void TearDown() override {
        util::WriteFileReplacingFaultHook() = nullptr;
        fs::remove_all(dir);
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
};

TEST_F(WriteFileReplacingTest, ReplacesTheContentAndKeepsThePermissionsOfTheOldFile) {
    std::ofstream(path) << "old content that is longer";
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    util::WriteFileReplacing(path, std::string_view("new\r\n"));
    EXPECT_EQ(testsupport::readFileBytes(path), "new\r\n");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(names(), std::vector<std::string>{"out.txt"});
}

TEST_F(WriteFileReplacingTest, FailureLeavesTheOldFileAndNoTemporary) {
    struct Case {
        const char* name;
        std::function<void()> fault;  // installs the fault
        std::function<void(std::ostream&)> write;
        std::string error;
    };
    const std::vector<Case> cases{
        {"disk full before the rename",
         [] { util::WriteFileReplacingFaultHook() = [](const std::string&) { throw util::Error("No space left on device"); }; },
         [](std::ostream& out) { out << std::string(100000, 'x'); }, "No space left on device"},
        {"writer throws half-way", [] {},
         [](std::ostream& out) {
             out << "half";
             throw util::Error("value refused");
         },
         "value refused"},
        {"stream fails", [] {}, [](std::ostream& out) { out.setstate(std::ios::badbit); },
         "Ошибка записи в файл " + (fs::temp_directory_path() / ("ravo_atomic_" + std::to_string(::getpid())) / "out.txt").string()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(path, std::ios::trunc) << "old";
        c.fault();
        EXPECT_EQ(testsupport::errorOf([&] { util::WriteFileReplacing(path, c.write); }).substr(0, c.error.size()),
                  c.error);
        util::WriteFileReplacingFaultHook() = nullptr;
        EXPECT_EQ(testsupport::readFileBytes(path), "old");
        EXPECT_EQ(names(), std::vector<std::string>{"out.txt"});
    }
}

TEST_F(WriteFileReplacingTest, MissingDirectoryIsReportedWithTheSystemsReason) {
    const std::string inside = (dir / "missing" / "out.txt").string();
    EXPECT_EQ(testsupport::errorOf([&] { util::WriteFileReplacing(inside, std::string_view("x")); }),
              "Не удается создать файл " + inside + "\rNo such file or directory");
}

TEST_F(WriteFileReplacingTest, ASymbolicLinkKeepsPointingToTheReplacedFile) {
    fs::create_directory(dir / "real");
    const fs::path real = dir / "real" / "data.txt";
    std::ofstream(real) << "old";
    fs::create_symlink(real, path);
    util::WriteFileReplacing(path, std::string_view("new"));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(testsupport::readFileBytes(real), "new");
}

}  // namespace
