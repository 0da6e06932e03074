// The phase diagram window driven with the mouse, offscreen: series, readout, region labels, zoom,
// chart editor and the two settings files.
#include <QDir>
#include <QFile>
#include <QFontDialog>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "gui/windows/chart_editor.h"
#include "gui/windows/diagram_command.h"
#include "gui/windows/tfm_diagram2.h"
#include "support/scripted_dialogs.h"
#include "unit/results/special_point_test_support.h"

namespace {

// A small run: L above, L + AB-(C) below it, and a two-phase field α + β at the bottom.
calc::RunResults smallRun() {
    calc::RunResults run;
    run.matrix = resultstest::buildMatrix({"0", "0.25", "0.5", "0.75", "1"},
                                          {{"1000", "L L L L L"},
                                           {"900", "L E AB-(C) E L"},
                                           {"800", "α E E E β"},
                                           {"700", "α E E E β"}},
                                          ',');
    run.resetBoundaries(4);
    for (calc::TZPoint p : {calc::TZPoint{0.2, 900, 1, "L"}, calc::TZPoint{0.8, 900, 5, "L"},
                            calc::TZPoint{0.1, 800, 1, "α"}, calc::TZPoint{0.9, 800, 5, "β"}})
        run.appendBoundary(p);
    return run;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class DiagramWindowTest : public QObject {
    Q_OBJECT

    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<QTemporaryDir> dir;
    calc::RunResults run;
    calc::RunParameters parameters;
    results::SpecialPoints special;

    std::unique_ptr<gui::TfmDiagram2> openWindow() {
        auto window = std::make_unique<gui::TfmDiagram2>(dialogs, ',', dir->path());
        window->resize(800, 600);
        return window;
    }

    void showDiagram(gui::TfmDiagram2& window, std::vector<results::ExperimentPoint> experiment = {}) {
        gui::DiagramRequest request;
        request.results = &run;
        request.parameters = &parameters;
        request.special = &special;
        request.experiment = std::move(experiment);
        gui::sbDiagramClick(window, request);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.Chart1->replot();  // lay the chart out at its shown size
    }

    QPoint pixelOf(gui::TfmDiagram2& window, double x, double y) {
        return QPoint(qRound(window.Chart1->xAxis->coordToPixel(x)), qRound(window.Chart1->yAxis->coordToPixel(y)));
    }

    void click(gui::TfmDiagram2& window, QPoint at, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = {}) {
        QTest::mousePress(window.Chart1, button, modifiers, at);
        QTest::mouseRelease(window.Chart1, button, modifiers, at);
    }

    void drag(gui::TfmDiagram2& window, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(window.Chart1, button, {}, from);
        QTest::mouseMove(window.Chart1, (from + to) / 2);
        QTest::mouseMove(window.Chart1, to);
        QTest::mouseRelease(window.Chart1, button, {}, to);
    }

    QStringList labelTexts(gui::TfmDiagram2& window) {
        QStringList texts;
        for (QCPItemText* label : window.Chart1->regionLabels()) texts << label->text();
        return texts;
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        dialogs = {};
        run = smallRun();
        parameters = {};
        parameters.YParameter = calc::kYTemperature;
        parameters.YCaption = "Temp";
        parameters.XMin = 0;
        parameters.XMax = 1;
        parameters.YMin = 700;
        parameters.YMax = 1000;
        special.begin();
        special.node({800, 0.5, 0.25, 0.75});
        for (double x : {0.25, 0.5, 0.75}) special.chartPoint(x, 800);
    }

    void seriesInOrderWithMeasuredPointsLast() {
        auto window = openWindow();
        showDiagram(*window, {{0.3, 950}, {0.6, 750}});
        QCOMPARE(window->Chart1->titleText(), QString("T, K"));  // the caption directive does not count
        QStringList titles;
        for (int i = 0; i < window->Chart1->seriesCount(); ++i) titles << window->Chart1->seriesTitle(i);
        QCOMPARE(titles, QStringList({"Границы фаз", "Особые точки", "Нода при 800K", "Экспериментальные данные"}));
        QCOMPARE(window->Chart1->graph(3)->dataCount(), 2);
        QCOMPARE(window->Chart1->graph(3)->scatterStyle().shape(), QCPScatterStyle::ssTriangle);

        showDiagram(*window);  // a system without measured points
        QCOMPARE(window->Chart1->seriesCount(), 3);
        QCOMPARE(window->Chart1->seriesTitle(2), QString("Нода при 800K"));
        QVERIFY(window->isVisible());
    }

    void clicksPlaceRegionLabelsNamingTheField() {
        auto window = openWindow();
        showDiagram(*window);
        click(*window, pixelOf(*window, 0.2, 950));   // between rows and columns: row 900, column 0.25
        click(*window, pixelOf(*window, 0.49, 920));  // left of a column: that column, AB-(C)
        click(*window, pixelOf(*window, 1.2, 900));   // right of the last composition: nothing
        click(*window, pixelOf(*window, 0.5, 650));   // below the lowest Y: nothing
        QCOMPARE(labelTexts(*window), QStringList({"L+AB", "AB"}));
        QVERIFY(dialogs.shown.empty());

        // The label sits at the click in axis coordinates, top-left corner first.
        QCPItemText* label = window->Chart1->regionLabels().first();
        QVERIFY(std::abs(label->position->coords().x() - 0.2) < 0.01);
        QVERIFY(std::abs(label->position->coords().y() - 950) < 2);
        QCOMPARE(label->font(), window->LabelFont);
    }

    void labelsAreDraggedEditedAndDeleted() {
        auto window = openWindow();
        showDiagram(*window);
        click(*window, pixelOf(*window, 0.2, 950));
        click(*window, pixelOf(*window, 0.5, 760));
        QCOMPARE(labelTexts(*window), QStringList({"L+AB", "α+β"}));

        QCPItemText* first = window->Chart1->regionLabels().first();
        const QPoint grip = pixelOf(*window, 0.2, 950) + QPoint(3, 3);
        const QPoint target = pixelOf(*window, 0.6, 980);
        drag(*window, grip, target);
        QVERIFY(std::abs(first->position->coords().x() - 0.6) < 0.01);
        QCOMPARE(labelTexts(*window).size(), 2);  // a drag from a label places no new one

        dialogs.answerInput(std::string("Жидкость + AB"));
        click(*window, target + QPoint(3, 3), Qt::RightButton);
        dialogs.answerInput(std::nullopt);  // cancel keeps the text
        click(*window, target + QPoint(3, 3), Qt::RightButton);
        QCOMPARE(labelTexts(*window), QStringList({"Жидкость + AB", "α+β"}));
        QCOMPARE(dialogs.texts("input"), std::vector<std::string>(2, "Редактировать надпись: Новый текст"));

        click(*window, target + QPoint(3, 3), Qt::RightButton, Qt::AltModifier);
        QCOMPARE(labelTexts(*window), QStringList({"α+β"}));

        // A right click beside the labels opens the chart's menu with the label font.
        click(*window, target + QPoint(3, 3), Qt::RightButton);
        QVERIFY(window->PopupMenu1->isVisible());
        QVERIFY(window->PopupMenu1->actions().contains(window->Setfontforlabels1));
        window->PopupMenu1->close();
    }

    void readoutShowsThePointUnderTheMouse() {
        auto window = openWindow();
        showDiagram(*window);
        results::ChartSettings narrow = window->Chart1->settings();
        narrow.bottom = {false, 0.2499, 0.2501};
        narrow.left = {false, 999.9999, 1000.0001};
        window->Chart1->applySettings(narrow);
        const QRect plotRect = window->Chart1->axisRect()->rect();
        QTest::mouseMove(window->Chart1, plotRect.center());
        QVERIFY(window->Label1->isVisible());
        QCOMPARE(window->Label1->text(), QString("X = 2,5000E-001     T, K = 1000,000    "));

        QTest::mouseMove(window->Chart1, QPoint(plotRect.left() - 5, plotRect.center().y()));
        QVERIFY(!window->Label1->isVisible());
    }

    void zoomRemovesLabelsAndShowsTheUndoButton() {
        auto window = openWindow();
        showDiagram(*window);
        const QCPRange whole = window->Chart1->xAxis->range();
        click(*window, pixelOf(*window, 0.3, 950));
        QVERIFY(window->sbUndoZoom->isHidden());

        drag(*window, pixelOf(*window, 0.2, 950), pixelOf(*window, 0.6, 750));
        QVERIFY(!window->sbUndoZoom->isHidden());
        QVERIFY(window->Chart1->regionLabels().isEmpty());
        QVERIFY(std::abs(window->Chart1->xAxis->range().lower - 0.2) < 0.01);

        // Dragging towards the left undoes the zoom and leaves labels in place.
        window->Chart1->replot();
        click(*window, pixelOf(*window, 0.3, 950));
        drag(*window, QPoint(400, 300), QPoint(200, 200));
        QVERIFY(window->sbUndoZoom->isHidden());
        QCOMPARE(window->Chart1->xAxis->range(), whole);
        QCOMPARE(window->Chart1->regionLabels().size(), 1);

        // Scrolling with the right button and the wheel count as zoom too; the button undoes both.
        drag(*window, QPoint(300, 300), QPoint(350, 320), Qt::RightButton);
        QVERIFY(!window->sbUndoZoom->isHidden());
        QVERIFY(window->Chart1->regionLabels().isEmpty());
        QWheelEvent wheel(QPointF(300, 300), window->Chart1->mapToGlobal(QPointF(300, 300)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window->Chart1, &wheel);
        QVERIFY(window->Chart1->xAxis->range().size() < whole.size());
        window->sbUndoZoom->click();
        QVERIFY(window->sbUndoZoom->isHidden());
        QCOMPARE(window->Chart1->xAxis->range(), whole);
    }

    void editedFootServesLaterDiagramsAndIsSaved() {
        {
            auto window = openWindow();
            showDiagram(*window);
            QTimer::singleShot(0, [] {
                auto* editor = qobject_cast<gui::ChartEditor*>(QApplication::activeModalWidget());
                QVERIFY(editor);
                editor->edFoot->setText("x(Sn), мол. доля");
                editor->series[0].marker->setCurrentIndex(2);  // squares for the boundaries
                editor->accept();
            });
            window->sbEdit->click();
            QCOMPARE(window->DefaultFootText, QString("x(Sn), мол. доля"));
            QCOMPARE(window->Chart1->graph(0)->scatterStyle().shape(), QCPScatterStyle::ssSquare);

            showDiagram(*window);  // no x caption directive
            QCOMPARE(window->Chart1->footText(), QString("x(Sn), мол. доля"));
            parameters.XCaption = "x(B)";
            showDiagram(*window);
            QCOMPARE(window->Chart1->footText(), QString("x(B)"));
            click(*window, pixelOf(*window, 0.3, 950));
            window->Chart1->zoomAbout(QPoint(300, 300), 0.5);
        }  // closing the program writes the settings: the edited foot, automatic axes

        auto again = openWindow();
        QVERIFY(dialogs.texts("error").empty());
        QCOMPARE(again->Chart1->footText(), QString("x(Sn), мол. доля"));
        QCOMPARE(again->DefaultFootText, QString("x(Sn), мол. доля"));
        QCOMPARE(again->Chart1->settings().style(results::DiagramSeriesKind::Boundaries).marker,
                 results::MarkerShape::Square);
        QVERIFY(again->Chart1->settings().bottom.automatic);
    }

    void damagedChartSettingsGiveAMessageAndTheDefaults() {
        writeBytes(dir->filePath("Chart.cfg"), QByteArray("\x00\x01garbage", 9));
        auto window = openWindow();
        QCOMPARE(dialogs.texts("error"),
                 std::vector<std::string>({"Chart.cfg, line 1: not a chart settings file\n"
                                           "График показан с исходными настройками."}));
        QCOMPARE(window->DefaultFootText, QString("Мольная доля (x) компонента B в системе A-B"));
        window.reset();  // the program ends: a sound file replaces the damaged one
        QVERIFY(fileBytes(dir->filePath("Chart.cfg")).startsWith("[Ravo chart 1]\r\n"));
    }

    void labelFontFileIsReadAndWrittenInItsLineFormat() {
        writeBytes(dir->filePath("fntLabel.cfg"), "DejaVu Serif\r\n14\r\nclRed\r\nfsItalic\r\n");
        QByteArray chosen;
        {
            auto window = openWindow();
            QCOMPARE(window->LabelFont.family(), QString("DejaVu Serif"));
            QCOMPARE(window->LabelFont.pointSize(), 14);
            QVERIFY(window->LabelFont.italic());
            QCOMPARE(window->LabelColor, QColor(Qt::red));
            showDiagram(*window);
            click(*window, pixelOf(*window, 0.3, 950));
            QCOMPARE(window->Chart1->regionLabels().first()->color(), QColor(Qt::red));
            QTimer::singleShot(0, [] {
                auto* chooser = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
                QVERIFY(chooser);
                QFont font = chooser->currentFont();
                font.setPointSize(11);
                font.setBold(true);
                font.setItalic(false);
                chooser->setCurrentFont(font);
                chooser->accept();
            });
            window->Setfontforlabels1->trigger();
            QCOMPARE(window->LabelFont.pointSize(), 11);
            chosen = window->LabelFont.family().toUtf8() + "\r\n11\r\nclRed\r\n";
            if (window->LabelFont.bold()) chosen += "fsBold\r\n";
            if (window->LabelFont.italic()) chosen += "fsItalic\r\n";
        }
        // The colour stays symbolic; name, size and styles are the chosen ones.
        QCOMPARE(fileBytes(dir->filePath("fntLabel.cfg")), chosen);

        writeBytes(dir->filePath("fntLabel.cfg"), "Liberation Sans\r\n9\r\n#red\r\nfsBold\r\n");
        auto damaged = openWindow();
        QCOMPARE(dialogs.texts("error"), std::vector<std::string>({"fntLabel.cfg: \"#red\" is not a colour"}));
        QCOMPARE(damaged->LabelFont.family(), QString("Liberation Sans"));  // the lines before stay applied
        QCOMPARE(damaged->LabelFont.pointSize(), 9);
        QVERIFY(!damaged->LabelFont.bold());
    }
};

QTEST_MAIN(DiagramWindowTest)
#include "diagram_window_test.moc"
