// The invariants window: the rows it shows of a table, and what it puts on the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "gui/windows/tfm_invariants.h"

using results::Invariant;
using results::InvariantKind;

namespace {

// A refined eutectic from a node, and a peritectic the refinement refused.
std::vector<Invariant> sampleTable() {
    Invariant eutectic;
    eutectic.kind = InvariantKind::Eutectic;
    eutectic.reaction = "Liquid = Fcc_A1 + Bct_A5";
    eutectic.y = 454.5625;
    eutectic.phases = {{"Fcc_A1", 0.26321}, {"Liquid", 0.73733}, {"Bct_A5", 0.97552}};
    eutectic.refined = true;
    eutectic.gridY = 456;
    eutectic.gridX = {0.26, 0.74, 0.975};
    eutectic.fromNode = true;
    Invariant refused;
    refused.kind = InvariantKind::Peritectic;
    refused.reaction = "Liquid + Alpha = Beta";
    refused.y = refused.gridY = 301.5;
    refused.phases = {{"Alpha", 0.1}, {"Beta", 0.25}, {"Liquid", 0.5}};
    refused.gridX = {0.1, 0.25, 0.5};
    refused.reason = "phase Gamma lies below the common tangent at x = 0.3 (by 12 J/mol) at Y = 301.6";
    return {eutectic, refused};
}

QStringList rowTexts(const gui::TfmInvariants& window, int row) {
    QStringList texts;
    for (int col = 0; col < window.grid()->columnCount(); ++col) texts << window.grid()->item(row, col)->text();
    return texts;
}

}  // namespace

class InvariantsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void rowsWithEitherSeparator_data();
    void rowsWithEitherSeparator();
    void refillLeavesNoStaleRowsAndCellsStayReadOnly();
    void copyButtonAndCtrlC();
};

void InvariantsWindowTest::rowsWithEitherSeparator_data() {
    QTest::addColumn<int>("yParameter");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QString>("yHeading");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::newRow("temperature, point") << 0 << '.' << "T, K"
        << QStringList{"эвтектика", "Liquid = Fcc_A1 + Bct_A5", "454.563", "Fcc_A1 0.26321; Liquid 0.73733; Bct_A5 0.97552",
                       "456 (0.26 | 0.74 | 0.975) нода", ""}
        << QStringList{"перитектика", "Liquid + Alpha = Beta", "301.5", "Alpha 0.1; Beta 0.25; Liquid 0.5",
                       "301.5 (0.1 | 0.25 | 0.5)",
                       "phase Gamma lies below the common tangent at x = 0.3 (by 12 J/mol) at Y = 301.6"};
    QTest::newRow("pressure, comma") << 1 << ',' << "p, бар"
        << QStringList{"эвтектика", "Liquid = Fcc_A1 + Bct_A5", "454,563", "Fcc_A1 0,26321; Liquid 0,73733; Bct_A5 0,97552",
                       "456 (0,26 | 0,74 | 0,975) нода", ""}
        << QStringList{"перитектика", "Liquid + Alpha = Beta", "301,5", "Alpha 0,1; Beta 0,25; Liquid 0,5",
                       "301,5 (0,1 | 0,25 | 0,5)",
                       "phase Gamma lies below the common tangent at x = 0.3 (by 12 J/mol) at Y = 301.6"};
    QTest::newRow("free variable") << 2 << '.' << "Y" << QStringList{} << QStringList{};
}

void InvariantsWindowTest::rowsWithEitherSeparator() {
    QFETCH(int, yParameter);
    QFETCH(char, separator);
    QFETCH(QString, yHeading);
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    gui::TfmInvariants window;
    QCOMPARE(window.windowTitle(), QString("Нонвариантные равновесия"));
    window.setTable(sampleTable(), yParameter, separator);
    QCOMPARE(window.grid()->rowCount(), 2);
    QCOMPARE(window.grid()->horizontalHeaderItem(2)->text(), yHeading);
    if (!first.isEmpty()) {
        QCOMPARE(rowTexts(window, 0), first);
        QCOMPARE(rowTexts(window, 1), second);
    }
}

void InvariantsWindowTest::refillLeavesNoStaleRowsAndCellsStayReadOnly() {
    gui::TfmInvariants window;
    window.show();
    window.setTable(sampleTable(), 0, '.');
    window.setTable({sampleTable()[1]}, 0, '.');
    QCOMPARE(window.grid()->rowCount(), 1);
    QCOMPARE(window.grid()->item(0, 1)->text(), QString("Liquid + Alpha = Beta"));

    // Typing over a cell and double-clicking it change nothing.
    window.grid()->setCurrentCell(0, 1);
    QTest::keyClicks(window.grid(), "xyz");
    QTest::keyClick(window.grid(), Qt::Key_Return);
    const QRect cell = window.grid()->visualItemRect(window.grid()->item(0, 1));
    QTest::mouseDClick(window.grid()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::keyClicks(window.grid()->viewport(), "xyz");
    QCOMPARE(window.grid()->item(0, 1)->text(), QString("Liquid + Alpha = Beta"));

    window.setTable({}, 0, '.');
    QCOMPARE(window.grid()->rowCount(), 0);
}

void InvariantsWindowTest::copyButtonAndCtrlC() {
    gui::TfmInvariants window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setTable(sampleTable(), 0, '.');
    const QString heading = "Тип\tРеакция\tT, K\tСоставы\tСетка\tНе уточнено\n";
    const QString eutectic =
        "эвтектика\tLiquid = Fcc_A1 + Bct_A5\t454.563\tFcc_A1 0.26321; Liquid 0.73733; Bct_A5 0.97552\t"
        "456 (0.26 | 0.74 | 0.975) нода\t\n";
    const QString refused =
        "перитектика\tLiquid + Alpha = Beta\t301.5\tAlpha 0.1; Beta 0.25; Liquid 0.5\t301.5 (0.1 | 0.25 | 0.5)\t"
        "phase Gamma lies below the common tangent at x = 0.3 (by 12 J/mol) at Y = 301.6\n";

    QApplication::clipboard()->clear();
    QTest::mouseClick(window.copyButton(), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), heading + eutectic + refused);

    // Ctrl+C with the second row selected copies it alone, even with the button focused.
    window.grid()->selectRow(1);
    window.copyButton()->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), heading + refused);
    // The button still copies every row.
    QTest::mouseClick(window.copyButton(), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), heading + eutectic + refused);
    // Nothing selected: Ctrl+C copies every row.
    window.grid()->clearSelection();
    QApplication::clipboard()->clear();
    QTest::keyClick(window.grid(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), heading + eutectic + refused);
}

QTEST_MAIN(InvariantsWindowTest)
#include "invariants_window_test.moc"
