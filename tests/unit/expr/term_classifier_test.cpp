// The memo of substring forms must not change what the compiler reads: memoised and plain
// recursive readings agree on values and on error messages. Long expressions compile.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "expr/compiler.h"
#include "expr/parser_errors.h"
#include "expr/term_classifier.h"

namespace {

// Compiles and evaluates with a fixed variable table; returns the value or the error text.
std::string outcome(const std::string& text, bool memoise) {
    std::map<std::string, double, std::less<>> variables{{"X", 0.3}, {"Y", 2}, {"T", 500}, {"E", 0.5}};
    auto cells = [&](std::string_view name) -> double* {
        auto it = variables.find(name);
        return it == variables.end() ? nullptr : &it->second;
    };
    try {
        auto form = expr::Compiler::compile(text, cells, memoise);
        if (!form) return "<none>";
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.17g", form->evaluate());
        return buffer;
    } catch (const util::Error& e) {
        return std::string("error: ") + e.what();
    }
}

TEST(MemoisedReading, AgreesWithPlainRecursion) {
    const char* texts[] = {
        "X*(1-X)*(1+2*(1-2*X))-X^2/Y^3",
        "-7650.085+101.715188*T-24.5242231*T*LN(T)-3.65895E-3*T^2",
        "1-2-3-4*5/6/7DIV2MOD3",
        "-X^2*Y-(-X)^2+2^-1*3MOD-2",
        "MAX(1,5,2)+MIN(X,(Y))-MAX(1,(5),2)",
        "A-B+C*-D", "X*-Y+1", "X+-2^2", "1E-3-2E+3*E-E^E", "2^3^2-1",
        "SIN(COS(TAN(X)))*SQRT(ABS(-Y))+EXP(LN(X))",
        "((X)+(Y))*((X)-(Y))/((X))", "(((1+)))", "X+Y)*(X",
        "-(-(-(X+Y)))", "--X", "SIGN(X-Y)*HEAV(X)DIVZERO(Y)",
    };
    for (const char* text : texts) EXPECT_EQ(outcome(text, true), outcome(text, false)) << text;
}

// A solution-phase Gibbs energy with its two element functions written out in fixed notation
// (twelve decimals, as some exporters write them): about 400 characters.
std::string solutionPhase(int seed) {
    auto element = [](double shift) {
        char text[400];
        std::snprintf(text, sizeof text, "%.12f%+.12f*T%+.12f*T*LN(T)%+.12f*T^2%+.12f*T^3%+.12f*T^(-1)",
                      -7650.085 + shift, 101.715188 - shift / 100, -24.5242231, -3.65895e-3, -0.24395e-6,
                      69460.0 + shift);
        return std::string(text);
    };
    return "X*(" + element(seed) + ")+(1-X)*(" + element(-seed) +
           ")+R*T*(X*LN(X)+(1-X)*LN(1-X))+X*(1-X)*((6200-0.5*T)+(-500+1.2*T)*(1-2*X))";
}

TEST(LongExpressions, CompileToTheSumOfTheirPartsAndReportAnErrorAtTheirEnd) {
    std::map<std::string, double, std::less<>> variables{{"X", 0.3}, {"T", 700}, {"R", 8.31441}};
    auto cells = [&](std::string_view name) -> double* {
        auto it = variables.find(name);
        return it == variables.end() ? nullptr : &it->second;
    };
    // Right-nested sum of six phases: within 20 levels of 50 operations.
    std::string text;
    double sumOfParts = 0;
    for (int i = 5; i >= 0; --i) {
        const std::string phase = solutionPhase(i);
        sumOfParts += expr::Compiler::compile(phase, cells)->evaluate();
        text = text.empty() ? "(" + phase + ")" : "(" + phase + ")+(" + text + ")";
    }
    ASSERT_GE(text.size(), 2000u);

    auto form = expr::Compiler::compile(text, cells);
    ASSERT_NE(form, nullptr);
    EXPECT_NEAR(form->evaluate(), sumOfParts, 1e-12 * std::fabs(sumOfParts));

    try {
        expr::Compiler::compile(text + "*", cells);
        FAIL() << "a trailing operator compiled";
    } catch (const expr::ESyntaxError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Error parsing expression:\r", 0), 0u) << e.what();
    }
}

// A chain of one operator, "T-T-T-…", is refused for its depth after being read; the reading must
// cost about the same whatever the operator, and grow no faster than the text. Work is counted in
// split points examined: four times the text may cost at most twice the work (a chain read from
// the left once scanned its whole length per operator: sixteen times the work).
TEST(LongExpressions, ChainsOfAnyOperatorAreReadInLinearWork) {
    auto work = [](const std::string& op, int terms) {
        std::string text = "T";
        for (int i = 1; i < terms; ++i) text += op + "T";
        expr::TermClassifier classifier(text, [](std::string_view name) { return name == "T"; });
        EXPECT_THROW(classifier.classify(0, text.size()), expr::ETooManyNestings) << op;
        return static_cast<double>(classifier.splitsExamined());
    };
    for (const char* op : {"+", "-", "*", "/", "DIV", "MOD"}) {
        const double small = work(op, 5000);
        const double large = work(op, 20000);
        EXPECT_LT(large, 2 * small) << op << ": " << small << " split points for 5000 terms, " << large
                                    << " for 20000";
    }
}

// Texts that are no expression and whose reading would grow faster than their length end in an
// error after a bounded amount of work, whatever their length (unbounded, the first of these takes
// hours at this length).
TEST(LongExpressions, TextsOfCostlyReadingAreRefusedAfterBoundedWork) {
    const std::string units[] = {"W/-", std::string("W/-\0", 4), "X*-(", "MAX(1,"};
    for (const std::string& unit : units) {
        std::string text;
        while (text.size() < 200000) text += unit;
        expr::TermClassifier classifier(text, [](std::string_view name) { return name == "W" || name == "X"; });
        try {
            EXPECT_EQ(classifier.classify(0, text.size()), expr::TermKind::Invalid);
        } catch (const expr::EMathParserError& e) {
            const std::string message = e.what();
            EXPECT_TRUE(message == "Expression is too complex" || message == "Expression contains too many nestings")
                << message;
        }
    }
}

TEST(NumberLiterals, ReadTheirValueOrRefuse) {
    struct Case {
        const char* text;
        bool isNumber;
        double value;
    } cases[] = {
        {"12", true, 12}, {"-1,25", true, -1.25}, {"+3.5E+2", true, 350}, {".5", true, 0.5}, {"5.", false, 0}, {"5,", false, 0},
        {"1E-400", true, 0}, {"1,5,2", false, 0}, {"1.5,2", false, 0}, {"1E", false, 0}, {"E5", false, 0},
        {"-", false, 0}, {"1E400", false, 0}, {"INF", false, 0}, {"NAN", false, 0}, {"0X10", false, 0},
    };
    for (const Case& c : cases) {
        auto value = expr::TermClassifier::numberLiteral(c.text);
        EXPECT_EQ(value.has_value(), c.isNumber) << c.text;
        if (value && c.isNumber) {
            EXPECT_EQ(*value, c.value) << c.text;
        }
    }
}

}  // namespace
