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
#include "gui/windows/tfm_cells.h"
#include "gui/windows/tfm_m_diagram.h"
#include "gui/windows/tfm_main.h"
#include "gui/windows/tfm_spec_points.h"
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

QTEST_MAIN(ProgramRunTest)
#include "program_run_test.moc"
