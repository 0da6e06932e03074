#include <gtest/gtest.h>

#include "calc/phase_matrix.h"
#include "calc/run_results.h"

namespace {

TEST(PhaseMatrix, GrowingKeepsCellsAndNewCellsAreEmpty) {
    calc::PhaseMatrix m;
    m.resize(3, 3);
    m.setText(0, 0, " Y/X");
    m.setText(2, 1, "FCC_A1");
    m.resize(4, 3);  // a column more, as while the grid is built
    m.setText(3, 2, "E");
    for (int rows = 4; rows <= 40; ++rows) m.resize(4, rows);  // a row more per Y row
    EXPECT_EQ(m.text(0, 0), " Y/X");
    EXPECT_EQ(m.text(2, 1), "FCC_A1");
    EXPECT_EQ(m.text(3, 2), "E");
    EXPECT_EQ(m.text(1, 39), "");
    m.resize(2, 2);  // shrinking drops what is outside
    m.resize(4, 3);
    EXPECT_EQ(m.text(2, 1), "");
    EXPECT_EQ(m.text(0, 0), " Y/X");
}

TEST(PhaseMatrix, OutsideCellsReadEmptyAndRefuseWrites) {
    calc::PhaseMatrix m;
    m.resize(2, 2);
    EXPECT_EQ(m.text(2, 0), "");
    EXPECT_EQ(m.text(-1, 0), "");
    EXPECT_THROW(m.setText(0, 2, "x"), std::out_of_range);
}

TEST(PhaseMatrix, EqualTextsShareOneIdAndKeepTheirAddress) {
    calc::PhaseMatrix m;
    m.resize(3, 1);
    auto liquid = m.intern("LIQUID");
    const std::string* address = &m.textOf(liquid);
    for (int k = 0; k < 1000; ++k) m.intern("text " + std::to_string(k));
    EXPECT_EQ(m.intern(std::string("LIQ") + "UID"), liquid);
    EXPECT_EQ(&m.textOf(liquid), address);
    m.setCell(1, 0, liquid);
    m.setText(2, 0, "LIQUID");
    EXPECT_EQ(m.cell(2, 0), liquid);
}

TEST(RunResults, BoundaryPointsGrowByATenthOfTheirHighestIndex) {
    calc::RunResults results;
    struct Step {
        int appended;  // entries appended so far
        size_t length;
    };
    auto check = [&](int ny, std::initializer_list<Step> steps) {
        results.resetBoundaries(ny);
        EXPECT_EQ(results.boundaryPoints.size(), static_cast<size_t>(ny) + 1);
        EXPECT_EQ(results.boundaryLast, -1);
        int appended = 0;
        for (const Step& step : steps) {
            while (appended < step.appended) {
                results.appendBoundary({0.01 * appended, 500, appended, "L"});
                ++appended;
            }
            EXPECT_EQ(results.boundaryPoints.size(), step.length) << "ny " << ny << ", after " << step.appended;
        }
        EXPECT_EQ(results.boundaryLast, appended - 1);
        EXPECT_DOUBLE_EQ(results.boundaries().back().X, 0.01 * (appended - 1));
    };
    // Highest index 99 gains 9: length 108; then highest 107 gains 10.
    check(99, {{100, 100}, {101, 108}, {108, 108}, {109, 117}});
    // A tenth of a small index is 0: the array grows just far enough.
    check(1, {{2, 2}, {3, 3}, {4, 4}});

    results.resetBoundaries(3);
    EXPECT_EQ(results.boundaryPoints.size(), 4u);
    EXPECT_EQ(results.boundaryPoints[2].X, 0);
    EXPECT_TRUE(results.boundaries().empty());
}

}  // namespace
