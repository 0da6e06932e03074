// Values of expressions: grouping of operators, literals, functions and powers.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "expr/parser.h"

namespace {

struct ValueCase {
    const char* name;
    const char* text;
    double expected;
    std::vector<std::pair<const char*, double>> variables = {};
};

std::ostream& operator<<(std::ostream& out, const ValueCase& c) { return out << c.text; }

const double kPi = 3.141592653589793;

class ExpressionValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ExpressionValue, EvaluatesTo) {
    const ValueCase& c = GetParam();
    expr::TParser parser;
    for (const auto& [name, value] : c.variables) parser.setVariable(name, value);
    parser.setExpression(c.text);
    EXPECT_DOUBLE_EQ(parser.value(), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Grouping, ExpressionValue,
    ::testing::Values(
        ValueCase{"DifferenceFromLeft", "10-4-3", 3},
        ValueCase{"DifferenceThenSum", "10-4+3", 9},
        ValueCase{"QuotientFromLeft", "24/4/2", 3},
        ValueCase{"QuotientThenProduct", "24/4*2", 12},
        // a*b/c is a*(b/c): (a*b) alone would overflow a double.
        ValueCase{"ProductOfQuotient", "1E200*1E200/1E300", 1e100},
        ValueCase{"ProductOfIntDiv", "3*5DIV2", 6},
        ValueCase{"ProductOfQuotientReal", "3*5/2", 7.5},
        ValueCase{"IntDivThenMod", "17DIV2MOD5", 3},
        ValueCase{"ModBySignedLiteral", "7MOD-3", 1},
        ValueCase{"SignedLiteralMod", "-7MOD3", -1},
        ValueCase{"NegationOfPower", "-2^2", -4},
        ValueCase{"PowerOfGroup", "(-2)^2", 4},
        ValueCase{"SignedExponent", "2^-1", 0.5},
        ValueCase{"SignedExponentOfVariable", "X^-2", 0.25, {{"X", 2}}},
        ValueCase{"ProductWithSignedLiteral", "2*-3", -6},
        ValueCase{"SumWithSignedLiteral", "A+-2", 1, {{"A", 3}}},
        ValueCase{"NegationOfGroup", "-(-X)", 5, {{"X", 5}}},
        ValueCase{"NegatedFactor", "-X*Y", -6, {{"X", 2}, {"Y", 3}}},
        ValueCase{"PowerOfPowerLeft", "(2^3)^2", 64},
        ValueCase{"PowerOfPowerRight", "2^(3^2)", 512},
        ValueCase{"OuterBracketsRemoved", "((X))", 3, {{"X", 3}}},
        ValueCase{"BracketedSumsJoined", "(1)+(2)", 3},
        ValueCase{"BlanksAtEnds", "  X+1  ", 4, {{"X", 3}}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Literals, ExpressionValue,
    ::testing::Values(
        ValueCase{"CommaIsDecimalPoint", "1,5", 1.5},
        ValueCase{"CommaInTwoArgumentCall", "MAX(1,5,2)", 5.2},
        ValueCase{"CommaSeparatesArguments", "MAX(1,5)", 5},
        ValueCase{"CommaInOneArgumentCall", "SIN(0,5)", std::sin(0.5)},
        ValueCase{"Exponent", "1E3", 1000},
        ValueCase{"LowerCaseExponent", "2,5e-3", 0.0025},
        ValueCase{"LeadingPoint", "-.0188702", -0.0188702},
        ValueCase{"LeadingPlus", "+4672.157", 4672.157},
        ValueCase{"TinyLiteralIsZero", "1E-400", 0},
        ValueCase{"Pi", "PI", kPi},
        ValueCase{"NegativePi", "-PI", -kPi},
        ValueCase{"PiInProduct", "2*pi", 2 * kPi},
        ValueCase{"EIsAVariable", "E", 0},
        ValueCase{"EAsSetVariable", "E*2", 5, {{"e", 2.5}}},
        ValueCase{"LowerCaseNames", "sin(x)", std::sin(0.25), {{"X", 0.25}}},
        ValueCase{"HostVariable", "GAMMA_1*2", 4, {{"gamma_1", 2}}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Functions, ExpressionValue,
    ::testing::Values(
        ValueCase{"Tan", "TAN(1)", std::tan(1.0)},
        ValueCase{"Sin", "SIN(1)", std::sin(1.0)},
        ValueCase{"Cos", "COS(1)", std::cos(1.0)},
        ValueCase{"SinBeyondRange", "SIN(1E19)", 0},
        ValueCase{"CosBeyondRange", "COS(-1E19)", 0},
        ValueCase{"Sinh", "SINH(1)", std::sinh(1.0)},
        ValueCase{"Cosh", "COSH(1)", std::cosh(1.0)},
        ValueCase{"ArcTan", "ARCTAN(1)", kPi / 4},
        ValueCase{"Exp", "EXP(1)", std::exp(1.0)},
        ValueCase{"Ln", "LN(EXP(2))", 2},
        ValueCase{"LnOfZero", "LN(0)", 0},
        ValueCase{"Sqrt", "SQRT(16)", 4},
        ValueCase{"Abs", "ABS(-3)", 3},
        ValueCase{"HeavAtZero", "HEAV(0)", 1},
        ValueCase{"HeavNegative", "HEAV(-1E-300)", 0},
        ValueCase{"SignNegative", "SIGN(-0.5)", -1},
        ValueCase{"SignZero", "SIGN(0)", 0},
        ValueCase{"SignPositive", "SIGN(7)", 1},
        ValueCase{"ZeroAtZero", "ZERO(0)", 0},
        ValueCase{"ZeroElsewhere", "ZERO(-2)", 1},
        // PH: a = x / 0.63662 = pi/2 here; (a - round(a)) * 2 pi.
        ValueCase{"Ph", "PH(1)", (kPi / 2 - 2) * 2 * kPi},
        // a = 2.5 exactly: the tie goes to the even 2, not to 3.
        ValueCase{"PhRoundsTiesToEven", "PH(X)", kPi, {{"X", 1.5915494309189533}}},
        ValueCase{"RndOfFraction", "RND(0,9)", 0},
        ValueCase{"Max", "MAX(-1,-2)", -1},
        ValueCase{"Min", "MIN(2,3)", 2},
        ValueCase{"NestedCalls", "MIN(MAX(1,2),SQRT(9))", 2}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Powers, ExpressionValue,
    ::testing::Values(
        ValueCase{"ZeroToTheZero", "X^0", 1, {{"X", 0}}},
        ValueCase{"First", "X^1", -3, {{"X", -3}}},
        ValueCase{"SquareOfNegative", "X^2", 9, {{"X", -3}}},
        ValueCase{"CubeOfNegative", "X^3", -27, {{"X", -3}}},
        ValueCase{"Fourth", "X^4", 81, {{"X", -3}}},
        ValueCase{"Tenth", "2^10", 1024},
        ValueCase{"NegativeWholeExponent", "T^(-1)", 0.002, {{"T", 500}}},
        ValueCase{"NegativeLiteralExponent", "X^-9", 1.0 / 512, {{"X", 2}}},
        ValueCase{"FractionWithComma", "X^2,5", 32, {{"X", 4}}},
        ValueCase{"SquareRoot", "X^0.5", std::sqrt(2.0), {{"X", 2}}},
        ValueCase{"WholeVariableExponentOfNegativeBase", "X^Y", -8, {{"X", -2}, {"Y", 3}}},
        ValueCase{"ZeroBasePositiveExponent", "X^Y", 0, {{"X", 0}, {"Y", 0.5}}},
        ValueCase{"AnythingToTheZero", "X^Y", 1, {{"X", -5}, {"Y", 0}}},
        ValueCase{"UnderflowIsNoFault", "10^-400", 0},
        ValueCase{"UnderflowBeyondExtendedRange", "X^-5000", 0, {{"X", 1e300}}},
        ValueCase{"HugeWholeExponent", "1^1E30", 1},
        // A bracketed literal is still a literal exponent: a whole power, not exp(b*ln a).
        ValueCase{"BracketedLiteralExponentIsWhole", "X^(3000000001)", -1, {{"X", -1}}},
        ValueCase{"DoublyBracketedLiteralExponent", "X^((-3))", -0.125, {{"X", -2}}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    IntegerDivision, ExpressionValue,
    ::testing::Values(
        ValueCase{"TruncatesOperands", "7,9DIV2,9", 3},
        ValueCase{"QuotientTowardZero", "-7DIV2", -3},
        ValueCase{"RemainderSignOfDividend", "-7MOD-2", -1},
        ValueCase{"LargestQuotient", "XDIVY", 9223372036854775808.0,
                  {{"X", -9223372036854775808.0}, {"Y", -1}}}),
    [](const auto& info) { return std::string(info.param.name); });

// A pure-element Gibbs energy as stored: the text's grouping gives the same number as the formula.
TEST(ExpressionValue, GibbsEnergyOfAPureElement) {
    expr::TParser parser;
    parser.setExpression("-7650.085+101.715188*T-24.5242231*T*LN(T)-3.65895E-3*T^2-0.24395E-6*T^3+69460*T^(-1)");
    for (double t : {298.15, 500.0, 600.65}) {
        parser.setVariable("T", t);
        const double expected = -7650.085 + 101.715188 * t - 24.5242231 * t * std::log(t) - 3.65895e-3 * t * t -
                                0.24395e-6 * t * t * t + 69460 / t;
        EXPECT_NEAR(parser.value(), expected, 1e-9 * std::fabs(expected)) << t;
    }
}

// Each operation rounds to a double only when it stores: a cube is x*x*x in extended precision,
// rounded once, which differs from three double products for some x.
TEST(ExpressionValue, OperationsRoundOnceFromExtendedPrecision) {
    expr::TParser parser;
    parser.setExpression("X^3");
    int differing = 0;
    for (int i = 1; i < 200; ++i) {
        const double x = 1.0 + i * 0.0123456789;
        parser.setVariable("X", x);
        const long double wide = static_cast<long double>(x) * x * x;
        EXPECT_EQ(parser.value(), static_cast<double>(wide)) << x;
        if (static_cast<double>(wide) != x * x * x) ++differing;
    }
    EXPECT_GT(differing, 0) << "no sample separates extended from double arithmetic";
}

}  // namespace
