#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>
#include "support/test_helpers.h"

namespace functions::testing {

// A fresh directory for one test, removed with everything in it at the end.
class TempDirectory {
public:
    TempDirectory() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("ravo_functions_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" +
                 std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string readBytes(const std::filesystem::path& path) { return testsupport::readFileBytes(path); }

}  // namespace functions::testing
