// What ravo-cli tells a user who asks for help or gets something wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "support/cli_runner.h"

namespace {

using testsupport::CliRun;

CliRun ravo(const std::string& arguments) { return testsupport::runRavoCli(arguments); }

// The command names of the overview that "ravo-cli --help" prints, one per "  NAME ..." line
// below "commands:".
std::vector<std::string> listedCommands() {
    const CliRun overview = ravo("--help");
    EXPECT_EQ(overview.status, 0);
    std::vector<std::string> names;
    std::istringstream lines(overview.output);
    std::string line;
    while (std::getline(lines, line) && line != "commands:") {
    }
    while (std::getline(lines, line)) names.push_back(line.substr(2, line.find(' ', 2) - 2));
    return names;
}

TEST(CommandHelp, EveryCommandExplainsItselfWithStatusZero) {
    const std::vector<std::string> names = listedCommands();
    for (const char* expected : {"calc", "catalog", "delete", "eval", "export", "import", "init", "listing",
                                 "stability-export", "stability-import", "systems"})
        EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        // --help wins over every other word, even missing or wrong ones.
        for (const std::string& words : {name + " --help", name + " --db /nonexistent -h", "help " + name}) {
            const CliRun run = ravo(words);
            EXPECT_EQ(run.status, 0) << words;
            EXPECT_EQ(run.output.rfind("usage: ravo-cli " + name + " ", 0), 0u) << run.output;
            EXPECT_EQ(run.err, "") << words;
        }
    }
    // After "--" the word is the expression, not a request for help.
    EXPECT_EQ(ravo("eval -- --help").status, 1);
}

// Each failure, whatever its kind, says what went wrong on the error stream.
TEST(CommandHelp, EveryFailureSaysWhy) {
    const struct {
        const char* words;
        int status;
        const char* says;
    } cases[] = {
        {"", 2, "usage: ravo-cli COMMAND"},
        {"frobnicate", 2, "unknown command frobnicate"},
        {"help frobnicate", 2, "unknown command frobnicate"},
        {"eval --var =3 X", 2, "--var takes NAME=VALUE, not =3"},
        {"eval ''", 2, "the expression is empty"},
        {"eval 'SQRT(-1)'", 1, "Invalid floating point operation"},
        {"systems --db /nonexistent/ravo", 1, "Can not open database files"},
        {"systems --db", 2, "option --db needs a value"},
        {"systems --bd x", 2, "unknown option --bd"},
        {"import --db /nonexistent/ravo", 2, "missing file name"},
        {"delete --db /nonexistent/ravo --system A+B", 1, "Can not open database files"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        const CliRun run = ravo(c.words);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
}

}  // namespace
