#include <gtest/gtest.h>

#include "results/diagram_texts.h"
#include "results/matrix_cell.h"
#include "results/node_grid.h"
#include "results/y_parameter.h"

namespace {

using results::MatrixCellStyle;

TEST(MatrixCellStyle, MarksEveryDataCellWithACapitalE) {
    struct Case {
        int col, row;
        const char* text;
        MatrixCellStyle style;
    };
    const Case cases[] = {
        {0, 0, " Y/X", MatrixCellStyle::Header},
        {3, 0, "1E-5", MatrixCellStyle::Header},  // a composition text is never marked
        {0, 4, "1000", MatrixCellStyle::Header},
        {2, 3, "E", MatrixCellStyle::TwoPhase},
        {2, 3, "BETA", MatrixCellStyle::TwoPhase},
        {2, 3, "Beta", MatrixCellStyle::Phase},
        {2, 3, "AB-(C)", MatrixCellStyle::Phase},
        {2, 3, "", MatrixCellStyle::Phase},
    };
    for (const Case& c : cases)
        EXPECT_EQ(results::matrixCellStyle(c.col, c.row, c.text), c.style) << c.col << "," << c.row << " " << c.text;
}

TEST(MatrixColumnWidth, NarrowsDataColumnsOnly) {
    EXPECT_EQ(results::matrixColumnWidth(1, true), 15);
    EXPECT_EQ(results::matrixColumnWidth(7, false), 64);
    EXPECT_EQ(results::matrixColumnWidth(0, true), std::nullopt);
    EXPECT_EQ(results::matrixColumnWidth(0, false), std::nullopt);
}

TEST(NodeGrid, HeadingsNameTemperatureOrElseP) {
    using Row = results::NodeGridRow;
    EXPECT_EQ(results::nodeGridHeadings(calc::kYTemperature), (Row{" T", " X(лев.)", " X", " X(прав.)"}));
    for (int index : {int(calc::kYPressure), int(calc::kYFree), -1})
        EXPECT_EQ(results::nodeGridHeadings(index)[0], " P") << index;
}

TEST(NodeGrid, WithoutNodesHasOneEmptyRow) {
    auto grid = results::nodeGrid({}, calc::kYFree, results::NodeYFormat::Fixed, ',');
    ASSERT_EQ(grid.size(), 2u);
    EXPECT_EQ(grid[0][0], " P");
    EXPECT_EQ(grid[1], results::NodeGridRow{});
}

TEST(NodeGrid, RowsFollowTheNodeListWithALeadingBlank) {
    std::vector<results::TNode> nodes(10, results::TNode{700, 0.5, 0.25, 1});
    nodes[0] = {850.25, 0.45, 0.12345, 1};
    auto grid = results::nodeGrid(nodes, calc::kYTemperature, results::NodeYFormat::Fixed, ',');
    ASSERT_EQ(grid.size(), 11u);
    EXPECT_EQ(grid[1], (results::NodeGridRow{" 850,25", " 0,123", " 0,45", " 1"}));
    EXPECT_EQ(grid[10], (results::NodeGridRow{" 700", " 0,25", " 0,5", " 1"}));
}

TEST(NodeGrid, YTextDependsOnTheCallingWindow) {
    struct Case {
        double y;
        results::NodeYFormat format;
        char sep;
        const char* text;
    };
    using F = results::NodeYFormat;
    const Case cases[] = {
        {0.0002, F::SmallScientific, '.', "2e-04"},
        {0.0002, F::Fixed, '.', "0"},
        {-0.001, F::SmallScientific, ',', "-1e-03"},
        {0.0011, F::SmallScientific, ',', "0,001"},
        {0.00012345, F::SmallScientific, ',', "1,235e-04"},
        {850.25, F::SmallScientific, ',', "850,25"},
        {850.25, F::Fixed, '.', "850.25"},
    };
    for (const Case& c : cases) EXPECT_EQ(results::nodeYText(c.y, c.format, c.sep), c.text) << c.y;
    auto grid = results::nodeGrid({{0.0002, 0, 0, 0}}, 2, F::SmallScientific, '.');
    EXPECT_EQ(grid[1][0], " 2e-04");
}

TEST(NodeLineTitle, HasNoBlankBeforeK) {
    EXPECT_EQ(results::nodeLineTitle(725, ','), "Нода при 725K");
    EXPECT_EQ(results::nodeLineTitle(937.5, ','), "Нода при 937,5K");
    EXPECT_EQ(results::nodeLineTitle(712.34567, '.'), "Нода при 712.346K");
}

TEST(DiagramTitle, TemperatureAndPressureOverrideTheCaption) {
    struct Case {
        const char* caption;
        int index;
        const char* title;
    };
    const Case cases[] = {
        {"Temp, C", calc::kYTemperature, "T, K"}, {"", calc::kYTemperature, "T, K"},
        {"Druck", calc::kYPressure, "p, бар"},    {"", calc::kYFree, "Y"},
        {"y, units", calc::kYFree, "y, units"},   {"", -1, ""},
        {"caption", -1, "caption"},
    };
    for (const Case& c : cases) EXPECT_EQ(results::diagramTitle(c.caption, c.index), c.title) << c.caption << c.index;
}

TEST(DiagramFoot, CaptionDirectiveElseTheDefault) {
    EXPECT_EQ(results::diagramFoot("", "edited foot"), "edited foot");
    EXPECT_EQ(results::diagramFoot("  x of B", "edited foot"), "  x of B");
}

TEST(CoordinateReadout, FixedFromOneUpScientificBelow) {
    struct Case {
        double v;
        char sep;
        const char* text;
    };
    const Case cases[] = {
        {0.25, ',', "2,5000E-001 "},
        {0.25, '.', "2.5000E-001 "},
        {-0.5, '.', "-5.0000E-001"},
        {0, '.', "0.0000E+000 "},
        {1e-120, ',', "1,0000E-120 "},
        {0.99994, '.', "9.9994E-001 "},
        {0.9999999, '.', "1.0000E+000 "},
        {1, ',', "1,000       "},
        {-1, '.', "-1.000      "},
        {937.5, ',', "937,500     "},
        {1234.56789, '.', "1234.568    "},
        {123456789012.5, '.', "123456789012.500"},
        // Halves at the last shown digit round away from zero, as every number the program writes.
        {1.0005, ',', "1,001       "},
        {-12.3295, '.', "-12.330     "},
        {0.123455, '.', "1.2346E-001 "},
        {-0.0, '.', "0.0000E+000 "},
    };
    for (const Case& c : cases) EXPECT_EQ(results::readoutNumber(c.v, c.sep), c.text) << c.v;
}

TEST(CoordinateReadout, NamesTheFirstTitleLine) {
    EXPECT_EQ(results::coordinateReadout(0.25, 937.5, "T, K", ','), "X = 2,5000E-001     T, K = 937,500     ");
    EXPECT_EQ(results::coordinateReadout(1, 2, "T, K\r\nsecond line", '.'), "X = 1.000           T, K = 2.000       ");
    EXPECT_EQ(results::coordinateReadout(1, 2, "", '.'), "X = 1.000            = 2.000       ");
}

}  // namespace
