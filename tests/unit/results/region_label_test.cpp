#include "results/region_label.h"

#include <gtest/gtest.h>

#include "special_point_test_support.h"

namespace {

using resultstest::buildMatrix;

// Headers with "," as the run writes them in a comma locale.
calc::PhaseMatrix labelMatrix() {
    return buildMatrix({"0", "0.25", "0.5", "0.75", "1"},
                       {{"1000", "L L L L L"},
                        {"900", "L E AB-(C) E L"},
                        {"800", "α E E E β"},
                        {"700", "E E β β β"},
                        {"600", "AB-(C) E E E A2B-(C)"}},
                       ',');
}

TEST(RegionLabel, NamesThePhaseOrTheTwoPhasesAroundTheClick) {
    struct Case {
        const char* name;
        double cx, cy;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {"left of a point phase", 0.1, 950, "L+AB"},
        {"right of a point phase", 0.6, 950, "AB+L"},
        {"on the point phase column", 0.5, 900, "AB"},
        {"field stepping over several columns", 0.5, 850, "α+β"},
        {"exactly on the lowest Y", 0.5, 600, "AB+A2B"},
        {"two-phase cell in the first column", 0, 750, "E+β"},
        {"above and left of the grid", -5, 2000, "L"},
        {"exactly on the last composition", 1, 900, "L"},
        {"right of the last composition", 1.01, 900, std::nullopt},
        {"below the lowest Y", 0.5, 599, std::nullopt},
    };
    calc::PhaseMatrix m = labelMatrix();
    for (const Case& c : cases) EXPECT_EQ(results::regionLabelText(m, c.cx, c.cy), c.text) << c.name;
}

TEST(RegionLabel, NothingBeforeAnyRun) {
    calc::PhaseMatrix empty;
    EXPECT_EQ(results::regionLabelText(empty, 0.5, 100), std::nullopt);
    calc::PhaseMatrix headerOnly = buildMatrix({"0", "1"}, {}, ',');
    EXPECT_EQ(results::regionLabelText(headerOnly, 0.5, 100), std::nullopt);
}

TEST(RegionLabel, ReadsTheNumbersBesideTheHeaderTexts) {
    // The texts say nothing a parser could read; the numbers place the click.
    calc::PhaseMatrix m = labelMatrix();
    m.setColumnHeader(2, "a quarter", 0.25);
    m.setRowHeader(1, "a thousand", 1000);
    EXPECT_EQ(results::regionLabelText(m, 0.1, 950), "L+AB");
    EXPECT_EQ(results::regionLabelText(m, 0.2, 1000), "L");
}

}  // namespace
