// The special points window: the node grid and the list of other special points.
#include <QListWidget>
#include <QtTest>

#include "gui/windows/tfm_special_points.h"

using results::NodeYFormat;
using results::TNode;

namespace {

QStringList gridRow(const gui::TfmSpecPoints& window, int row) {
    QStringList texts;
    for (int c = 0; c < 4; ++c) texts << window.gridText(c, row);
    return texts;
}

std::vector<TNode> nodes(int count) {
    std::vector<TNode> list;
    for (int i = 0; i < count; ++i) list.push_back({1000.0 - i, 0.5 + i / 100.0, 0.1, 0.9});
    return list;
}

}  // namespace

class SpecialPointsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void nodeGrid_data();
    void nodeGrid();
    void tenNodesThenThreeLeaveNoStaleRows();
    void otherPointsListFollowsTheSearch();
};

void SpecialPointsWindowTest::nodeGrid_data() {
    QTest::addColumn<std::vector<TNode>>("list");
    QTest::addColumn<int>("yParameter");
    QTest::addColumn<int>("format");
    QTest::addColumn<char>("separator");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("row0");
    QTest::addColumn<QStringList>("row1");

    const QStringList tHeadings{" T", " X(лев.)", " X", " X(прав.)"};
    const QStringList pHeadings{" P", " X(лев.)", " X", " X(прав.)"};
    const int fixed = int(NodeYFormat::Fixed);
    const int scientific = int(NodeYFormat::SmallScientific);
    QTest::newRow("no nodes: headings and one empty row")
        << std::vector<TNode>{} << 0 << fixed << '.' << 2 << tHeadings << QStringList{"", "", "", ""};
    QTest::newRow("Y parameter Y heads P") << std::vector<TNode>{{456.5, 0.26, 0.181, 0.9715}} << 2 << fixed << '.'
                                            << 2 << pHeadings << QStringList{" 456.5", " 0.181", " 0.26", " 0.972"};
    QTest::newRow("small Y from the main window") << std::vector<TNode>{{0.0002, 0.5, 0.25, 0.75}} << 2 << fixed
                                                  << '.' << 2 << pHeadings
                                                  << QStringList{" 0", " 0.25", " 0.5", " 0.75"};
    QTest::newRow("small Y from the diagram") << std::vector<TNode>{{0.0002, 0.5, 0.25, 0.75}} << 2 << scientific
                                              << '.' << 2 << pHeadings
                                              << QStringList{" 2e-04", " 0.25", " 0.5", " 0.75"};
    QTest::newRow("comma locale") << std::vector<TNode>{{850.25, 0.5, 0.25, 0.75}} << 0 << fixed << ',' << 2
                                  << tHeadings << QStringList{" 850,25", " 0,25", " 0,5", " 0,75"};
}

void SpecialPointsWindowTest::nodeGrid() {
    QFETCH(std::vector<TNode>, list);
    QFETCH(int, yParameter);
    QFETCH(int, format);
    QFETCH(char, separator);
    QFETCH(int, rows);
    QFETCH(QStringList, row0);
    QFETCH(QStringList, row1);
    gui::TfmSpecPoints window;
    QVERIFY(!window.isVisible());
    window.fillNodes(list, yParameter, NodeYFormat(format), separator);
    QVERIFY(window.isVisible());
    QCOMPARE(window.windowTitle(), QString("Координаты особых точек"));
    QCOMPARE(window.gridRowCount(), rows);
    QCOMPARE(gridRow(window, 0), row0);
    QCOMPARE(gridRow(window, 1), row1);
}

void SpecialPointsWindowTest::tenNodesThenThreeLeaveNoStaleRows() {
    gui::TfmSpecPoints window;
    window.fillNodes(nodes(10), 0, NodeYFormat::Fixed, '.');
    QCOMPARE(window.gridRowCount(), 11);
    QCOMPARE(gridRow(window, 10), QStringList({" 991", " 0.1", " 0.59", " 0.9"}));
    window.fillNodes(nodes(3), 0, NodeYFormat::Fixed, '.');
    QCOMPARE(window.gridRowCount(), 4);
    QCOMPARE(gridRow(window, 3), QStringList({" 998", " 0.1", " 0.52", " 0.9"}));
    QCOMPARE(window.gridText(0, 4), QString());
    window.fillNodes({}, 0, NodeYFormat::Fixed, '.');
    QCOMPARE(window.gridRowCount(), 2);
    QCOMPARE(gridRow(window, 1), QStringList({"", "", "", ""}));
}

void SpecialPointsWindowTest::otherPointsListFollowsTheSearch() {
    gui::TfmSpecPoints window;
    window.showOtherPoints({{{0.3, 500}, "T(X = 0.3) = 500 "}, {{0.7, 450}, "T(X = 0.7) = 450 "}});
    QCOMPARE(window.listBox1()->count(), 2);
    QCOMPARE(window.listBox1()->item(1)->text(), QString("T(X = 0.7) = 450 "));
    // Filling the node grid leaves the list alone; a new search replaces it.
    window.fillNodes(nodes(1), 0, NodeYFormat::Fixed, '.');
    QCOMPARE(window.listBox1()->count(), 2);
    window.showOtherPoints({});
    QCOMPARE(window.listBox1()->count(), 0);
}

QTEST_MAIN(SpecialPointsWindowTest)
#include "special_points_window_test.moc"
