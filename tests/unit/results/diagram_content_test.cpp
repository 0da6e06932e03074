#include <gtest/gtest.h>

#include <sstream>

#include "db/table_definitions.h"
#include "results/diagram_content.h"
#include "store/table.h"

namespace {

using results::DiagramSeriesKind;

results::SpecialPoints twoNodes() {
    results::SpecialPoints special;
    special.begin();
    special.otherPoint({1, 937.5}, "T(X = 1) = 937.5 ");
    special.chartPoint(1, 937.5);
    for (const results::TNode& node : {results::TNode{456.25, 0.7, 0.2, 0.95}, results::TNode{600, 0.4, 0.1, 0.9}}) {
        special.node(node);
        special.chartPoint(node.XLeft, node.Y);
        special.chartPoint(node.X, node.Y);
        special.chartPoint(node.XRight, node.Y);
    }
    return special;
}

TEST(DiagramContent, SeriesInChartOrderWithExperimentLast) {
    const results::SpecialPoints special = twoNodes();
    const calc::TZPoint boundaries[] = {{0.3, 900, 7, "L"}, {0.6, 900, 13, "L"}, {0.25, 850, 6, "L"}};
    results::DiagramInputs in;
    in.boundaries = boundaries;
    in.special = &special;
    in.experiment = {{0.5, 700}, {0.1, 650}, {0.9, 500}};
    in.yParameterIndex = 0;
    in.decimalSeparator = ',';

    const results::DiagramContent content = results::buildDiagramContent(in);
    ASSERT_EQ(content.series.size(), 5u);
    const DiagramSeriesKind kinds[] = {DiagramSeriesKind::Boundaries, DiagramSeriesKind::SpecialPoints,
                                       DiagramSeriesKind::NodeLine, DiagramSeriesKind::NodeLine,
                                       DiagramSeriesKind::Experiment};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(content.series[i].kind, kinds[i]) << i;
    EXPECT_EQ(content.series[0].title, "Границы фаз");
    EXPECT_EQ(content.series[0].x, (std::vector<double>{0.3, 0.6, 0.25}));  // run order, not sorted
    EXPECT_EQ(content.series[1].title, "Особые точки");
    EXPECT_EQ(content.series[1].x.size(), 7u);  // one other point and three per node
    EXPECT_EQ(content.series[2].title, "Нода при 456,25K");
    EXPECT_EQ(content.series[2].x, (std::vector<double>{0.2, 0.95}));
    EXPECT_EQ(content.series[2].y, (std::vector<double>{456.25, 456.25}));
    EXPECT_EQ(content.series[3].title, "Нода при 600K");
    EXPECT_EQ(content.series[4].title, "Экспериментальные данные");
    EXPECT_EQ(content.series[4].y, (std::vector<double>{700, 650, 500}));
}

TEST(DiagramContent, NoExperimentSeriesWithoutPointsAndNothingBeforeARun) {
    results::DiagramInputs in;
    in.defaultFoot = "x(Sn)";
    const results::DiagramContent content = results::buildDiagramContent(in);
    ASSERT_EQ(content.series.size(), 2u);
    EXPECT_TRUE(content.series[0].x.empty());
    EXPECT_TRUE(content.series[1].x.empty());
    EXPECT_EQ(content.foot, "x(Sn)");
}

TEST(DiagramContent, TitleAndFootFollowTheYMeaningAndTheCaptions) {
    struct Case {
        int yIndex;
        const char* yCaption;
        const char* xCaption;
        const char* title;
        const char* foot;
    };
    const Case cases[] = {
        {0, "Temp, C", "", "T, K", "edited foot"},  // a caption directive never beats temperature
        {1, "", "x(B)", "p, бар", "x(B)"},
        {2, "", "", "Y", "edited foot"},
        {2, "a(B)", "", "a(B)", "edited foot"},
    };
    for (const Case& c : cases) {
        results::DiagramInputs in;
        in.yParameterIndex = c.yIndex;
        in.yCaption = c.yCaption;
        in.xCaption = c.xCaption;
        in.defaultFoot = "edited foot";
        const results::DiagramContent content = results::buildDiagramContent(in);
        EXPECT_EQ(content.title, c.title) << c.yIndex << " " << c.yCaption;
        EXPECT_EQ(content.foot, c.foot) << c.xCaption;
    }
}

TEST(DiagramContent, ExperimentPointsAreTheCurrentSystemsInRecordOrder) {
    const db::TableDefinition& definition = db::tableDefinitions()[5];
    store::Table points(definition.tableName, definition.schema);
    points.open(store::TableContents{definition.schema, {}, 1});
    EXPECT_TRUE(results::experimentPoints(points).empty());
    for (double x : {0.4, 0.1, 0.7}) {
        points.insert();
        points.setInteger("system_id", 1);
        points.setFloat("X_value", x);
        points.setFloat("Y_value", 1000 * x);
        points.post();
    }
    const auto read = results::experimentPoints(points);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0].x, 0.4);
    EXPECT_EQ(read[2].y, 700);
}

TEST(DiagramContent, CsvHoldsEverySeriesWithADotAndCrLf) {
    results::DiagramContent content;
    content.series = {{DiagramSeriesKind::Boundaries, "Границы фаз", {0.25, 0.5}, {1000.5, 900}},
                      {DiagramSeriesKind::NodeLine, "Нода при 456,3K", {0.1}, {456.3}}};
    std::ostringstream out;
    results::writeDiagramCsv(out, content);
    EXPECT_EQ(out.str(),
              "Series,X,Y\r\n"
              "\xC3\xF0\xE0\xED\xE8\xF6\xFB \xF4\xE0\xE7,0.25,1000.5\r\n"
              "\xC3\xF0\xE0\xED\xE8\xF6\xFB \xF4\xE0\xE7,0.5,900\r\n"
              "\"\xCD\xEE\xE4\xE0 \xEF\xF0\xE8 456,3K\",0.1,456.3\r\n");
}

}  // namespace
