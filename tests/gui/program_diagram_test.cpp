// The diagram in the program: drawn at the end of a completed run and again by "Диаграмма", its
// "Особые точки" fills the node grid, and its settings files land in the current directory when the
// program ends.
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>

#include "db/tdm.h"
#include "gui/program_windows.h"
#include "gui/run/run_controller.h"
#include "gui/windows/tfm_diagram2.h"
#include "gui/windows/tfm_main.h"
#include "gui/windows/tfm_special_points.h"
#include "store/value.h"
#include "support/scripted_dialogs.h"

namespace {

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

QStringList seriesTitles(const gui::TfmDiagram2& diagram) {
    QStringList titles;
    for (int i = 0; i < diagram.Chart1->seriesCount(); ++i) titles << diagram.Chart1->seriesTitle(i);
    return titles;
}

}  // namespace

class ProgramDiagramTest : public QObject {
    Q_OBJECT
private slots:
    void completedRunDrawsTheDiagramAndTheProgramKeepsItsSettings() {
        testsupport::ScriptedDialogs dialogs;
        QTemporaryDir directory;
        QVERIFY(directory.isValid() && copyDefaultDatabase(directory.path()));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(directory.path());  // where the chart's settings files are kept
        auto windows = std::make_unique<gui::ProgramWindows>(dialogs, '.', directory.path().toStdString() + "/");
        QVERIFY(windows->start());
        QVERIFY(windows->tdm().tblSystems.locate("System_designation", store::Value{std::string("Pb+Sn")}));
        gui::TfmDiagram2& diagram = *windows->diagram();
        QVERIFY(!diagram.isVisible());

        QSignalSpy finished(&windows->run(), &gui::RunController::runFinished);
        windows->main().sbRun()->click();
        QVERIFY(finished.wait(60000) && finished.front().front().toBool());
        QVERIFY(diagram.isVisible());
        QCOMPARE(diagram.windowTitle(), QString("Pb+Sn"));
        const QStringList titles = seriesTitles(diagram);
        QCOMPARE(titles.mid(0, 2), QStringList({"Границы фаз", "Особые точки"}));
        QCOMPARE(titles.filter("Нода при ").size(), 1);  // the eutectic
        QCOMPARE(titles.last(), QString("Экспериментальные данные"));
        QVERIFY(diagram.Chart1->graph(0)->dataCount() > 100);

        diagram.sbSpecialPoints->click();
        QVERIFY(windows->specPoints().isVisible());
        QCOMPARE(windows->specPoints().gridRowCount(), 2);

        diagram.Chart1->zoomAbout(QPoint(200, 200), 0.5);
        windows->main().sbDiagram()->click();  // drawn again: same series, zoom undone
        QCOMPARE(seriesTitles(diagram), titles);
        QVERIFY(diagram.sbUndoZoom->isHidden());

        windows.reset();  // the program ends
        QDir::setCurrent(previous);
        QVERIFY(QFile::exists(directory.filePath("Chart.cfg")));
        QVERIFY(QFile::exists(directory.filePath("fntLabel.cfg")));
        QVERIFY(dialogs.texts("error").empty());
    }
};

QTEST_MAIN(ProgramDiagramTest)
#include "program_diagram_test.moc"
