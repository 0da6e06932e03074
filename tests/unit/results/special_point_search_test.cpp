#include "results/special_point_search.h"

#include <gtest/gtest.h>

#include "results/special_points.h"
#include "results/y_parameter.h"
#include "special_point_test_support.h"
#include "util/errors.h"

namespace {

using namespace resultstest;
using results::FindSpecialPoints;

// Texts with "." replaced by the separator, as the run writes the headers.
std::vector<Event> localised(std::vector<Event> events, char sep) {
    for (Event& e : events) e.text = withSeparator(e.text, sep);
    return events;
}

std::vector<Event> search(const calc::PhaseMatrix& m, char sep, int yIndex = calc::kYTemperature) {
    RecordingSink sink;
    FindSpecialPoints(m, yIndex, sep, sink);
    return sink.events;
}

// x = 0, 0.05, ..., 1 and Y = 1000, 975, ..., 500 with a solid solution α at the A side, β only
// at x = 1, and a liquid L; a eutectic between 725 and 700. a = α, b = β.
calc::PhaseMatrix workedExample(char sep) {
    std::vector<std::string> xs;
    for (int i = 0; i <= 20; ++i) {
        std::string hundredths = std::to_string(100 + 5 * i).substr(1);
        if (hundredths.back() == '0') hundredths.pop_back();
        xs.push_back(i == 0 ? "0" : i == 20 ? "1" : "0." + hundredths);
    }
    const char* patterns[] = {
        "LLLLLLLLLLLLLLLLLLLLL", "LLLLLLLLLLLLLLLLLLLLL", "LLLLLLLLLLLLLLLLLLLLL",  // 1000 975 950
        "LLLLLLLLLLLLLLLLLLLLb", "LLLLLLLLLLLLLLLLEEEEb", "aEELLLLLLLLLLLEEEEEEb",  // 925 900 875
        "aaEEELLLLLLLLEEEEEEEb", "aaaEEELLLLLLLEEEEEEEb", "aaaaEEELLLLLEEEEEEEEb",  // 850 825 800
        "aaaaaEEELLLLEEEEEEEEb", "aaaaaEEEELLLEEEEEEEEb", "aaaaaaEEELLEEEEEEEEEb",  // 775 750 725
        "aaaaaaEEEEEEEEEEEEEEb", "aaaaaaEEEEEEEEEEEEEEb", "aaaaaaEEEEEEEEEEEEEEb",  // 700 675 650
        "aaaaaaEEEEEEEEEEEEEEb", "aaaaaEEEEEEEEEEEEEEEb", "aaaaaEEEEEEEEEEEEEEEb",  // 625 600 575
        "aaaaaEEEEEEEEEEEEEEEb", "aaaaaEEEEEEEEEEEEEEEb", "aaaaaEEEEEEEEEEEEEEEb",  // 550 525 500
    };
    std::vector<MatrixRow> rows;
    for (int r = 0; r < 21; ++r) {
        std::string cells;
        for (char ch : std::string(patterns[r])) cells += ch == 'a' ? "α " : ch == 'b' ? "β " : std::string(1, ch) + " ";
        rows.push_back({std::to_string(1000 - 25 * r), cells});
    }
    return buildMatrix(xs, rows, sep);
}

class WorkedExample : public ::testing::TestWithParam<char> {};

TEST_P(WorkedExample, FindsBothOtherPointsAndTheEutecticNodeInOrder) {
    const char sep = GetParam();
    const std::vector<Event> expected = localised(
        {
            begin(),
            // 950 = L over 925 = L | E | β: β at x = 1 keeps its x, Y midway between the rows.
            other(1, 937.5, "T(X = 1) = 937.5 "), chart(1, 937.5),
            // 900 = L | E | β over 875 = α | E | L | E | β: α at x = 0 under L.
            other(0, 887.5, "T(X = 0) = 887.5 "), chart(0, 887.5),
            // 725 = α | E | L | E | β over 700 = α | E | β: L has only "E" below it.
            node(725, 0.45, 0.25, 1), chart(0.25, 725), chart(0.45, 725), chart(1, 725),
            end(),
        },
        sep);
    EXPECT_EQ(search(workedExample(sep), sep), expected);
}

INSTANTIATE_TEST_SUITE_P(Separators, WorkedExample, ::testing::Values(',', '.'));

TEST(SpecialPoints, KeepsTheListsOfTheLastSearchOnly) {
    calc::PhaseMatrix m = workedExample(',');
    results::SpecialPoints found;
    for (int pass = 0; pass < 2; ++pass) {
        FindSpecialPoints(m, calc::kYTemperature, ',', found);
        ASSERT_EQ(found.nodes().size(), 1u);
        EXPECT_EQ(found.nodes()[0], (results::TNode{725, 0.45, 0.25, 1}));
        ASSERT_EQ(found.otherPoints().size(), 2u);
        EXPECT_EQ(found.otherPoints()[1], (results::SpecialPoints::OtherPoint{{0, 887.5}, "T(X = 0) = 887,5 "}));
        EXPECT_EQ(found.chartPoints().size(), 5u);
    }
}

struct SearchCase {
    const char* name;
    std::vector<std::string> xs;
    std::vector<MatrixRow> rows;
    std::vector<Event> found;  // between begin() and end()
    int yIndex = calc::kYTemperature;
};

const std::vector<std::string> kQuarters = {"0", "0.25", "0.5", "0.75", "1"};

const SearchCase kSearchCases[] = {
    {"CompoundRunGivesPointAtItsFirstColumnAndOwnRow", kQuarters,
     {{"20", "L L L L L"}, {"10", "L E AB-(C) E L"}},
     {other(0.5, 10, "T(X = 0.5) = 10 "), chart(0.5, 10)}},
    {"InteriorRunTakesMiddleToLastTwoPhaseColumn", kQuarters,
     {{"20", "L L L L L"}, {"10", "L L α E β"}},
     {other(0.625, 15, "T(X = 0.625) = 15 "), chart(0.625, 15)}},
    {"TwoPhaseScanStopsBeforeTheLastColumn", kQuarters,
     {{"20", "L L L L L"}, {"10", "L α E E E"}},
     {other(0.5, 15, "T(X = 0.5) = 15 "), chart(0.5, 15)}},
    {"TwoPhaseScanIgnoresBlanksAroundTheMarker", kQuarters,
     {{"20", "L L L L L"}, {"10", "L α _E E E"}},
     {other(0.5, 15, "T(X = 0.5) = 15 "), chart(0.5, 15)}},
    {"RunInTheLastColumnKeepsItsX", {"0", "0.25", "0.5"},
     {{"20", "L L L"}, {"10", "L L α"}},
     {other(0.5, 15, "T(X = 0.5) = 15 "), chart(0.5, 15)}},
    {"GapInsideOnePhaseIsExaminedItself", kQuarters,
     {{"20", "α α α α α"}, {"10", "α E E α α"}},
     {other(0.375, 15, "T(X = 0.375) = 15 "), chart(0.375, 15)}},
    {"OnlyOneOtherPointPerRowPair", kQuarters,
     {{"20", "L L L L L"}, {"10", "α E L E β"}},
     {other(0, 15, "T(X = 0) = 15 "), chart(0, 15)}},
    {"FieldEndingBetweenRowsAtTheEdgeGivesNothing", kQuarters,
     {{"20", "α α E β β"}, {"10", "α E E E E"}},
     {}},
    // The upper row has more runs, so the walk goes over its runs, but the point still takes the
    // lower row's Y and the scan for the two-phase field reads the lower row.
    {"CompoundRunOfTheUpperRowTakesTheLowerRowsY", kQuarters,
     {{"20", "L E AB-(C) E L"}, {"10", "L L L L L"}},
     {other(0.5, 10, "T(X = 0.5) = 10 "), chart(0.5, 10)}},
    {"ScanOfTheUpperRowsRunReadsTheLowerRow", kQuarters,
     {{"20", "L L α E β"}, {"10", "L L L L L"}},
     {other(0.5, 15, "T(X = 0.5) = 15 "), chart(0.5, 15)}},
    {"TrailingTwoPhaseRunAfterASharedRunIsNotExamined", kQuarters,
     {{"20", "α α α α α"}, {"10", "α E E E E"}},
     {}},
    {"NamesDifferingInCaseAreShared", kQuarters,
     {{"20", "Liq Liq Liq Liq Liq"}, {"10", "LIQ LIQ LIQ LIQ LIQ"}},
     {}},
    {"N1JoinsTheLeftFieldToTheRunAfterTheGap", kQuarters,
     {{"30", "α E E E L"}, {"20", "α α E β β"}, {"10", "α α E β β"}},
     {other(0.75, 25, "T(X = 0.75) = 25 "), chart(0.75, 25),
      node(20, 0.75, 0.25, 0.75), chart(0.25, 20), chart(0.75, 20), chart(0.75, 20)}},
    {"EmptyRunBetweenTwoPhasesCountsForN1", kQuarters,
     {{"30", "α α E L L"}, {"20", "α α β β β"}, {"10", "α α E β β"}},
     {other(0.5, 25, "T(X = 0.5) = 25 "), chart(0.5, 25),
      node(20, 0.5, 0.25, 0.5), chart(0.25, 20), chart(0.5, 20), chart(0.5, 20)}},
    {"N2JoinsTheRunToTheFieldAfterTheGap", kQuarters,
     {{"30", "L E E E β"}, {"20", "α α E β β"}, {"10", "α α E β β"}},
     {other(0, 25, "T(X = 0) = 25 "), chart(0, 25),
      node(20, 0.25, 0.25, 0.75), chart(0.25, 20), chart(0.25, 20), chart(0.75, 20)}},
    {"N1AndN3BothGiveNodesWhenKIsHMinus2", kQuarters,
     {{"30", "α E γ E β"}, {"20", "α E L E β"}, {"10", "α E L E β"}},
     {other(0.625, 25, "T(X = 0.625) = 25 "), chart(0.625, 25),
      node(20, 0.5, 0, 0.5), chart(0, 20), chart(0.5, 20), chart(0.5, 20),
      node(20, 0.5, 0, 1), chart(0, 20), chart(0.5, 20), chart(1, 20)}},
    {"NodeOutOfOrderIsDropped", {"0", "0.9", "0.5", "0.75", "1"},
     {{"30", "L E E E β"}, {"20", "α α E β β"}, {"10", "α α E β β"}},
     {other(0, 25, "T(X = 0) = 25 "), chart(0, 25)}},
    {"NodeNeedsAFollowingRow", kQuarters,
     {{"30", "L E E E β"}, {"20", "α α E β β"}},
     {other(0, 25, "T(X = 0) = 25 "), chart(0, 25)}},
    {"NodeWithAnEmptyCompositionTextIsSkipped", {"0", "0.25", "0.5", "", "1"},
     {{"30", "L E E E β"}, {"20", "α α E β β"}, {"10", "α α E β β"}},
     {other(0, 25, "T(X = 0) = 25 "), chart(0, 25)}},
    {"PressureLetter", kQuarters,
     {{"20", "L L L L L"}, {"10", "α E L E β"}},
     {other(0, 15, "P(X = 0) = 15 "), chart(0, 15)}, calc::kYPressure},
    {"FreeParameterLetter", kQuarters,
     {{"20", "L L L L L"}, {"10", "α E L E β"}},
     {other(0, 15, "Y(X = 0) = 15 "), chart(0, 15)}, calc::kYFree},
    {"NoParameterChosenUsesY", kQuarters,
     {{"20", "L L L L L"}, {"10", "α E L E β"}},
     {other(0, 15, "Y(X = 0) = 15 "), chart(0, 15)}, -1},
    {"EmptyMatrix", {}, {}, {}},
    {"OneDataRow", kQuarters, {{"20", "α E L E β"}}, {}},
    {"NoDataColumn", {}, {{"20", ""}, {"10", ""}}, {}},
    {"LastRowAllTwoPhase", {"0.2", "0.5", "0.8"},
     {{"20", "α α α"}, {"10", "E E E"}},
     {other(0.35, 15, "T(X = 0.35) = 15 "), chart(0.35, 15)}},
    {"UnwrittenCellsReadAsAnotherText", kQuarters,
     {{"20", "L L L L L"}, {"10", "L L ~ ~ ~"}},
     {other(0.5, 15, "T(X = 0.5) = 15 "), chart(0.5, 15)}},
};

class SearchCases : public ::testing::TestWithParam<std::tuple<SearchCase, char>> {};

TEST_P(SearchCases, ReportsWhatTheMatrixShows) {
    const auto& [c, sep] = GetParam();
    std::vector<Event> expected{begin()};
    expected.insert(expected.end(), c.found.begin(), c.found.end());
    expected.push_back(end());
    EXPECT_EQ(search(buildMatrix(c.xs, c.rows, sep), sep, c.yIndex), localised(expected, sep));
}

INSTANTIATE_TEST_SUITE_P(Matrices, SearchCases,
                         ::testing::Combine(::testing::ValuesIn(kSearchCases), ::testing::Values(',', '.')),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == ',' ? "_Comma" : "_Point");
                         });

// A header without a number stops the search; what was found stays.
struct BadHeaderCase {
    const char* name;
    std::vector<std::string> xs;
    std::vector<MatrixRow> rows;
    char writtenWith;
    char readWith;
    std::string message;
    std::vector<Event> before;
};

const BadHeaderCase kBadHeaders[] = {
    {"YTextWithoutNumber", {"0", "0.5", "1"},
     {{"30", "L L L"}, {"20", "L L β"}, {"1O", "α E β"}},
     ',', ',', "'1O' is not a valid floating point value",
     {begin(), other(1, 25, "T(X = 1) = 25 "), chart(1, 25)}},
};

class BadHeaders : public ::testing::TestWithParam<BadHeaderCase> {};

TEST_P(BadHeaders, StopWithTheConversionMessage) {
    const BadHeaderCase& c = GetParam();
    RecordingSink sink;
    calc::PhaseMatrix m = buildMatrix(c.xs, c.rows, c.writtenWith);
    try {
        FindSpecialPoints(m, calc::kYTemperature, c.readWith, sink);
        FAIL() << "no error";
    } catch (const util::Error& e) {
        EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_EQ(sink.events, localised(c.before, c.readWith));
}

INSTANTIATE_TEST_SUITE_P(Matrices, BadHeaders, ::testing::ValuesIn(kBadHeaders),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
