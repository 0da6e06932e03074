// The main window's layout: the systems column, the phase list with the comment and notation
// panels, the expression area, the bottom panel with the run parameters, the menus and the status
// bar. The commands are in tfm_main_commands.cpp.
#include "gui/windows/tfm_main.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "db/tdm.h"
#include "gui/models/record_binder.h"
#include "gui/models/table_model.h"
#include "gui/widgets/data_grid.h"
#include "gui/widgets/record_navigator.h"

namespace gui {
namespace {

const QColor kStripe(0xC0, 0xDC, 0xC0);

QPlainTextEdit* newMemo(QWidget* parent, bool wrap) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    if (!wrap) memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return memo;
}

QLineEdit* newEdit(QWidget* parent, int width) {
    auto* edit = new QLineEdit(parent);
    edit->setFixedWidth(width);
    return edit;
}

}  // namespace

TfmMain::TfmMain(db::TDM& tdm, util::Dialogs& dialogs, char decimalSeparator, std::string programDirectory,
                 QWidget* parent)
    : QMainWindow(parent), tdm_(tdm), dialogs_(dialogs), separator_(decimalSeparator),
      programDirectory_(std::move(programDirectory)) {
    setObjectName("fmMain");
    setWindowTitle(QString::fromStdString("Database: " + programDirectory_));
    resize(930, 667);

    systemsModel_ = new TableModel(tdm_.tblSystems, {{"System_designation", tr("Название системы")}}, dialogs_,
                                   separator_, this);
    phasesModel_ = new TableModel(tdm_.tblPhases, {{"Phase_designation", tr("Название фазы")}}, dialogs_,
                                  separator_, this);
    systemBinder_ = new RecordBinder(tdm_.tblSystems, dialogs_, separator_, this);
    gibbsBinder_ = new RecordBinder(tdm_.tblGibbs, dialogs_, separator_, this);

    buildMenus();
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setSpacing(4);
    auto* top = new QHBoxLayout;
    top->addWidget(buildSystemsColumn());
    splitter_ = new QSplitter(Qt::Vertical, central);
    splitter_->addWidget(buildUpperArea());
    splitter_->addWidget(buildExpressionArea());
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 1);
    splitter_->setChildrenCollapsible(false);
    top->addWidget(splitter_, 1);
    outer->addLayout(top, 1);
    outer->addWidget(buildBottomPanel());
    setCentralWidget(central);
    buildStatusBar();

    connect(systemBinder_, &RecordBinder::valueEdited, this, [this](const QString& field) {
        if (field.compare(QLatin1String("Yparameter"), Qt::CaseInsensitive) == 0) dbcbYChange();
    });
    tdm_.addObserver(this);
    qApp->installEventFilter(this);
    showLockState();
}

TfmMain::~TfmMain() {
    qApp->removeEventFilter(this);
    tdm_.removeObserver(this);
}

void TfmMain::buildMenus() {
    auto add = [this](QMenu* menu, const char* name, const QString& text, void (TfmMain::*slot)()) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu* database = menuBar()->addMenu(tr("База данных"));
    add(database, "N1", tr("Открыть"), &TfmMain::N1Click);
    add(database, "N6", tr("Сохранить"), &TfmMain::N6Click);
    add(database, "N13", tr("Создать"), &TfmMain::N13Click);
    database->addSeparator();
    add(database, "N15", tr("Записать оглавление в файл"), &TfmMain::N15Click);
    database->addSeparator();
    QAction* close = database->addAction(tr("Закрыть"));
    close->setObjectName("N3");
    connect(close, &QAction::triggered, this, &QWidget::close);

    auto addTop = [this](const char* name, const QString& text, void (TfmMain::*slot)()) {
        QAction* a = menuBar()->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
    };
    addTop("N7", tr("Параметры стабильности"), &TfmMain::N7Click);
    addTop("N4", tr("Цвет мозаичной диаграммы"), &TfmMain::N4Click);

    QMenu* system = menuBar()->addMenu(tr("Система"));
    add(system, "N8", tr("Записать в файл"), &TfmMain::N8Click);
    add(system, "N9", tr("Загрузить из файла"), &TfmMain::N9Click);
    add(system, "N10", tr("Записать как текст"), &TfmMain::N10Click);
    system->addSeparator();
    add(system, "N12", tr("Данные эксперимента"), &TfmMain::N12Click);

    addTop("About1", tr("О программе..."), &TfmMain::About1Click);
}

QAction* TfmMain::action(const QString& objectName) const { return findChild<QAction*>(objectName); }

QWidget* TfmMain::buildSystemsColumn() {
    auto* group = new QGroupBox(tr(" Системы "), this);
    group->setFixedWidth(206);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 4, 4, 4);
    dbgSystems_ = new DataGrid(group);
    dbgSystems_->setObjectName("dbgSystems");
    dbgSystems_->setStripeColor(kStripe);
    dbgSystems_->setTableModel(systemsModel_);
    layout->addWidget(dbgSystems_, 1);
    auto* strip = new QHBoxLayout;
    navSystems_ = new RecordNavigator(tdm_.tblSystems, dialogs_, RecordNavigator::EditsOnly, group);
    navSystems_->setBeforeAction([this] { commitEdits(); });
    strip->addWidget(navSystems_);
    edSearch_ = new QLineEdit(group);
    edSearch_->setObjectName("edSearch");
    edSearch_->setToolTip(tr("Введите текст для поиска"));
    edSearch_->setPlaceholderText(tr("Поиск"));
    connect(edSearch_, &QLineEdit::textChanged, this, &TfmMain::edSearchChange);
    strip->addWidget(edSearch_, 1);
    layout->addLayout(strip);
    return group;
}

QWidget* TfmMain::buildUpperArea() {
    auto* area = new QWidget(this);
    auto* layout = new QHBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);

    gbComments_ = new QGroupBox(tr(" Комментарии к системе "), area);
    auto* commentLayout = new QVBoxLayout(gbComments_);
    memComment_ = newMemo(gbComments_, true);
    commentLayout->addWidget(memComment_);
    systemBinder_->bindMemo(memComment_, "Comment");
    gbComments_->hide();
    layout->addWidget(gbComments_, 1);

    gbNotations_ = new QGroupBox(tr(" Обозначения к функциям  "), area);
    auto* notationLayout = new QVBoxLayout(gbNotations_);
    memFuncDescr_ = newMemo(gbNotations_, true);
    memFuncDescr_->setObjectName("memFuncDescr");
    notationLayout->addWidget(memFuncDescr_);
    systemBinder_->bindMemo(memFuncDescr_, "Abbreviations");
    gbNotations_->hide();
    layout->addWidget(gbNotations_, 1);

    gbPhases_ = new QGroupBox(tr("  Список фаз "), area);
    auto* phaseLayout = new QVBoxLayout(gbPhases_);
    dbgPhases_ = new DataGrid(gbPhases_);
    dbgPhases_->setObjectName("dbgPhases");
    dbgPhases_->setStripeColor(kStripe);
    dbgPhases_->setTableModel(phasesModel_);
    phaseLayout->addWidget(dbgPhases_, 1);
    navPhases_ = new RecordNavigator(tdm_.tblPhases, dialogs_, RecordNavigator::EditsOnly, gbPhases_);
    navPhases_->setBeforeAction([this] { commitEdits(); });
    phaseLayout->addWidget(navPhases_);
    layout->addWidget(gbPhases_, 1);
    return area;
}

QWidget* TfmMain::buildExpressionArea() {
    auto* group = new QGroupBox(tr(" Выражения для расчета энергии Гиббса "), this);
    group->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(group);
    auto* strip = new QHBoxLayout;
    strip->addWidget(new QLabel(tr("Tmin= "), group));
    edTmin_ = newEdit(group, 90);
    edTmin_->setObjectName("edTmin");
    strip->addWidget(edTmin_);
    strip->addSpacing(12);
    strip->addWidget(new QLabel(tr("Tmax= "), group));
    edTmax_ = newEdit(group, 90);
    edTmax_->setObjectName("edTmax");
    strip->addWidget(edTmax_);
    strip->addSpacing(12);
    strip->addWidget(new QLabel(tr("X="), group));
    edX_ = new QLineEdit(group);
    edX_->setObjectName("edX");
    strip->addWidget(edX_, 1);
    layout->addLayout(strip);
    memFunctions_ = newMemo(group, false);
    memFunctions_->setObjectName("memFunctions");
    layout->addWidget(memFunctions_, 1);
    auto* bottom = new QHBoxLayout;
    navGibbs_ = new RecordNavigator(tdm_.tblGibbs, dialogs_, RecordNavigator::MovesAndEdits, group);
    navGibbs_->setBeforeAction([this] { commitEdits(); });
    bottom->addWidget(navGibbs_);
    lblGibbsPosition_ = new QLabel(QStringLiteral("0/0"), group);
    lblGibbsPosition_->setObjectName("Label5");
    lblGibbsPosition_->setMinimumWidth(60);
    bottom->addWidget(lblGibbsPosition_);
    bottom->addStretch(1);
    layout->addLayout(bottom);

    gibbsBinder_->bindLineEdit(edTmin_, "Tmin");
    gibbsBinder_->bindLineEdit(edTmax_, "Tmax");
    gibbsBinder_->bindLineEdit(edX_, "X");
    gibbsBinder_->bindMemo(memFunctions_, "Expression");
    return group;
}

QWidget* TfmMain::buildBottomPanel() {
    auto* panel = new QWidget(this);
    panel->setFixedHeight(178);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* runColumn = new QVBoxLayout;
    sbRun_ = new QPushButton(tr("Расчет (F9)"), panel);
    sbRun_->setObjectName("sbRun");
    connect(sbRun_, &QPushButton::clicked, this, &TfmMain::sbRunClick);
    sbStop_ = new QPushButton(tr("СТОП"), panel);
    sbStop_->setObjectName("sbStop");
    sbStop_->setToolTip(tr("Остановить расчет"));
    sbStop_->setEnabled(false);
    connect(sbStop_, &QPushButton::clicked, this, &TfmMain::stopRequested);
    sbDiagram_ = new QPushButton(tr("Диаграмма"), panel);
    sbDiagram_->setObjectName("sbDiagram");
    sbDiagram_->setEnabled(false);
    connect(sbDiagram_, &QPushButton::clicked, this, &TfmMain::diagramRequested);
    chbReadOnly_ = new QCheckBox(tr("Только чтение"), panel);
    chbReadOnly_->setObjectName("chbReadOnly");
    chbReadOnly_->setChecked(true);
    connect(chbReadOnly_, &QCheckBox::clicked, this, &TfmMain::chbReadOnlyClick);
    lblZ_ = new QLabel(tr("P, бар"), panel);
    lblZ_->setObjectName("lblZ");
    edZvalue_ = newEdit(panel, 100);
    edZvalue_->setObjectName("edZvalue");
    systemBinder_->bindLineEdit(edZvalue_, "Zvalue");
    for (QPushButton* b : {sbRun_, sbStop_, sbDiagram_}) {
        b->setMinimumWidth(120);
        runColumn->addWidget(b);
    }
    runColumn->addWidget(chbReadOnly_);
    auto* zRow = new QHBoxLayout;
    zRow->addWidget(lblZ_);
    zRow->addWidget(edZvalue_);
    zRow->addStretch(1);
    runColumn->addLayout(zRow);
    runColumn->addStretch(1);
    layout->addLayout(runColumn);

    auto* gbY = new QGroupBox(tr(" Ось Y  "), panel);
    auto* yLayout = new QGridLayout(gbY);
    yLayout->addWidget(new QLabel(tr(" Y - это"), gbY), 0, 0);
    dbcbY_ = new QComboBox(gbY);
    dbcbY_->setObjectName("dbcbY");
    dbcbY_->addItems({QStringLiteral("Temperature"), QStringLiteral("Pressure"), QStringLiteral("Y")});
    yLayout->addWidget(dbcbY_, 0, 1);
    yLayout->addWidget(new QLabel(tr("Ymin"), gbY), 1, 0);
    edYmin_ = newEdit(gbY, 110);
    edYmin_->setObjectName("edYmin");
    yLayout->addWidget(edYmin_, 1, 1);
    yLayout->addWidget(new QLabel(tr("Ymax"), gbY), 2, 0);
    edYmax_ = newEdit(gbY, 110);
    edYmax_->setObjectName("edYmax");
    yLayout->addWidget(edYmax_, 2, 1);
    yLayout->setRowStretch(3, 1);
    systemBinder_->bindComboBox(dbcbY_, "Yparameter");
    systemBinder_->bindLineEdit(edYmin_, "Ymin");
    systemBinder_->bindLineEdit(edYmax_, "Ymax");
    layout->addWidget(gbY);

    auto* gbPoints = new QGroupBox(tr(" Число точек "), panel);
    auto* pLayout = new QGridLayout(gbPoints);
    pLayout->addWidget(new QLabel(tr("Ось X"), gbPoints), 0, 0);
    edXpoints_ = newEdit(gbPoints, 60);
    edXpoints_->setObjectName("edXpoints");
    pLayout->addWidget(edXpoints_, 0, 1);
    pLayout->addWidget(new QLabel(tr("Ось Y"), gbPoints), 1, 0);
    edYpoints_ = newEdit(gbPoints, 60);
    edYpoints_->setObjectName("edYpoints");
    pLayout->addWidget(edYpoints_, 1, 1);
    pLayout->setRowStretch(2, 1);
    systemBinder_->bindLineEdit(edXpoints_, "Xpoints");
    systemBinder_->bindLineEdit(edYpoints_, "Ypoints");
    layout->addWidget(gbPoints);

    auto* boxes = new QVBoxLayout;
    auto* gbShow = new QGroupBox(tr(" Демонстрация "), panel);
    auto* sLayout = new QVBoxLayout(gbShow);
    chbMosaic_ = new QCheckBox(tr("Мозаичная диаграмма"), gbShow);
    chbMosaic_->setObjectName("chbMosaic");
    chbChart_ = new QCheckBox(tr("Рабочая диаграмма"), gbShow);
    chbChart_->setObjectName("chbChart");
    sLayout->addWidget(chbMosaic_);
    sLayout->addWidget(chbChart_);
    systemBinder_->bindCheckBox(chbMosaic_, "ShowMosaicDiagram");
    systemBinder_->bindCheckBox(chbChart_, "ShowChart");
    boxes->addWidget(gbShow);
    auto* gbWindows = new QGroupBox(tr("Показать окна "), panel);
    auto* wLayout = new QVBoxLayout(gbWindows);
    chbComments_ = new QCheckBox(tr("Комментарии"), gbWindows);
    chbComments_->setObjectName("chbComments");
    chbNotations_ = new QCheckBox(tr("Обозначения"), gbWindows);
    chbNotations_->setObjectName("chbNotations");
    wLayout->addWidget(chbComments_);
    wLayout->addWidget(chbNotations_);
    connect(chbComments_, &QCheckBox::toggled, gbComments_, &QWidget::setVisible);
    connect(chbNotations_, &QCheckBox::toggled, gbNotations_, &QWidget::setVisible);
    boxes->addWidget(gbWindows);
    layout->addLayout(boxes);

    auto* views = new QVBoxLayout;
    auto* sbSpecial = new QPushButton(tr("Особые точки"), panel);
    sbSpecial->setObjectName("sbSpecPoints");
    connect(sbSpecial, &QPushButton::clicked, this, &TfmMain::specialPointsRequested);
    auto* sbMatrix = new QPushButton(tr("Матрица"), panel);
    sbMatrix->setObjectName("sbMatrix");
    connect(sbMatrix, &QPushButton::clicked, this, &TfmMain::matrixRequested);
    auto* sbClose = new QPushButton(tr("Закрыть"), panel);
    sbClose->setObjectName("sbClose");
    connect(sbClose, &QPushButton::clicked, this, &QWidget::close);
    for (QPushButton* b : {sbSpecial, sbMatrix}) {
        b->setMinimumWidth(120);
        views->addWidget(b);
    }
    views->addStretch(1);
    sbClose->setMinimumWidth(120);
    views->addWidget(sbClose);
    layout->addLayout(views);
    layout->addStretch(1);
    return panel;
}

void TfmMain::buildStatusBar() {
    QFont font(QStringLiteral("Serif"));
    font.setStyleHint(QFont::Serif);
    font.setBold(true);
    font.setPixelSize(13);
    statusMain_ = new QLabel(this);
    statusMain_->setObjectName("statusMain");
    statusMain_->setAlignment(Qt::AlignCenter);
    statusMain_->setFixedWidth(250);
    statusMain_->setFont(font);
    statusSecond_ = new QLabel(this);
    statusSecond_->setFixedWidth(50);
    statusSecond_->setFont(font);
    statusBar()->addWidget(statusMain_);
    statusBar()->addWidget(statusSecond_);
    statusBar()->setSizeGripEnabled(true);
}

void TfmMain::setStatusText(const QString& text) { statusMain_->setText(text); }
QString TfmMain::statusText() const { return statusMain_->text(); }

bool TfmMain::eventFilter(QObject* watched, QEvent* event) {
    // F9 with any modifier is the run button, before any control of this window sees the key.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F9) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            sbRunClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfmMain::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    emit closed();
}

}  // namespace gui
