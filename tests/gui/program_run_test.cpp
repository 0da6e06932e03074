// A run of Pb+Sn in the program as the user starts it: the main window's buttons, the live
// displays, the matrix view and the special points window over the real calculation.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>

#include "calc/run_results.h"
#include "db/tdm.h"
#include "gui/models/phase_matrix_model.h"
#include "gui/program_windows.h"
#include "gui/run/run_controller.h"
#include "gui/run/calculation_engine.h"
#include "gui/windows/diagram_command.h"
#include "gui/windows/tfm_cells.h"
#include "gui/windows/tfm_diagram2.h"
#include "gui/windows/tfm_invariants.h"
#include "gui/windows/tfm_m_diagram.h"
#include "gui/windows/tfm_main.h"
#include "gui/windows/tfm_special_points.h"
#include "store/value.h"
#include "support/scripted_dialogs.h"

namespace {

// The default database built beside the programs, copied so the test may change it.
bool copyDefaultDatabase(const QString& to) {
    namespace fs = std::filesystem;
    for (const char* name : {"systems.d", "phases.d", "gibbs_energy.d", "stability_params.d", "stability_detail.d",
                             "experim_data.d"}) {
        std::error_code error;
        fs::copy_file(fs::path(RAVO_BIN_DIR) / name, fs::path(to.toStdString()) / name, error);
        if (error) return false;
    }
    return true;
}

struct Program {
    testsupport::ScriptedDialogs dialogs;
    QTemporaryDir directory;
    std::unique_ptr<gui::ProgramWindows> windows;

    bool start() {
        if (!directory.isValid() || !copyDefaultDatabase(directory.path())) return false;
        windows = std::make_unique<gui::ProgramWindows>(dialogs, '.', directory.path().toStdString() + "/");
        if (!windows->start()) return false;
        return windows->tdm().tblSystems.locate("System_designation", store::Value{std::string("Pb+Sn")});
    }
    QCheckBox* box(const char* name) const { return windows->main().findChild<QCheckBox*>(name); }

    bool runToEnd() {
        QSignalSpy finished(&windows->run(), &gui::RunController::runFinished);
        windows->main().sbRun()->click();
        return finished.wait(60000) && finished.front().front().toBool();
    }
};

}  // namespace

class ProgramRunTest : public QObject {
    Q_OBJECT
private slots:
    void pbSnRunShowsTheEutecticNodeAndTheSameResultsWithoutDisplays();
    void commandsThatReplaceTheTablesAreRefusedDuringARun();
    void closingTheMainWindowDuringARunEndsCleanly();
    void invariantsMenuShowsTheRefinedTableOfTheLastRun();
    void diagramWindowRefinesItsNodeLineAndOpensTheInvariants();
};

void ProgramRunTest::pbSnRunShowsTheEutecticNodeAndTheSameResultsWithoutDisplays() {
    Program program;
    QVERIFY(program.start());
    gui::ProgramWindows& w = *program.windows;
    QVERIFY(program.box("chbMosaic")->isChecked());
    QVERIFY(program.box("chbChart")->isChecked());
    QVERIFY(!w.main().sbDiagram()->isEnabled());

    QVERIFY(program.runToEnd());
    QVERIFY(w.mosaic().isVisible());
    QCOMPARE(w.mosaic().windowTitle(), QString("Pb+Sn"));
    QVERIFY(w.main().statusText().startsWith("Temperature = "));
    QVERIFY(!w.main().sbStop()->isEnabled());
    QVERIFY(w.main().sbDiagram()->isEnabled());
    // Two-phase fields reached the mosaic.
    const QImage mosaic = w.mosaic().image();
    int painted = 0;
    for (int y = 0; y < mosaic.height(); ++y)
        for (int x = 0; x < mosaic.width(); ++x) painted += mosaic.pixelColor(x, y) == w.main().mosaicColor();
    QVERIFY(painted > 1000);

    // "Особые точки": the eutectic L = FCC + BCT near 455 K.
    QPushButton* sbSpecPoints = w.main().findChild<QPushButton*>("sbSpecPoints");
    QVERIFY(sbSpecPoints);
    sbSpecPoints->click();
    QVERIFY(w.specPoints().isVisible());
    QCOMPARE(w.specPoints().gridRowCount(), 2);
    QCOMPARE(w.specPoints().gridText(0, 0), QString(" T"));
    const double y = w.specPoints().gridText(0, 1).toDouble();
    QVERIFY2(y > 450 && y < 460, qPrintable(w.specPoints().gridText(0, 1)));
    QCOMPARE(w.specPoints().gridText(1, 1), QString(" 0.26"));
    QCOMPARE(w.specPoints().gridText(3, 1), QString(" 0.975"));

    // "Матрица".
    QPushButton* sbMatrix = w.main().findChild<QPushButton*>("sbMatrix");
    QVERIFY(sbMatrix);
    sbMatrix->click();
    QVERIFY(w.cells().isVisible());
    gui::PhaseMatrixModel& first = *w.cells().model();
    QCOMPARE(first.cornerText(), QString(" Y/X"));
    const int cols = first.matrixColCount();
    const int rows = first.matrixRowCount();
    QVERIFY(cols > 200 && rows > 170);
    std::vector<std::string> withDisplays;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) withDisplays.push_back(first.cellText(c, r));
    const auto boundaries = w.run().engine().results().boundaries();
    const std::vector<calc::TZPoint> boundariesWithDisplays(boundaries.begin(), boundaries.end());

    // Both boxes cleared: the windows are hidden, nothing is drawn, the results are the same.
    program.box("chbMosaic")->click();
    program.box("chbChart")->click();
    QVERIFY(!program.box("chbMosaic")->isChecked());
    QVERIFY(program.runToEnd());
    QVERIFY(!w.mosaic().isVisible());
    QCOMPARE(w.mosaic().image().pixelColor(w.mosaic().image().width() / 2, w.mosaic().image().height() / 2),
             QColor(Qt::white));
    sbMatrix->click();
    std::vector<std::string> withoutDisplays;
    for (int r = 0; r < w.cells().model()->matrixRowCount(); ++r)
        for (int c = 0; c < w.cells().model()->matrixColCount(); ++c)
            withoutDisplays.push_back(w.cells().model()->cellText(c, r));
    QVERIFY(withoutDisplays == withDisplays);
    const auto again = w.run().engine().results().boundaries();
    QCOMPARE(again.size(), boundariesWithDisplays.size());
    for (size_t i = 0; i < again.size(); ++i) {
        QCOMPARE(again[i].X, boundariesWithDisplays[i].X);
        QCOMPARE(again[i].Y, boundariesWithDisplays[i].Y);
    }
    QVERIFY(program.dialogs.shown.empty());
}

void ProgramRunTest::commandsThatReplaceTheTablesAreRefusedDuringARun() {
    Program program;
    QVERIFY(program.start());
    gui::ProgramWindows& w = *program.windows;
    QSignalSpy finished(&w.run(), &gui::RunController::runFinished);
    w.main().sbRun()->click();
    QVERIFY(w.run().running());
    QVERIFY(w.main().sbStop()->isEnabled());
    w.main().N1Click();   // Открыть
    w.main().N13Click();  // Создать
    w.main().N9Click();   // Загрузить из файла
    QCOMPARE(program.dialogs.texts("warning").size(), size_t(3));
    // F9 again: refused too.
    w.main().sbRun()->click();
    QCOMPARE(program.dialogs.texts("warning").back(), std::string("The calculation is already running"));
    QVERIFY(finished.wait(60000));
    QVERIFY(!w.run().running());
}

void ProgramRunTest::closingTheMainWindowDuringARunEndsCleanly() {
    Program program;
    QVERIFY(program.start());
    gui::ProgramWindows& w = *program.windows;
    w.main().show();
    w.main().sbRun()->click();
    QVERIFY(w.run().running());
    QVERIFY(w.main().close());
    QVERIFY(!w.run().running());
    QVERIFY(program.dialogs.shown.empty());
    program.windows.reset();
}

void ProgramRunTest::invariantsMenuShowsTheRefinedTableOfTheLastRun() {
    Program program;
    QVERIFY(program.start());
    gui::ProgramWindows& w = *program.windows;
    program.box("chbMosaic")->click();
    program.box("chbChart")->click();
    QAction* menu = w.main().action("Invariants1");
    QVERIFY(menu);
    QCOMPARE(menu->text(), QString("Нонвариантные равновесия"));

    // Before any run the window opens empty.
    menu->trigger();
    QVERIFY(w.invariants().isVisible());
    QCOMPARE(w.invariants().grid()->rowCount(), 0);

    // An open window is refilled when the run completes: both melting points and the eutectic.
    QVERIFY(program.runToEnd());
    QCOMPARE(w.invariants().grid()->rowCount(), 3);
    QCOMPARE(w.invariants().grid()->item(2, 0)->text(), QString("эвтектика"));
    QCOMPARE(w.invariants().grid()->item(2, 1)->text(), QString("Liquid = Fcc_A1 + Bct_A5"));
    QCOMPARE(w.invariants().grid()->item(2, 2)->text(), QString("454.563"));
    QCOMPARE(w.invariants().grid()->item(2, 5)->text(), QString());

    // During a run the window keeps the last table.
    w.invariants().hide();
    QSignalSpy finished(&w.run(), &gui::RunController::runFinished);
    w.main().sbRun()->click();
    QVERIFY(w.run().running());
    menu->trigger();
    QVERIFY(w.invariants().isVisible());
    QCOMPARE(w.invariants().grid()->rowCount(), 3);
    QVERIFY(finished.wait(60000));
    QCOMPARE(w.invariants().grid()->rowCount(), 3);
    QVERIFY(program.dialogs.shown.empty());
}

void ProgramRunTest::diagramWindowRefinesItsNodeLineAndOpensTheInvariants() {
    Program program;
    QVERIFY(program.start());
    gui::ProgramWindows& w = *program.windows;
    program.box("chbMosaic")->click();
    program.box("chbChart")->click();
    QTemporaryDir settings;
    gui::TfmDiagram2 diagram(program.dialogs, '.', settings.path());
    w.attachDiagram(diagram);
    QVERIFY(program.runToEnd());
    auto& engine = dynamic_cast<gui::CalculationEngine&>(w.run().engine());
    gui::sbDiagramClick(diagram, engine.calculation(), w.tdm(), '.');

    // Series 2 is the eutectic's node line: at the grid row, then at the refined 454.563 K.
    auto line = [&diagram] {
        const QCPGraph* graph = diagram.Chart1->graph(2);
        return QPointF(graph->data()->constBegin()->key, graph->data()->constBegin()->value);
    };
    const QPointF grid = line();
    QVERIFY2(grid.y() > 455 && grid.y() < 460, qPrintable(QString::number(grid.y())));
    diagram.chbRefineNodes->click();
    QVERIFY2(std::abs(line().y() - 454.563) < 1e-3, qPrintable(QString::number(line().y(), 'g', 10)));
    QVERIFY2(std::abs(line().x() - 0.26321) < 1e-4, qPrintable(QString::number(line().x(), 'g', 10)));
    diagram.chbRefineNodes->click();
    QCOMPARE(line(), grid);

    diagram.sbInvariants->click();
    QVERIFY(w.invariants().isVisible());
    QCOMPARE(w.invariants().grid()->rowCount(), 3);
    QVERIFY(program.dialogs.shown.empty());
}

QTEST_MAIN(ProgramRunTest)
#include "program_run_test.moc"
