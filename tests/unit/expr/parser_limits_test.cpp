// The depth (20 levels) and width (50 operations per level) limits of a compiled expression.
#include <gtest/gtest.h>

#include <string>

#include "expr/parser.h"

namespace {

// Negations, each of a bracketed group, around a sum of two variables: negations + 1 levels.
std::string nestedNegations(int negations) {
    std::string text = "X+Y";
    for (int i = 0; i < negations; ++i) text = "-(" + text + ")";
    return text;
}

TEST(Limits, TwentyLevelsCompileAndTwentyOneDoNot) {
    expr::TParser parser;
    parser.setVariable("X", 1);
    parser.setVariable("Y", 2);
    parser.setExpression(nestedNegations(19));
    EXPECT_EQ(parser.value(), -3.0);
    try {
        parser.setExpression(nestedNegations(20));
        FAIL() << "21 levels compiled";
    } catch (const expr::ETooManyNestings& e) {
        EXPECT_STREQ(e.what(), "Expression contains too many nestings");
    }
}

TEST(Limits, RightGroupedSumOfTwentyTwoTermsIsTooDeep) {
    // a+b+c is a+(b+c): every further term adds a level.
    std::string sum21 = "1";
    for (int i = 0; i < 20; ++i) sum21 += "+1";
    expr::TParser parser;
    parser.setExpression(sum21);
    EXPECT_EQ(parser.value(), 21.0);
    EXPECT_THROW(parser.setExpression(sum21 + "+1"), expr::ETooManyNestings);
}

// A full tree of sums six levels deep (32 sums on level 6, 64 operands below), whose first
// `products` operands on level 7 are products X*X and the others the variable X.
std::string treeWithProductsOnLevelSeven(int products) {
    int made = 0;
    auto build = [&](auto&& self, int level) -> std::string {
        if (level == 7) return made++ < products ? "X*X" : "X";
        return "(" + self(self, level + 1) + ")+(" + self(self, level + 1) + ")";
    };
    return build(build, 1);
}

TEST(Limits, FiftyOperationsOnOneLevelCompileAndFiftyOneDoNot) {
    expr::TParser parser;
    parser.setVariable("X", 2);
    parser.setExpression(treeWithProductsOnLevelSeven(50));
    EXPECT_EQ(parser.value(), 50 * 4.0 + 14 * 2.0);
    try {
        parser.setExpression(treeWithProductsOnLevelSeven(51));
        FAIL() << "51 operations on level 7 compiled";
    } catch (const expr::EExpressionTooComplex& e) {
        EXPECT_STREQ(e.what(), "Expression is too complex");
    }
}

// Texts whose reading would nest thousands deep stop with the nesting error instead of
// exhausting the stack.
TEST(Limits, ReadingsThousandsDeepStopWithTheNestingError) {
    std::string sum = "X";
    for (int i = 0; i < 5000; ++i) sum += "+X";
    const std::string brackets = std::string(20000, '(') + "X" + std::string(20000, ')');
    expr::TParser parser;
    for (const std::string& text : {sum, brackets}) EXPECT_THROW(parser.setExpression(text), expr::ETooManyNestings);
    parser.setExpression(std::string(500, '(') + "X" + std::string(500, ')'));
    EXPECT_TRUE(parser.hasCompiledForm());
}

}  // namespace
