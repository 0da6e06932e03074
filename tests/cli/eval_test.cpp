// ravo-cli eval, run as the built program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include "support/cli_runner.h"

namespace {

using EvalRun = testsupport::CliRun;

// Runs ravo-cli eval with `arguments` (shell words, quoted by the caller).
EvalRun eval(const std::string& arguments) { return testsupport::runRavoCli("eval " + arguments); }

TEST(EvalCommand, PrintsTheValueInTheGeneralFormat) {
    const EvalRun run = eval("'3*5DIV2+1,5'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.output, "7.5\n");
}

TEST(EvalCommand, SetsVariablesReadWithEitherSeparator) {
    const EvalRun run = eval("--var T=1000 --var gamma=0,5 --var x=.25 'R*T*GAMMA+X' --var R=8.31441");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.output, "4157.455\n");
}

TEST(EvalCommand, ReportsCompileAndEvaluationErrorsWithStatusOne) {
    struct Case {
        const char* arguments;
        const char* message;
    } cases[] = {
        {"'2^3^2'", "Error parsing expression:\n2^3\n2\n"},
        {"'x y'", "Expression has blanks\n"},
        {"'SQRT(X-1)'", "Invalid floating point operation\n"},
        {"--var 1X=2 X", "1X\n"},
    };
    for (const Case& c : cases) {
        const EvalRun run = eval(c.arguments);
        EXPECT_EQ(run.status, 1) << c.arguments;
        EXPECT_EQ(run.err, c.message) << c.arguments;
        EXPECT_EQ(run.output, "") << c.arguments;
    }
}

TEST(EvalCommand, ExpressionMayBeginWithAMinusAfterTheEndOfOptions) {
    EvalRun run = eval("--var X=3 -- '--X'");
    EXPECT_EQ(run.status, 1);
    run = eval("--var X=3 -- '-2*X'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.output, "-6\n");
}

TEST(EvalCommand, WrongWordsAreUsageErrors) {
    for (const char* arguments : {"", "''", "--var X=abc X", "--var X X", "--var =3 X", "1 2"}) {
        const EvalRun run = eval(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.output, "") << arguments;
        EXPECT_NE(run.err.find("usage: ravo-cli eval"), std::string::npos) << arguments << ": " << run.err;
    }
}

}  // namespace
