// The diagram window's "Уточнить ноды" box and its button for the invariants window.
#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/windows/tfm_diagram2.h"
#include "support/scripted_dialogs.h"

namespace {

results::DiagramContent gridContent() {
    using K = results::DiagramSeriesKind;
    results::DiagramContent c;
    c.title = "T, K";
    c.series = {{K::Boundaries, "Границы фаз", {0.26, 0.975, 0.3}, {456, 456, 500}},
                {K::SpecialPoints, "Особые точки", {0.26, 0.74, 0.975}, {456, 456, 456}},
                {K::NodeLine, "Нода при 456K", {0.26, 0.975}, {456, 456}}};
    return c;
}

std::vector<results::Invariant> eutectic() {
    results::Invariant entry;
    entry.fromNode = true;
    entry.refined = true;
    entry.gridY = 456;
    entry.gridX = {0.26, 0.74, 0.975};
    entry.y = 454.5625;
    entry.phases = {{"Fcc_A1", 0.26321}, {"Liquid", 0.73733}, {"Bct_A5", 0.97552}};
    return {entry};
}

QVector<QPointF> points(const gui::TfmDiagram2& window, int series) {
    QVector<QPointF> list;
    const QCPGraph* graph = window.Chart1->graph(series);
    for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it) list << QPointF(it->key, it->value);
    return list;
}

}  // namespace

class DiagramRefinedNodesTest : public QObject {
    Q_OBJECT
private slots:
    void boxMovesOnlyTheNodeLinesAndOffRestoresThePicture();
    void invariantsButtonAsksForTheWindow();
};

void DiagramRefinedNodesTest::boxMovesOnlyTheNodeLinesAndOffRestoresThePicture() {
    testsupport::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    gui::TfmDiagram2 window(dialogs, '.', dir.path());
    const std::vector<results::Invariant> table = eutectic();
    window.setInvariantSource([&table]() -> const std::vector<results::Invariant>& { return table; });
    QVERIFY(!window.chbRefineNodes->isChecked());
    QCOMPARE(window.chbRefineNodes->text(), QString("Уточнить ноды"));

    window.showDiagram(gridContent(), {});
    const QVector<QPointF> boundaries = points(window, 0);
    const QVector<QPointF> special = points(window, 1);
    QCOMPARE(points(window, 2), (QVector<QPointF>{{0.26, 456}, {0.975, 456}}));

    window.chbRefineNodes->click();
    QCOMPARE(points(window, 2), (QVector<QPointF>{{0.26321, 454.5625}, {0.97552, 454.5625}}));
    QCOMPARE(window.Chart1->seriesTitle(2), QString("Нода при 454.563K"));
    QCOMPARE(points(window, 0), boundaries);
    QCOMPARE(points(window, 1), special);

    // A new diagram while the box is on is drawn refined at once.
    window.showDiagram(gridContent(), {});
    QCOMPARE(points(window, 2), (QVector<QPointF>{{0.26321, 454.5625}, {0.97552, 454.5625}}));

    window.chbRefineNodes->click();
    QCOMPARE(points(window, 2), (QVector<QPointF>{{0.26, 456}, {0.975, 456}}));
    QCOMPARE(window.Chart1->seriesTitle(2), QString("Нода при 456K"));
    QVERIFY(dialogs.shown.empty());
}

void DiagramRefinedNodesTest::invariantsButtonAsksForTheWindow() {
    testsupport::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    gui::TfmDiagram2 window(dialogs, '.', dir.path());
    QSignalSpy asked(&window, &gui::TfmDiagram2::invariantsRequested);
    window.sbInvariants->click();
    QCOMPARE(asked.count(), 1);
    // Without a source of invariants the box leaves the picture as it is.
    window.showDiagram(gridContent(), {});
    window.chbRefineNodes->click();
    QCOMPARE(points(window, 2), (QVector<QPointF>{{0.26, 456}, {0.975, 456}}));
}

QTEST_MAIN(DiagramRefinedNodesTest)
#include "diagram_refined_nodes_test.moc"
