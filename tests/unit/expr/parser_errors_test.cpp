// Compile errors, evaluation errors and what the parser is like after them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "expr/parser.h"

namespace {

struct ErrorCase {
    const char* name;
    std::string text;
    std::string message;
    std::vector<std::pair<const char*, double>> variables = {};
};

std::ostream& operator<<(std::ostream& out, const ErrorCase& c) { return out << c.text; }

class CompileError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CompileError, IsRaisedWithItsMessage) {
    const ErrorCase& c = GetParam();
    expr::TParser parser;
    try {
        parser.setExpression(c.text);
        FAIL() << "compiled: " << c.text;
    } catch (const expr::EMathParserError& e) {
        EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_FALSE(parser.hasCompiledForm());
    EXPECT_EQ(parser.expression(), c.text);
    EXPECT_EQ(parser.value(), 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CompileError,
    ::testing::Values(
        ErrorCase{"BlankInside", "x y", "Expression has blanks"},
        ErrorCase{"BracketCount", "(x", "Missing brackets in expression"},
        ErrorCase{"BracketsCountedOnly", ")X(", "Error parsing expression:\r)X("},
        ErrorCase{"UnknownFunction", "foo(1)", "Error parsing expression:\rFOO(1)"},
        ErrorCase{"UndefinedName", "X*GAMMA", "Error parsing expression:\rX\rGAMMA"},
        ErrorCase{"ChainedPower", "2^3^2", "Error parsing expression:\r2^3\r2"},
        ErrorCase{"NegatedRightFactor", "X*-Y", "Error parsing expression:\rX\r-Y"},
        ErrorCase{"NegatedRightSummand", "A+-B", "Error parsing expression:\rA+\rB"},
        ErrorCase{"DoubleNegation", "--X", "Error parsing expression:\r-\rX"},
        ErrorCase{"TrailingOperator", "X+", "Error parsing expression:\rX+"},
        ErrorCase{"BracketedArgument", "MAX(1,(5),2)", "Error parsing expression:\rMAX(1,(5),2)"},
        ErrorCase{"EmptyGroup", "()", "Error parsing expression:\r()"},
        ErrorCase{"InvalidGroupKept", "(1+)", "Error parsing expression:\r(1\r)"},
        ErrorCase{"ExponentWithoutDigits", "2E", "Error parsing expression:\r2E"},
        ErrorCase{"LiteralTooLarge", "1E400", "Error parsing expression:\r1E400"},
        ErrorCase{"OtherControlCharacter", "X\t", "Error parsing expression:\rX\t"},
        ErrorCase{"DivWithoutLeftOperand", "DIV2", "Error parsing expression:\rDIV2"}),
    [](const auto& info) { return std::string(info.param.name); });

class EvaluationError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(EvaluationError, IsRaisedByValue) {
    const ErrorCase& c = GetParam();
    expr::TParser parser;
    for (const auto& [name, value] : c.variables) parser.setVariable(name, value);
    parser.setExpression(c.text);
    try {
        const double v = parser.value();
        FAIL() << c.text << " gave " << v;
    } catch (const expr::EEvaluationError& e) {
        EXPECT_EQ(std::string(e.what()), c.message);
    }
}

const std::string kInvalid = "Invalid floating point operation";
const std::string kZeroDivide = "Floating point division by zero";
const std::string kOverflow = "Floating point overflow";
const std::string kIntegerZeroDivide = "Division by zero";
const double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Faults, EvaluationError,
    ::testing::Values(
        ErrorCase{"SqrtOfNegative", "SQRT(-1)", kInvalid},
        ErrorCase{"LnOfNegative", "LN(X)", kInvalid, {{"X", -1e-300}}},
        ErrorCase{"ZeroByZero", "0/X", kInvalid, {{"X", 0}}},
        ErrorCase{"RealPowerOfNegativeBase", "(-8)^(1/3)", kInvalid},
        ErrorCase{"FractionalLiteralPowerOfNegative", "X^0,5", kInvalid, {{"X", -4}}},
        ErrorCase{"InfinityMinusInfinity", "X-X", kInvalid, {{"X", kInfinity}}},
        ErrorCase{"TanOfInfinity", "TAN(X)", kInvalid, {{"X", kInfinity}}},
        ErrorCase{"IntDivBeyond64Bits", "1E19DIV2", kInvalid},
        ErrorCase{"OneByZero", "1/0", kZeroDivide},
        ErrorCase{"NegativeByZero", "X/0", kZeroDivide, {{"X", -2}}},
        ErrorCase{"ZeroToNegativeWholePower", "0^-1", kZeroDivide},
        ErrorCase{"ZeroToNegativeRealPower", "X^Y", kZeroDivide, {{"X", 0}, {"Y", -0.5}}},
        ErrorCase{"ExpOverflow", "EXP(1000)", kOverflow},
        ErrorCase{"CoshOverflow", "COSH(-800)", kOverflow},
        ErrorCase{"ProductOverflowsDouble", "1E308*10", kOverflow},
        ErrorCase{"WholePowerOverflow", "10^400", kOverflow},
        ErrorCase{"NegativeWholePowerOverflowsOnTheWay", "X^-5000", kOverflow, {{"X", 1e-300}}},
        ErrorCase{"QuotientOverflow", "1E300/1E-300", kOverflow},
        ErrorCase{"DivByZero", "7DIV0", kIntegerZeroDivide},
        ErrorCase{"DivByTruncatedZero", "7DIV0,5", kIntegerZeroDivide},
        ErrorCase{"ModByZero", "7MOD0", kIntegerZeroDivide},
        // Deepest operations run first: the division lies deeper than the root's square root.
        ErrorCase{"DeepestFaultFirst", "SQRT(-1)+1/0*2", kZeroDivide}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParserAfterErrors, EvaluationErrorLeavesParserAndVariablesUsable) {
    expr::TParser parser;
    parser.setVariable("Y", 7);
    parser.setExpression("Y/X");
    EXPECT_THROW(parser.value(), expr::EEvaluationError);
    EXPECT_EQ(*parser.variableCell("Y"), 7.0);
    EXPECT_EQ(*parser.variableCell("X"), 0.0);
    parser.setVariable("X", 2);
    EXPECT_EQ(parser.value(), 3.5);
}

TEST(ParserAfterErrors, CompileErrorDropsThePreviousCompiledForm) {
    expr::TParser parser;
    parser.setExpression("2+2");
    EXPECT_THROW(parser.setExpression("2+"), expr::ESyntaxError);
    EXPECT_EQ(parser.value(), 0.0);
    parser.setExpression("3*3");
    EXPECT_EQ(parser.value(), 9.0);
}

TEST(ParserAfterErrors, NonFiniteVariablesPassThroughWithoutFault) {
    expr::TParser parser;
    parser.setVariable("X", std::numeric_limits<double>::quiet_NaN());
    parser.setExpression("X*2+1");
    EXPECT_TRUE(std::isnan(parser.value()));
    parser.setVariable("X", kInfinity);
    EXPECT_EQ(parser.value(), kInfinity);
}

TEST(ParserAfterErrors, AssignedErrorEventReceivesCompileErrorsInsteadOfTheCaller) {
    expr::TParser parser;
    std::vector<std::string> received;
    parser.setOnParserError([&](expr::TParser& sender, const expr::EMathParserError& error) {
        EXPECT_EQ(&sender, &parser);
        received.push_back(error.what());
    });
    parser.setExpression("2+2");
    EXPECT_NO_THROW(parser.setExpression("2+"));
    EXPECT_NO_THROW(parser.setExpression("x y"));
    EXPECT_EQ(received, (std::vector<std::string>{"Error parsing expression:\r2+", "Expression has blanks"}));
    EXPECT_FALSE(parser.hasCompiledForm());
    EXPECT_EQ(parser.value(), 0.0);
    // Evaluation errors still reach the caller of value().
    parser.setExpression("1/X");
    EXPECT_THROW(parser.value(), expr::EEvaluationError);
}

TEST(Variables, BadNamesAreRefusedWithTheName) {
    expr::TParser parser;
    for (const char* name : {"1X", "", "A-B", "x y"}) {
        try {
            parser.setVariable(name, 1);
            FAIL() << "accepted " << name;
        } catch (const expr::EBadName& e) {
            std::string upper = name;
            for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            EXPECT_EQ(std::string(e.what()), upper);
        }
    }
    EXPECT_NO_THROW(parser.setVariable("_a1", 1));
    EXPECT_EQ(*parser.variableCell("_A1"), 1.0);
}

TEST(Variables, ChangesAfterCompilingTakeEffectWithoutRecompiling) {
    expr::TParser parser;
    parser.setVariable("SID", 0);
    parser.setExpression("X*2+sid");
    EXPECT_EQ(parser.value(), 0.0);
    parser.setVariable("x", 3);
    parser.setVariable("SID", 0.5);
    EXPECT_EQ(parser.value(), 6.5);
    double* x = parser.variableCell("X");
    ASSERT_NE(x, nullptr);
    *x = 10;
    EXPECT_EQ(parser.value(), 20.5);
    EXPECT_EQ(parser.variableCell("NOSUCH"), nullptr);
}

// Terms whose variables kept their values are not recomputed between evaluations; every change,
// down to the sign of a zero, must still reach the value, and a fault must not be forgotten.
TEST(Variables, TermsOfUnchangedVariablesGiveTheSameValuesAsAFreshParser) {
    struct Step {
        double t, x;
    };
    const Step steps[] = {{2, 0.5}, {2, 0.25}, {3, 0.25}, {3, -0.0}, {3, 0.0}, {2, 0.5}, {-1, 0.5}, {-1, 0.25}, {4, 0.25}};
    const char* text = "T*LN(T)-2*T^2+1/X+SQRT(T)*X";
    expr::TParser reused;
    reused.setExpression(text);
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "T = " << step.t << ", X = " << step.x);
        reused.setVariable("T", step.t);
        reused.setVariable("X", step.x);
        expr::TParser fresh;
        fresh.setVariable("T", step.t);
        fresh.setVariable("X", step.x);
        fresh.setExpression(text);
        std::string expected, got;
        double expectedValue = 0, gotValue = 0;
        try {
            expectedValue = fresh.value();
        } catch (const expr::EEvaluationError& e) {
            expected = e.what();
        }
        try {
            gotValue = reused.value();
        } catch (const expr::EEvaluationError& e) {
            got = e.what();
        }
        EXPECT_EQ(got, expected);
        if (expected.empty()) {
            EXPECT_EQ(std::signbit(gotValue), std::signbit(expectedValue));
            EXPECT_EQ(gotValue, expectedValue);
        }
    }
}

TEST(Variables, MustExistBeforeTheExpressionCompiles) {
    expr::TParser parser;
    EXPECT_THROW(parser.setExpression("R*T"), expr::ESyntaxError);
    parser.setVariable("R", 8.31441);
    parser.setVariable("T", 100);
    parser.setExpression("R*T");
    EXPECT_DOUBLE_EQ(parser.value(), 831.441);
}

TEST(Variables, EmptyTextHasNoCompiledForm) {
    expr::TParser parser;
    for (const char* text : {"", "   "}) {
        parser.setExpression("1");
        parser.setExpression(text);
        EXPECT_FALSE(parser.hasCompiledForm());
        EXPECT_EQ(parser.value(), 0.0);
    }
}

TEST(Functions, RndScalesAUniformNumberByTheTruncatedArgument) {
    expr::TParser parser;
    parser.setExpression("RND(10,7)");
    double first = parser.value();
    bool varied = false;
    for (int i = 0; i < 100; ++i) {
        const double v = parser.value();
        EXPECT_GE(v, 0.0);
        EXPECT_LT(v, 10.0);
        varied = varied || v != first;
    }
    EXPECT_TRUE(varied);
}

}  // namespace
