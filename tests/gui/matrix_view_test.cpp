// The matrix view over a phase matrix: the model, the cell colours, the column widths.
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QHeaderView>
#include <QTableView>
#include <QtTest>

#include "calc/phase_matrix.h"
#include "gui/models/phase_matrix_model.h"
#include "gui/windows/tfm_cells.h"

namespace {

// Two rows of three compositions, a point phase column at 0.25 and a phase name with a capital E.
calc::PhaseMatrix smallMatrix() {
    const char* cells[3][5] = {
        {" Y/X", "0", "0.25", "0.5", "1"},
        {"600", "LIQUID", "LIQUID", "LIQUID", "LIQUID"},
        {"500", "FCC", "E", "BETA", "Pb3Sn-(C)"},
    };
    calc::PhaseMatrix matrix;
    matrix.resize(5, 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c) matrix.setText(c, r, cells[r][c]);
    return matrix;
}

QColor cellColour(QTableView* view, int row, int col) {
    const QRect rect = view->visualRect(view->model()->index(row, col));
    // A corner of the cell away from its text.
    return view->viewport()->grab().toImage().pixelColor(rect.right() - 2, rect.bottom() - 2);
}

}  // namespace

class MatrixViewTest : public QObject {
    Q_OBJECT
private slots:
    void modelShowsTheMatrixWithItsHeaderRowAndColumnAsHeaders();
    void modelKeepsItsCopyWhenTheMatrixChanges();
    void cellColoursFollowTheCellRule();
    void narrowCellsSwitchDataColumnsBetween15And64Pixels();
    void emptyBeforeAnyRun();
};

void MatrixViewTest::modelShowsTheMatrixWithItsHeaderRowAndColumnAsHeaders() {
    gui::PhaseMatrixModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const calc::PhaseMatrix matrix = smallMatrix();
    model.fill(matrix);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 4);
    QCOMPARE(model.cornerText(), QString(" Y/X"));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("0.25"));
    QCOMPARE(model.headerData(1, Qt::Vertical).toString(), QString("500"));
    QCOMPARE(model.index(1, 1).data().toString(), QString("E"));
    QCOMPARE(model.index(1, 3).data().toString(), QString("Pb3Sn-(C)"));
    QCOMPARE(model.matrixColCount(), 5);
    QCOMPARE(model.matrixRowCount(), 3);
}

void MatrixViewTest::modelKeepsItsCopyWhenTheMatrixChanges() {
    gui::PhaseMatrixModel model;
    calc::PhaseMatrix matrix = smallMatrix();
    model.fill(matrix);
    // A later run clears and rewrites the matrix; the view shows what it was given.
    matrix.clear();
    matrix.resize(2, 2);
    matrix.setText(1, 1, "HCP");
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.index(0, 0).data().toString(), QString("LIQUID"));
    QCOMPARE(model.index(1, 2).data().toString(), QString("BETA"));
}

void MatrixViewTest::cellColoursFollowTheCellRule() {
    gui::TfmCells cells;
    const calc::PhaseMatrix matrix = smallMatrix();
    cells.showMatrix(&matrix);
    QVERIFY(QTest::qWaitForWindowExposed(&cells));
    cells.chbNarrowCells()->click();  // wide columns leave room beside the text
    QTableView* view = cells.sgCells();
    const QColor yellow(255, 255, 0);
    const QColor base = view->palette().color(QPalette::Base);
    QCOMPARE(cellColour(view, 1, 1), yellow);  // "E"
    QCOMPARE(cellColour(view, 1, 2), yellow);  // "BETA": a capital E anywhere
    QCOMPARE(cellColour(view, 1, 0), base);    // "FCC"
    QCOMPARE(cellColour(view, 1, 3), base);    // "Pb3Sn-(C)"
    QCOMPARE(cellColour(view, 0, 0), base);    // "LIQUID"

    // Selection does not change the colours.
    view->selectAll();
    QCOMPARE(cellColour(view, 1, 1), yellow);
    QCOMPARE(cellColour(view, 1, 0), base);

    // Red text in the two-phase cell.
    const QRect rect = view->visualRect(view->model()->index(1, 1));
    const QImage image = view->viewport()->grab(rect).toImage();
    bool red = false;
    for (int y = 0; y < image.height() && !red; ++y)
        for (int x = 0; x < image.width() && !red; ++x) {
            const QColor c = image.pixelColor(x, y);
            red = c.red() > 200 && c.green() < 100 && c.blue() < 100;
        }
    QVERIFY(red);
}

void MatrixViewTest::narrowCellsSwitchDataColumnsBetween15And64Pixels() {
    gui::TfmCells cells;
    const calc::PhaseMatrix matrix = smallMatrix();
    cells.showMatrix(&matrix);
    QHeaderView* columns = cells.sgCells()->horizontalHeader();
    const int headerColumn = cells.sgCells()->verticalHeader()->width();
    auto widths = [&] {
        QList<int> w;
        for (int i = 0; i < columns->count(); ++i) w << columns->sectionSize(i);
        return w;
    };
    // The view always opens narrow.
    QVERIFY(cells.chbNarrowCells()->isChecked());
    QCOMPARE(widths(), QList<int>({15, 15, 15, 15}));
    cells.chbNarrowCells()->click();
    QCOMPARE(widths(), QList<int>({64, 64, 64, 64}));
    cells.chbNarrowCells()->click();
    QCOMPARE(widths(), QList<int>({15, 15, 15, 15}));
    QCOMPARE(cells.sgCells()->verticalHeader()->width(), headerColumn);

    // Opening again after the user widened the cells narrows them again.
    cells.chbNarrowCells()->click();
    cells.showMatrix(&matrix);
    QCOMPARE(widths(), QList<int>({15, 15, 15, 15}));
}

void MatrixViewTest::emptyBeforeAnyRun() {
    gui::TfmCells cells;
    const calc::PhaseMatrix none;
    cells.showMatrix(&none);
    QVERIFY(cells.isVisible());
    QCOMPARE(cells.model()->rowCount(), 0);
    QCOMPARE(cells.model()->columnCount(), 0);
    QCOMPARE(cells.model()->cornerText(), QString());
    QVERIFY(!QApplication::overrideCursor());
    cells.showMatrix(nullptr);
    QCOMPARE(cells.model()->rowCount(), 0);
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(MatrixViewTest)
#include "matrix_view_test.moc"
