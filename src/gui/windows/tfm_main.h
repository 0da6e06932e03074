#pragma once
#include <QColor>
#include <QMainWindow>
#include <functional>
#include <string>

#include "db/database_observer.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSplitter;

namespace db { class TDM; }
namespace util { class Dialogs; }

namespace gui {

class DataGrid;
class RecordBinder;
class RecordNavigator;
class TableModel;
class TfmAbout;
class TfmExperiment;
class TfmStability;

// The main window: the systems of the database, the phases of the selected system and the
// Gibbs-energy expressions of the selected phase, the run parameters of the system, the menus of
// the database and system commands, and the edit lock. It starts nothing itself: the run, the
// diagram, the special points and the matrix are asked for through signals, which the windows that
// own them connect to.
//
// Threading: GUI thread only. While `busy` answers true (a run is going), the commands that replace
// or reload the tables (Открыть, Создать, the lock switch, Загрузить из файла) are refused with a
// message and change nothing.
class TfmMain : public QMainWindow, private db::DatabaseObserver {
    Q_OBJECT
public:
    // `programDirectory` (with its trailing separator) is where the system exchange files are
    // written and the database directory at start; the data module is not opened here.
    TfmMain(db::TDM& tdm, util::Dialogs& dialogs, char decimalSeparator, std::string programDirectory,
            QWidget* parent = nullptr);
    ~TfmMain() override;

    db::TDM& tdm() const { return tdm_; }
    util::Dialogs& dialogs() const { return dialogs_; }
    char decimalSeparator() const { return separator_; }
    const std::string& programDirectory() const { return programDirectory_; }
    QColor mosaicColor() const { return mosaicColor_; }
    bool passwordPending() const { return passwordPending_; }

    QPushButton* sbRun() const { return sbRun_; }
    QPushButton* sbStop() const { return sbStop_; }
    QPushButton* sbDiagram() const { return sbDiagram_; }
    // The first status panel, where the run writes its progress.
    void setStatusText(const QString& text);
    QString statusText() const;

    // Hands text typed into the window's edits to the tables (a run reads the records next).
    // False when a value was refused.
    bool commitEdits();
    // Answers true while a calculation runs.
    std::function<bool()> busy;

    // Windows the menus open; set once by whoever creates them.
    void setStabilityWindow(TfmStability* window) { stability_ = window; }
    void setAboutBox(TfmAbout* box) { about_ = box; }
    void setExperimentWindow(TfmExperiment* window) { experiment_ = window; }

    // File choices of Открыть / Создать (a file in the wanted directory) and Загрузить из файла;
    // the standard file dialogs unless replaced (tests answer them). An empty text is a cancel.
    std::function<QString(const QString& caption, const QString& filter, const QString& proposed)> chooseOpenFile;
    std::function<QString(const QString& caption, const QString& filter, const QString& proposed)> chooseNewFile;

    // Shows what the data module holds after it was opened: caption, grids, labels.
    void databaseOpened();

    // Named widgets for the windows that build on this one and for tests.
    DataGrid* dbgSystems() const { return dbgSystems_; }
    DataGrid* dbgPhases() const { return dbgPhases_; }
    QLineEdit* edSearch() const { return edSearch_; }
    QCheckBox* chbReadOnly() const { return chbReadOnly_; }
    QCheckBox* chbComments() const { return chbComments_; }
    QCheckBox* chbNotations() const { return chbNotations_; }
    QGroupBox* gbComments() const { return gbComments_; }
    QGroupBox* gbNotations() const { return gbNotations_; }
    QGroupBox* gbPhases() const { return gbPhases_; }
    QLabel* lblZ() const { return lblZ_; }
    QLabel* lblGibbsPosition() const { return lblGibbsPosition_; }
    QLineEdit* edZvalue() const { return edZvalue_; }
    QComboBox* dbcbY() const { return dbcbY_; }
    QPlainTextEdit* memFunctions() const { return memFunctions_; }
    QLineEdit* edTmin() const { return edTmin_; }
    RecordNavigator* systemsNavigator() const { return navSystems_; }
    RecordNavigator* phasesNavigator() const { return navPhases_; }
    RecordNavigator* gibbsNavigator() const { return navGibbs_; }
    QAction* action(const QString& objectName) const;

signals:
    void runRequested();
    void stopRequested();
    void diagramRequested();
    void specialPointsRequested();
    void matrixRequested();
    // The window was closed: the program ends.
    void closed();

public slots:
    // Menu and control handlers.
    void N1Click();   // Открыть
    void N6Click();   // Сохранить
    void N13Click();  // Создать
    void N15Click();  // Записать оглавление в файл
    void N7Click();   // Параметры стабильности
    void N4Click();   // Цвет мозаичной диаграммы
    void N8Click();   // Записать в файл
    void N9Click();   // Загрузить из файла
    void N10Click();  // Записать как текст
    void N12Click();  // Данные эксперимента
    void About1Click();
    void sbRunClick();
    void chbReadOnlyClick();
    void edSearchChange(const QString& text);
    void dbcbYChange();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    QWidget* buildSystemsColumn();
    QWidget* buildUpperArea();
    QWidget* buildExpressionArea();
    QWidget* buildBottomPanel();
    void buildStatusBar();
    // Refuses a command while a run is going; true when refused.
    bool refusedWhileBusy();
    void showLockState();

    void yMeaningChanged(const db::TDM&) override { dbcbYChange(); }
    void gibbsPositionChanged(const db::TDM&) override;

    db::TDM& tdm_;
    util::Dialogs& dialogs_;
    char separator_;
    std::string programDirectory_;
    QColor mosaicColor_{0xC0, 0xDC, 0xC0};
    bool passwordPending_ = true;

    TableModel* systemsModel_ = nullptr;
    TableModel* phasesModel_ = nullptr;
    RecordBinder* systemBinder_ = nullptr;
    RecordBinder* gibbsBinder_ = nullptr;

    DataGrid* dbgSystems_ = nullptr;
    DataGrid* dbgPhases_ = nullptr;
    RecordNavigator* navSystems_ = nullptr;
    RecordNavigator* navPhases_ = nullptr;
    RecordNavigator* navGibbs_ = nullptr;
    QLineEdit* edSearch_ = nullptr;
    QGroupBox* gbComments_ = nullptr;
    QGroupBox* gbNotations_ = nullptr;
    QGroupBox* gbPhases_ = nullptr;
    QPlainTextEdit* memComment_ = nullptr;
    QPlainTextEdit* memFuncDescr_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QLineEdit* edTmin_ = nullptr;
    QLineEdit* edTmax_ = nullptr;
    QLineEdit* edX_ = nullptr;
    QPlainTextEdit* memFunctions_ = nullptr;
    QLabel* lblGibbsPosition_ = nullptr;
    QPushButton* sbRun_ = nullptr;
    QPushButton* sbStop_ = nullptr;
    QPushButton* sbDiagram_ = nullptr;
    QCheckBox* chbReadOnly_ = nullptr;
    QLabel* lblZ_ = nullptr;
    QLineEdit* edZvalue_ = nullptr;
    QComboBox* dbcbY_ = nullptr;
    QLineEdit* edYmin_ = nullptr;
    QLineEdit* edYmax_ = nullptr;
    QLineEdit* edXpoints_ = nullptr;
    QLineEdit* edYpoints_ = nullptr;
    QCheckBox* chbMosaic_ = nullptr;
    QCheckBox* chbChart_ = nullptr;
    QCheckBox* chbComments_ = nullptr;
    QCheckBox* chbNotations_ = nullptr;
    QLabel* statusMain_ = nullptr;
    QLabel* statusSecond_ = nullptr;

    TfmStability* stability_ = nullptr;
    TfmAbout* about_ = nullptr;
    TfmExperiment* experiment_ = nullptr;
};

}  // namespace gui
