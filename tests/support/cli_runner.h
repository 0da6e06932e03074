#pragma once
#include <filesystem>
#include <string>

#include "support/test_helpers.h"

namespace testsupport {

struct CliRun {
    int status = -1;     // exit status; -1 when the program could not be run or did not exit
    std::string output;  // standard output (with standard error too when merged)
    std::string err;     // standard error when kept apart
};

enum class ErrorStream { Apart, Merged };

// Runs the built ravo-cli with `arguments` (shell words, quoted by the caller) and no input, in
// `workingDirectory` when one is given.
CliRun runRavoCli(const std::string& arguments, ErrorStream errorStream = ErrorStream::Apart,
                  const std::filesystem::path& workingDirectory = {});

}  // namespace testsupport
