// The mosaic bitmap and the working G-x chart, driven directly.
#include <QtTest>
#include <qcustomplot.h>

#include "gui/windows/tfm_m_diagram.h"
#include "gui/windows/tfm_w_diagram.h"

namespace {

const QColor kMosaic(0xC0, 0xDC, 0xC0);
const QColor kRed(255, 0, 0);

bool isWhite(const QImage& image, int x, int y) { return image.pixelColor(x, y) == QColor(Qt::white); }

}  // namespace

class LiveDisplaysTest : public QObject {
    Q_OBJECT
private slots:
    void segmentAndPointPhaseColumnsFollowTheCompositionRange();
    void pixelColumnsRoundHalfToEven_data();
    void pixelColumnsRoundHalfToEven();
    void segmentOnOnePixelAndSegmentsAtTheRangeEnds();
    void pixelRowsOfTheRows();
    void bitmapKeepsItsSizeAndIsStretchedWhenTheWindowGrows();
    void chartHasOneSeriesPerPhaseThenConvex();
    void chartShowsTheLastRowAndIgnoresOutsideWindowValuesForItsRange();
};

void LiveDisplaysTest::segmentAndPointPhaseColumnsFollowTheCompositionRange() {
    gui::TfmMDiagram mosaic;
    mosaic.resize(400, 210);
    mosaic.resetMosaic({0.2, 0.6, 0, 100, 10});
    QCOMPARE(mosaic.image().size(), QSize(400, 210));

    // A segment from 0.3 to 0.5 covers Round(W/4) ... Round(3W/4); given right to left it is the same.
    mosaic.drawSegment(0.5, 0.3, 40, kMosaic);
    const QImage& image = mosaic.image();
    QVERIFY(isWhite(image, 99, 40));
    QCOMPARE(image.pixelColor(100, 40), kMosaic);
    QCOMPARE(image.pixelColor(300, 40), kMosaic);
    QVERIFY(isWhite(image, 301, 40));
    QVERIFY(isWhite(image, 200, 39));
    QVERIFY(isWhite(image, 200, 41));

    // A point phase at 0.4: a red circle centred on Round(W/2) in a 5 x 5 box.
    mosaic.drawPointPhase(0.4, 80);
    const QImage& circle = mosaic.image();
    QCOMPARE(circle.pixelColor(200, 78), kRed);
    QCOMPARE(circle.pixelColor(200, 82), kRed);
    QCOMPARE(circle.pixelColor(198, 80), kRed);
    QCOMPARE(circle.pixelColor(202, 80), kRed);
    QVERIFY(isWhite(circle, 197, 80));
    QVERIFY(isWhite(circle, 203, 80));
    QVERIFY(isWhite(circle, 200, 77));
    QVERIFY(isWhite(circle, 200, 83));
}

void LiveDisplaysTest::pixelColumnsRoundHalfToEven_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("column");
    // W = 512, range 0 ... 1: x = k / 512 lands exactly on column k.
    QTest::newRow("2.5 to 2") << 2.5 / 512 << 2;
    QTest::newRow("3.5 to 4") << 3.5 / 512 << 4;
    QTest::newRow("255.5 to 256") << 255.5 / 512 << 256;
    QTest::newRow("2.6 to 3") << 2.6 / 512 << 3;
    QTest::newRow("XMax on W") << 1.0 << 512;
}

void LiveDisplaysTest::pixelColumnsRoundHalfToEven() {
    QFETCH(double, x);
    QFETCH(int, column);
    gui::TfmMDiagram mosaic;
    mosaic.resize(512, 100);
    mosaic.resetMosaic({0, 1, 0, 1, 0.1});
    QCOMPARE(mosaic.pixelColumn(x), column);
}

void LiveDisplaysTest::segmentOnOnePixelAndSegmentsAtTheRangeEnds() {
    gui::TfmMDiagram mosaic;
    mosaic.resize(512, 100);
    mosaic.resetMosaic({0, 1, 0, 1, 0.1});
    // Both ends map to column 10.
    mosaic.drawSegment(10.1 / 512, 10.3 / 512, 5, kMosaic);
    QCOMPARE(mosaic.image().pixelColor(10, 5), kMosaic);
    QVERIFY(isWhite(mosaic.image(), 9, 5));
    QVERIFY(isWhite(mosaic.image(), 11, 5));

    // XMax maps to column W, one past the bitmap: the segment stops at its last column.
    mosaic.drawSegment(0.9, 1.0, 6, kMosaic);
    QCOMPARE(mosaic.image().pixelColor(511, 6), kMosaic);
    // Rows outside the bitmap are dropped.
    mosaic.drawSegment(0, 1, 100, kMosaic);
    mosaic.drawSegment(0, 1, -1, kMosaic);
    int painted = 0;
    for (int y = 0; y < mosaic.image().height(); ++y)
        for (int x = 0; x < mosaic.image().width(); ++x) painted += !isWhite(mosaic.image(), x, y);
    QCOMPARE(painted, 1 + (511 - 461 + 1));
}

void LiveDisplaysTest::pixelRowsOfTheRows() {
    gui::TfmMDiagram mosaic;
    mosaic.resize(300, 210);
    // ImageScale = (210 - 10) / (900 - 500) = 0.5 pixel per kelvin; YStep 30 K.
    mosaic.resetMosaic({0, 1, 500, 900, 30});
    QCOMPARE(mosaic.imageScale(), 0.5);
    QCOMPARE(mosaic.pixelRow(0), 0);  // the first two rows share pixel row 0
    QCOMPARE(mosaic.pixelRow(1), 0);
    QCOMPARE(mosaic.pixelRow(2), 15);
    QCOMPARE(mosaic.pixelRow(3), 30);

    // A zero Y range draws every row at the top instead of dividing by zero.
    mosaic.resetMosaic({0, 1, 700, 700, 0});
    QCOMPARE(mosaic.pixelRow(5), 0);
}

void LiveDisplaysTest::bitmapKeepsItsSizeAndIsStretchedWhenTheWindowGrows() {
    gui::TfmMDiagram mosaic;
    mosaic.resize(200, 100);
    mosaic.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mosaic));
    mosaic.resetMosaic({0, 1, 0, 1, 0.1});
    mosaic.drawSegment(0.5, 1.0, 50, kMosaic);
    mosaic.resize(400, 200);
    QTRY_COMPARE(mosaic.size(), QSize(400, 200));
    QCOMPARE(mosaic.image().size(), QSize(200, 100));
    const QImage shown = mosaic.grab().toImage();
    QCOMPARE(shown.pixelColor(300, 101), kMosaic);  // (150, 50) of the bitmap, doubled
    QCOMPARE(shown.pixelColor(100, 101), QColor(Qt::white));
}

void LiveDisplaysTest::chartHasOneSeriesPerPhaseThenConvex() {
    gui::TfmWDiagram chart;
    QCOMPARE(chart.windowTitle(), QString("Рабочая диаграмма"));
    chart.resetChart({"LIQUID", "FCC_A1", "HCP"});
    chart.addConvexSeries();
    QCustomPlot* plot = chart.chart();
    QCOMPARE(plot->graphCount(), 4);
    QStringList names;
    QSet<QRgb> colours;
    for (int i = 0; i < plot->graphCount(); ++i) {
        names << plot->graph(i)->name();
        colours << plot->graph(i)->pen().color().rgb();
    }
    QCOMPARE(names, QStringList({"LIQUID", "FCC_A1", "HCP", "Convex"}));
    QCOMPARE(colours.size(), 4);
    QVERIFY(!colours.contains(QColor(Qt::white).rgb()));

    // A second run starts from its own phases.
    chart.resetChart({"BCC"});
    chart.addConvexSeries();
    QCOMPARE(plot->graphCount(), 2);
    QCOMPARE(plot->graph(1)->name(), QString("Convex"));

    auto* title = qobject_cast<QCPTextElement*>(plot->plotLayout()->element(0, 0));
    QVERIFY(title);
    QCOMPARE(title->text(), QString("       G"));
    QVERIFY(title->font().italic());
    auto* foot = qobject_cast<QCPTextElement*>(plot->plotLayout()->element(2, 0));
    QVERIFY(foot);
    QCOMPARE(foot->text(), QString("x"));
    QCOMPARE(plot->xAxis->grid()->pen().style(), Qt::DotLine);
    QCOMPARE(plot->yAxis->grid()->pen().style(), Qt::DotLine);

    chart.setBottomAxisIncrement(0.04);
    auto ticker = plot->xAxis->ticker().dynamicCast<QCPAxisTickerFixed>();
    QVERIFY(ticker);
    QCOMPARE(ticker->tickStep(), 0.04);
}

void LiveDisplaysTest::chartShowsTheLastRowAndIgnoresOutsideWindowValuesForItsRange() {
    gui::TfmWDiagram chart;
    chart.resetChart({"LIQUID", "FCC"});
    chart.addConvexSeries();
    chart.showRow({{{0, 0.5, 1}, {-100, -300, -200}}, {{0, 0.5, 1}, {-150, 1e30, -50}}}, {1, 0, 0}, {-200, -150, -150});
    chart.showRow({{{0, 0.5, 1}, {-10, -30, -20}}, {{0, 0.5, 1}, {-15, 1e30, -5}}}, {1, 0.5, 0}, {-20, -30, -15});
    chart.flush();
    QCustomPlot* plot = chart.chart();
    QCOMPARE(plot->graph(0)->data()->size(), 3);
    QCOMPARE(plot->graph(0)->data()->at(1)->value, -30.0);
    // The outside-window value is kept as a point of the series ...
    QCOMPARE(plot->graph(1)->data()->at(1)->value, 1e30);
    QCOMPARE(plot->graph(2)->data()->size(), 3);
    // ... but the axis follows the finite curves of the last row.
    QVERIFY(plot->yAxis->range().upper < 100);
    QVERIFY(plot->yAxis->range().lower <= -30 && plot->yAxis->range().lower > -100);
}

QTEST_MAIN(LiveDisplaysTest)
#include "live_displays_test.moc"
