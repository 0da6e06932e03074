// The main window driven as a user drives it: start, search, edit lock, the run key, the panels,
// the database commands and the edits the rules refuse. Every test runs with "," and with "." as
// the decimal separator.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QAbstractItemDelegate>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QAction>
#include <QDir>
#include <QMenu>
#include <filesystem>

#include "gui/widgets/data_grid.h"
#include "gui/widgets/record_navigator.h"
#include "gui/windows/tfm_about.h"
#include "gui/windows/tfm_experiment.h"
#include "gui/windows/tfm_main.h"
#include "gui/windows/tfm_stability.h"
#include "gui_fixture.h"
#include "support/test_helpers.h"

using guitest::Program;

namespace {

// Types text into a grid cell as a user does: the cell's editor opens, the text is typed, Enter.
void typeIntoGrid(gui::DataGrid* grid, int row, const QString& text) {
    const QModelIndex index = grid->model()->index(row, 0);
    grid->setCurrentIndex(index);
    grid->edit(index);
    if (!grid->editing()) return;  // refused: no editor opened
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    // The grid hands the text over once the key has been processed.
    QSignalSpy closed(grid->itemDelegate(), &QAbstractItemDelegate::closeEditor);
    QTest::keyClick(editor, Qt::Key_Return);
    QVERIFY(closed.count() > 0 || closed.wait(2000));
}

void typeIntoEdit(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
public:
    explicit MainWindowTest(char separator) : separator_(separator) {}

private:
    char separator_;
    std::unique_ptr<Program> p;
    gui::TfmMain* w = nullptr;
    db::TDM* tdm = nullptr;

    void unlock() {
        p->dialogs->answerInput(std::string("907"));
        QTest::mouseClick(w->chbReadOnly(), Qt::LeftButton);
        QVERIFY(!tdm->ReadOnlyLock());
    }

private slots:
    void init() {
        p = std::make_unique<Program>(separator_);
        QVERIFY(p->started);
        w = &p->windows->main();
        tdm = &p->windows->tdm();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup() {
        w = nullptr;
        tdm = nullptr;
        p.reset();
    }

    void startShowsTheDatabaseLockedWithTheOtherWindowsHidden() {
        QCOMPARE(w->windowTitle(), QString::fromStdString("Database: " + p->directory));
        QVERIFY(w->chbReadOnly()->isChecked());
        QVERIFY(w->passwordPending());
        QVERIFY(w->dbgSystems()->gridReadOnly());
        for (store::Table* t : {&tdm->tblPhases, &tdm->tblGibbs, &tdm->tblStability, &tdm->tblStabDet, &tdm->tblExperiment})
            QVERIFY2(t->readOnly(), t->name().c_str());
        QVERIFY(!tdm->tblSystems.readOnly());
        QVERIFY(!w->gbComments()->isVisible());
        QVERIFY(!w->gbNotations()->isVisible());
        QVERIFY(!w->sbStop()->isEnabled());
        QVERIFY(!w->sbDiagram()->isEnabled());
        QVERIFY(!p->windows->stability().isVisible());
        QVERIFY(!p->windows->experiment().isVisible());
        QCOMPARE(w->mosaicColor(), QColor(0xC0, 0xDC, 0xC0));
        QCOMPARE(w->dbgSystems()->model()->rowCount(), 5);
        QCOMPARE(w->dbgSystems()->model()->index(0, 0).data().toString(), QStringLiteral("Al+Fe"));
        QCOMPARE(w->dbgSystems()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Название системы"));
        QVERIFY(p->dialogs->shown.empty());
    }

    void aDirectoryWithoutTheTablesEndsTheStart() {
        QTemporaryDir empty;
        testsupport::ScriptedDialogs dialogs;
        gui::ProgramWindows windows(dialogs, separator_, empty.path().toStdString() + "/");
        QVERIFY(!windows.start());
        QCOMPARE(dialogs.texts("error"), std::vector<std::string>{"Can not open database files"});
    }

    void searchSelectsTheFirstSystemBeginningWithTheText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected");
        QTest::newRow("prefix") << "Fe" << "Fe+Cr";
        QTest::newRow("longer prefix") << "Fe+N" << "Fe+Ni";
        QTest::newRow("letter case counts") << "fe" << "Pb+Sn";
        QTest::newRow("blanks move nothing") << "   " << "Pb+Sn";
        QTest::newRow("blanks around are trimmed") << " Cu " << "Cu+Ni";
        QTest::newRow("no match stays") << "Zr" << "Pb+Sn";
    }
    void searchSelectsTheFirstSystemBeginningWithTheText() {
        QFETCH(QString, typed);
        QFETCH(QString, selected);
        p->select("Pb+Sn");
        QTest::keyClicks(w->edSearch(), typed);
        QCOMPARE(QString::fromStdString(p->designation()), selected);
        // The grid's selection follows the table.
        QCOMPARE(w->dbgSystems()->currentIndex().data().toString(), selected);
    }

    void password_data() {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("unlocked");
        QTest::newRow("accepted") << false << "907" << true;
        QTest::newRow("wrong") << false << "908" << false;
        QTest::newRow("blank around") << false << " 907" << false;
        QTest::newRow("cancelled") << true << "" << false;
    }
    void password() {
        QFETCH(bool, cancel);
        QFETCH(QString, typed);
        QFETCH(bool, unlocked);
        // An unsaved edit of a system: a refused password must not drop it.
        tdm->tblSystems.edit();
        tdm->tblSystems.setString("Comment", "kept");
        if (cancel) p->dialogs->answerInput(std::nullopt);
        else p->dialogs->answerInput(typed.toStdString());
        QTest::mouseClick(w->chbReadOnly(), Qt::LeftButton);
        QCOMPARE(w->chbReadOnly()->isChecked(), !unlocked);
        QCOMPARE(tdm->tblPhases.readOnly(), !unlocked);
        QCOMPARE(tdm->tblExperiment.readOnly(), !unlocked);
        QCOMPARE(w->dbgSystems()->gridReadOnly(), !unlocked);
        QCOMPARE(w->passwordPending(), !unlocked);
        if (!unlocked) QCOMPARE(tdm->tblSystems.asString("Comment"), std::string("kept"));
        // The input box is the only thing shown: no message for a wrong password.
        QCOMPARE(p->dialogs->shown.size(), std::size_t{1});
        QCOMPARE(p->dialogs->shown[0].kind, std::string("input"));
    }

    void aLockSwitchDropsUnsavedEditsAndAsksThePasswordOnce() {
        unlock();
        p->select("Cu+Ni");
        typeIntoGrid(w->dbgPhases(), 0, QStringLiteral("Melt"));
        QCOMPARE(tdm->tblPhases.asString("Phase_designation"), std::string("Melt"));
        QTest::mouseClick(w->chbReadOnly(), Qt::LeftButton);  // lock again before saving
        QVERIFY(tdm->ReadOnlyLock());
        p->select("Cu+Ni");
        QCOMPARE(w->dbgPhases()->model()->index(0, 0).data().toString(), QStringLiteral("Liquid"));
        QTest::mouseClick(w->chbReadOnly(), Qt::LeftButton);  // no answer queued: a question would fail
        QVERIFY(!tdm->ReadOnlyLock());
        QCOMPARE(p->dialogs->texts("input").size(), std::size_t{1});
    }

    void runKeyWithAnyModifier_data() {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("F9") << int(Qt::NoModifier);
        QTest::newRow("Ctrl+F9") << int(Qt::ControlModifier);
        QTest::newRow("Shift+F9") << int(Qt::ShiftModifier);
        QTest::newRow("Alt+F9") << int(Qt::AltModifier);
    }
    void runKeyWithAnyModifier() {
        QFETCH(int, modifiers);
        QSignalSpy run(w, &gui::TfmMain::runRequested);
        // The key reaches the window before the control that has focus, even a memo.
        for (QWidget* focus : std::initializer_list<QWidget*>{w->memFunctions(), w->edSearch(), w->dbgSystems()}) {
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key_F9, Qt::KeyboardModifiers(modifiers));
        }
        QCOMPARE(run.count(), 3);
        QSignalSpy clicked(w, &gui::TfmMain::runRequested);
        QTest::mouseClick(w->sbRun(), Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }

    void bothPanelsStandBesideThePhaseList() {
        QTest::mouseClick(w->chbComments(), Qt::LeftButton);
        QTest::mouseClick(w->chbNotations(), Qt::LeftButton);
        QVERIFY(w->gbComments()->isVisible());
        QVERIFY(w->gbNotations()->isVisible());
        QApplication::processEvents();
        const QRect c = w->gbComments()->geometry(), n = w->gbNotations()->geometry(), ph = w->gbPhases()->geometry();
        QVERIFY(c.right() < n.left());
        QVERIFY(n.right() < ph.left());
        QCOMPARE(c.top(), ph.top());
        QCOMPARE(n.height(), ph.height());
        QVERIFY(c.width() > 50 && n.width() > 50 && ph.width() > 50);
        QTest::mouseClick(w->chbComments(), Qt::LeftButton);
        QVERIFY(!w->gbComments()->isVisible());
    }

    void zLabelFollowsTheMeaningOfY() {
        p->select("Cu+Ni");
        QCOMPARE(w->lblZ()->text(), QStringLiteral("P, бар"));
        w->dbcbY()->setFocus();
        // Choosing "Y" hides the fixed variable, "Pressure" shows the temperature.
        QTest::keyClick(w->dbcbY(), Qt::Key_Down);
        QTest::keyClick(w->dbcbY(), Qt::Key_Down);
        QCOMPARE(w->dbcbY()->currentText(), QStringLiteral("Y"));
        QCOMPARE(w->lblZ()->text(), QStringLiteral("P = 1 бар, T = 300 K"));
        QVERIFY(w->edZvalue()->isHidden());
        QTest::keyClick(w->dbcbY(), Qt::Key_Up);
        QCOMPARE(w->lblZ()->text(), QStringLiteral("T, К"));
        QVERIFY(!w->edZvalue()->isHidden());
        QCOMPARE(tdm->tblSystems.asString("Yparameter"), std::string("Pressure"));
        // Another system shows its own meaning.
        p->select("Fe+Ni");
        QCOMPARE(w->lblZ()->text(), QStringLiteral("P, бар"));
        QCOMPARE(w->dbcbY()->currentText(), QStringLiteral("Temperature"));
    }

    void numbersUseTheRegionalSeparator() {
        p->select("Cu+Ni");
        auto* ymin = w->findChild<QLineEdit*>("edYmin");
        QVERIFY(ymin);
        const QString sep(QChar::fromLatin1(separator_));
        typeIntoEdit(ymin, "654" + sep + "98765432");
        QCOMPARE(tdm->tblSystems.asFloat("Ymin"), 654.98765432);
        QCOMPARE(ymin->text(), "654" + sep + "9876543");
        QVERIFY(p->dialogs->texts("error").empty());
    }

    void badValuesAreRefusedWithTheProgramsMessage() {
        p->select("Cu+Ni");
        const double before = tdm->tblSystems.asFloat("Ymin");
        auto* ymin = w->findChild<QLineEdit*>("edYmin");
        typeIntoEdit(ymin, QStringLiteral("abc"));
        QCOMPARE(p->dialogs->texts("error").size(), std::size_t{1});
        QCOMPARE(tdm->tblSystems.asFloat("Ymin"), before);
        QCOMPARE(ymin->text(), QString::fromStdString(tdm->tblSystems.displayText("Ymin", separator_)));

        // Typing into the locked phase list.
        p->dialogs->shown.clear();
        w->dbgPhases()->setFocus();
        w->dbgPhases()->setCurrentIndex(w->dbgPhases()->model()->index(0, 0));
        QTest::keyClicks(w->dbgPhases(), QStringLiteral("x"));
        QCOMPARE(p->dialogs->texts("error"), std::vector<std::string>{"Cannot modify a read-only dataset"});
        QCOMPARE(tdm->tblPhases.asString("Phase_designation"), std::string("Liquid"));

        // A designation with four elements, typed into the systems grid and posted.
        unlock();
        p->dialogs->shown.clear();
        QTest::mouseClick(w->systemsNavigator()->button(gui::RecordNavigator::Insert), Qt::LeftButton);
        QCOMPARE(w->dbgSystems()->model()->rowCount(), 6);
        typeIntoGrid(w->dbgSystems(), 5, QStringLiteral("A+B+C+D"));
        QTest::mouseClick(w->systemsNavigator()->button(gui::RecordNavigator::Post), Qt::LeftButton);
        QCOMPARE(p->dialogs->texts("error"), std::vector<std::string>{"Too many elements in the system"});
        QCOMPARE(tdm->tblSystems.state(), store::TableState::Insert);
        QCOMPARE(tdm->tblSystems.asString("Element3"), std::string("C"));
        QTest::mouseClick(w->systemsNavigator()->button(gui::RecordNavigator::Cancel), Qt::LeftButton);
        QCOMPARE(w->dbgSystems()->model()->rowCount(), 5);
    }

    void expressionPositionAndAnEmptyExpressionRefused() {
        p->select("Cu+Ni");
        QCOMPARE(w->lblGibbsPosition()->text(), QStringLiteral("1/2"));
        QTest::mouseClick(w->gibbsNavigator()->button(gui::RecordNavigator::Next), Qt::LeftButton);
        QCOMPARE(w->lblGibbsPosition()->text(), QStringLiteral("2/2"));
        QCOMPARE(w->findChild<QLineEdit*>("edTmin")->text(), QStringLiteral("1000"));
        unlock();
        p->select("Cu+Ni");
        QTest::mouseClick(w->gibbsNavigator()->button(gui::RecordNavigator::Insert), Qt::LeftButton);
        QCOMPARE(w->lblGibbsPosition()->text(), QStringLiteral("3/3"));
        QTest::mouseClick(w->gibbsNavigator()->button(gui::RecordNavigator::Post), Qt::LeftButton);
        QCOMPARE(p->dialogs->texts("error"), std::vector<std::string>{"Function is not specified"});
        QCOMPARE(tdm->tblGibbs.state(), store::TableState::Insert);
        w->memFunctions()->setFocus();
        QTest::keyClicks(w->memFunctions(), QStringLiteral("-2*T"));
        QTest::mouseClick(w->gibbsNavigator()->button(gui::RecordNavigator::Post), Qt::LeftButton);
        QCOMPARE(tdm->tblGibbs.state(), store::TableState::Browse);
        QCOMPARE(tdm->tblGibbs.recordCount(), 3);
    }

    void openSaveCreateCycle() {
        namespace fs = std::filesystem;
        QTemporaryDir other;
        const std::string second = other.path().toStdString() + "/";
        const std::string systemsBefore = testsupport::readFileBytes(p->directory + "systems.d");

        // Создать: an empty database of the same structure, locked again.
        unlock();
        w->chooseNewFile = [&](const QString&, const QString&, const QString& proposed) {
            return QString::fromStdString(second) + proposed;
        };
        w->N13Click();
        QCOMPARE(w->windowTitle(), QString::fromStdString("Database: " + second));
        QCOMPARE(w->dbgSystems()->model()->rowCount(), 0);
        QVERIFY(w->chbReadOnly()->isChecked());
        QVERIFY(tdm->tblPhases.readOnly());
        for (const char* file : {"systems.d", "phases.d", "gibbs_energy.d", "stability_params.d", "stability_detail.d", "experim_data.d"})
            QVERIFY2(fs::exists(second + file), file);

        // A system added there and saved.
        QTest::mouseClick(w->systemsNavigator()->button(gui::RecordNavigator::Insert), Qt::LeftButton);
        typeIntoGrid(w->dbgSystems(), 0, QStringLiteral("Mg+Si"));  // the grid is locked: nothing typed
        QCOMPARE(tdm->tblSystems.asString("System_designation"), std::string(""));
        QTest::mouseClick(w->chbReadOnly(), Qt::LeftButton);  // the password was given before
        QVERIFY(!tdm->ReadOnlyLock());
        QTest::mouseClick(w->systemsNavigator()->button(gui::RecordNavigator::Insert), Qt::LeftButton);
        typeIntoGrid(w->dbgSystems(), 0, QStringLiteral("Mg+Si"));
        w->action("N6")->trigger();
        QCOMPARE(tdm->tblSystems.recordCount(), 1);

        // Открыть: back to the first database, whose files the cycle left alone.
        w->chooseOpenFile = [&](const QString&, const QString&, const QString&) {
            return QString::fromStdString(p->directory + "gibbs_energy.d");
        };
        w->action("N1")->trigger();
        QCOMPARE(w->windowTitle(), QString::fromStdString("Database: " + p->directory));
        QCOMPARE(w->dbgSystems()->model()->rowCount(), 5);
        QVERIFY(!w->chbReadOnly()->isChecked());  // opening keeps the lock as it was
        QCOMPARE(testsupport::readFileBytes(p->directory + "systems.d"), systemsBefore);

        // And the new one again: the saved system is there.
        w->chooseOpenFile = [&](const QString&, const QString&, const QString&) {
            return QString::fromStdString(second + "gibbs_energy.d");
        };
        w->action("N1")->trigger();
        QCOMPARE(w->dbgSystems()->model()->rowCount(), 1);
        QCOMPARE(w->dbgSystems()->model()->index(0, 0).data().toString(), QStringLiteral("Mg+Si"));

        // A directory without the tables: the message, and the open database stays.
        QTemporaryDir empty;
        w->chooseOpenFile = [&](const QString&, const QString&, const QString&) {
            return empty.path() + "/gibbs_energy.d";
        };
        p->dialogs->shown.clear();
        w->action("N1")->trigger();
        QCOMPARE(p->dialogs->texts("error").size(), std::size_t{1});
        QCOMPARE(w->windowTitle(), QString::fromStdString("Database: " + second));
        QCOMPARE(w->dbgSystems()->model()->rowCount(), 1);
    }

    void commandsThatReplaceTheTablesWaitForTheRun() {
        bool asked = false;
        w->busy = [] { return true; };
        w->chooseOpenFile = [&](const QString&, const QString&, const QString&) {
            asked = true;
            return QString();
        };
        w->chooseNewFile = w->chooseOpenFile;
        for (const char* name : {"N1", "N13", "N9"}) w->action(name)->trigger();
        QTest::mouseClick(w->chbReadOnly(), Qt::LeftButton);
        QVERIFY(!asked);
        QVERIFY(w->chbReadOnly()->isChecked());
        QVERIFY(tdm->ReadOnlyLock());
        QCOMPARE(p->dialogs->texts("warning").size(), std::size_t{4});
        QVERIFY(p->dialogs->texts("input").empty());
    }

    void menusCarryEveryCommand() {
        for (const char* name : {"N1", "N6", "N13", "N15", "N3", "N7", "N4", "N8", "N9", "N10", "N12", "About1"})
            QVERIFY2(w->action(name), name);
        QCOMPARE(w->action("N13")->text(), QStringLiteral("Создать"));
        QCOMPARE(w->action("N10")->text(), QStringLiteral("Записать как текст"));
        // Separators stand after "Создать", after the catalog, and before "Данные эксперимента".
        QStringList database, system;
        for (QMenu* m : w->findChildren<QMenu*>()) {
            QStringList* items = m->title() == QStringLiteral("Система")       ? &system
                                 : m->title() == QStringLiteral("База данных") ? &database
                                                                                : nullptr;
            if (items)
                for (QAction* a : m->actions()) *items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        QCOMPARE(database, (QStringList{"Открыть", "Сохранить", "Создать", "-", "Записать оглавление в файл", "-", "Закрыть"}));
        QCOMPARE(system, (QStringList{"Записать в файл", "Загрузить из файла", "Записать как текст", "-", "Данные эксперимента"}));
    }

    void windowsOfTheMenusShowTheirData() {
        p->select("Cu+Ni");
        w->action("N12")->trigger();
        auto& experiment = p->windows->experiment();
        QVERIFY(experiment.isVisible());
        QCOMPARE(experiment.grid()->model()->rowCount(), 2);
        QCOMPARE(experiment.grid()->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Значение X"));
        QCOMPARE(experiment.grid()->model()->index(0, 2).data().toString(), QStringLiteral("0%1").arg(QChar(separator_)) + "25");
        p->select("Fe+Ni");
        QCOMPARE(experiment.grid()->model()->rowCount(), 0);

        w->action("N7")->trigger();
        QVERIFY(p->windows->stability().isVisible());
        QCOMPARE(p->windows->stability().positionLabel()->text(), QStringLiteral("0/0"));
    }

    // The catalog and the listing go to the current directory, as the program writes them.
    void catalogAndListingAreWrittenWithTheirMessages() {
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QString::fromStdString(p->directory)));
        p->select("Cu+Ni");
        w->action("N15")->trigger();
        w->action("N10")->trigger();
        QDir::setCurrent(previous);
        QCOMPARE(p->dialogs->texts("information"),
                 (std::vector<std::string>{"Оглавление базы записано в файл Ravo_cat", "Данные записаны в файл Cu+Ni.txt"}));
        const std::string catalog = testsupport::readFileBytes(p->directory + "Ravo_cat");
        QVERIFY(catalog.starts_with("Al+Fe\r\nCu+Ni\r\n"));
        QCOMPARE(p->designation(), std::string("Cu+Ni"));  // the selection stays
        const std::string listing = testsupport::readFileBytes(p->directory + "Cu+Ni.txt");
        QVERIFY(listing.starts_with("SYSTEM: Cu+Ni\r\n\r\nPHASE: Liquid-(C)\r\nTmin = 298  Tmax = 1000\r\n"));
    }

    void stabilityWindowEditsElementDataAndWritesItsFile() {
        auto& stability = p->windows->stability();
        w->action("N7")->trigger();
        unlock();
        auto* parameters = stability.findChildren<gui::RecordNavigator*>().at(0);
        auto* details = stability.findChildren<gui::RecordNavigator*>().at(1);
        QTest::mouseClick(parameters->button(gui::RecordNavigator::Insert), Qt::LeftButton);
        typeIntoGrid(stability.grid(), 0, QStringLiteral("GHSERCU"));
        QTest::mouseClick(details->button(gui::RecordNavigator::Insert), Qt::LeftButton);
        QCOMPARE(stability.positionLabel()->text(), QStringLiteral("1/1"));
        stability.memExpression()->setFocus();
        QTest::keyClicks(stability.memExpression(), QStringLiteral("-7770+130*T"));
        QTest::mouseClick(details->button(gui::RecordNavigator::Post), Qt::LeftButton);
        QCOMPARE(tdm->tblStability.asString("Designation"), std::string("GHSERCU"));
        QCOMPARE(tdm->tblStabDet.recordCount(), 1);
        QCOMPARE(tdm->tblStabDet.asString("Expression"), std::string("-7770+130*T"));
        stability.findChild<QAction*>("N2")->trigger();
        QCOMPARE(p->dialogs->texts("information").back(),
                 std::string("Данные о параметрах стабильности записаны в файл STABILITY_PARAMS.txt"));
        QVERIFY(testsupport::readFileBytes(p->directory + "STABILITY_PARAMS.txt").find("GHSERCU") != std::string::npos);
        QVERIFY(p->dialogs->texts("error").empty());
    }

    void experimentWindowFollowsTheLock() {
        p->select("Cu+Ni");
        w->action("N12")->trigger();
        auto* grid = p->windows->experiment().grid();
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 0));
        QTest::keyClicks(grid, QStringLiteral("x"));
        QCOMPARE(p->dialogs->texts("error"), std::vector<std::string>{"Cannot modify a read-only dataset"});
        unlock();
        p->select("Cu+Ni");
        typeIntoGrid(grid, 0, QStringLiteral("Handbook"));
        QCOMPARE(tdm->tblExperiment.asString("SQUIB"), std::string("Handbook"));
    }

    void aboutBoxClosesOnAnyKey() {
        auto& about = p->windows->about();
        QCOMPARE(about.windowTitle(), QStringLiteral("О программе..."));
        QVERIFY(about.isModal());
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::keyClick(&about, Qt::Key_A);
        QVERIFY(!about.isVisible());
        about.show();
        QTest::mouseClick(&about, Qt::LeftButton);
        QVERIFY(!about.isVisible());
    }

    void systemFileWrittenAndReadBack() {
        p->select("Cu+Ni");
        // The file goes to the program's directory, here the database's.
        w->action("N8")->trigger();
        QCOMPARE(p->dialogs->texts("information"), std::vector<std::string>{"Данные о системе записаны в файл Cu+Ni.ter"});
        unlock();
        w->chooseOpenFile = [&](const QString&, const QString& filter, const QString&) {
            return filter.contains("*.ter") ? QString::fromStdString(p->directory + "Cu+Ni.ter") : QString();
        };
        w->action("N9")->trigger();
        QCOMPARE(p->dialogs->texts("information").back(), std::string("Сведения о системе занесены в базу"));
        QCOMPARE(w->dbgSystems()->model()->rowCount(), 6);
        QCOMPARE(p->designation(), std::string("Cu+Ni"));
        QCOMPARE(tdm->tblPhases.recordCount(), 2);
        QCOMPARE(tdm->tblExperiment.recordCount(), 2);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int status = 0;
    for (char separator : {',', '.'}) {
        MainWindowTest test(separator);
        status |= QTest::qExec(&test, argc, argv);
    }
    return status;
}

#include "main_window_test.moc"
