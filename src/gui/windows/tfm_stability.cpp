#include "gui/windows/tfm_stability.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "db/tdm.h"
#include "exchange/stability_file.h"
#include "gui/dialogs/error_handler.h"
#include "gui/models/record_binder.h"
#include "gui/models/table_model.h"
#include "gui/widgets/data_grid.h"
#include "gui/widgets/record_navigator.h"

namespace gui {

TfmStability::TfmStability(db::TDM& tdm, util::Dialogs& dialogs, char decimalSeparator, std::string programDirectory,
                           QWidget* parent)
    : QMainWindow(parent), tdm_(tdm), dialogs_(dialogs), separator_(decimalSeparator),
      programDirectory_(std::move(programDirectory)) {
    setObjectName("fmStability");
    setWindowTitle(tr("Параметры стабильности"));
    resize(760, 560);

    QMenu* data = menuBar()->addMenu(tr("Данные"));
    QAction* write = data->addAction(tr("Записать в файл"));
    write->setObjectName("N2");
    connect(write, &QAction::triggered, this, &TfmStability::N2Click);
    QAction* read = data->addAction(tr("Загрузить из файла"));
    read->setObjectName("N3");
    connect(read, &QAction::triggered, this, &TfmStability::N3Click);

    model_ = new TableModel(tdm_.tblStability, {{"Designation", tr("Элемент")}}, dialogs_, separator_, this);
    parameterBinder_ = new RecordBinder(tdm_.tblStability, dialogs_, separator_, this);
    detailBinder_ = new RecordBinder(tdm_.tblStabDet, dialogs_, separator_, this);

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;

    auto* gbElements = new QGroupBox(tr(" Элементы "), central);
    gbElements->setFixedWidth(200);
    auto* eLayout = new QVBoxLayout(gbElements);
    grid_ = new DataGrid(gbElements);
    grid_->setObjectName("dbgStability");
    grid_->setStripeColor(QColor(0xC0, 0xDC, 0xC0));
    grid_->setTableModel(model_);
    eLayout->addWidget(grid_, 1);
    auto* navParameters = new RecordNavigator(tdm_.tblStability, dialogs_, RecordNavigator::EditsOnly, gbElements);
    navParameters->setBeforeAction([this] { commitEdits(); });
    eLayout->addWidget(navParameters);
    top->addWidget(gbElements);

    auto* splitter = new QSplitter(Qt::Vertical, central);
    auto* gbComment = new QGroupBox(tr(" Комментарий "), splitter);
    auto* cLayout = new QVBoxLayout(gbComment);
    memComment_ = new QPlainTextEdit(gbComment);
    memComment_->setLineWrapMode(QPlainTextEdit::NoWrap);
    cLayout->addWidget(memComment_);
    parameterBinder_->bindMemo(memComment_, "Comment");

    auto* gbExpr = new QGroupBox(tr(" Выражения для расчета энергии Гиббса "), splitter);
    gbExpr->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* xLayout = new QVBoxLayout(gbExpr);
    auto* strip = new QHBoxLayout;
    strip->addWidget(new QLabel(tr("Tmin= "), gbExpr));
    auto* edTmin = new QLineEdit(gbExpr);
    edTmin->setObjectName("edTmin");
    edTmin->setFixedWidth(100);
    strip->addWidget(edTmin);
    strip->addSpacing(12);
    strip->addWidget(new QLabel(tr("Tmax= "), gbExpr));
    auto* edTmax = new QLineEdit(gbExpr);
    edTmax->setObjectName("edTmax");
    edTmax->setFixedWidth(100);
    strip->addWidget(edTmax);
    // The composition window of a range is kept with it but not offered for editing here.
    edXmin_ = new QLineEdit(gbExpr);
    edXmax_ = new QLineEdit(gbExpr);
    edXmin_->hide();
    edXmax_->hide();
    strip->addStretch(1);
    xLayout->addLayout(strip);
    memExpression_ = new QPlainTextEdit(gbExpr);
    memExpression_->setObjectName("memExpression");
    memExpression_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memExpression_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memExpression_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    xLayout->addWidget(memExpression_, 1);
    auto* bottom = new QHBoxLayout;
    auto* navDetails = new RecordNavigator(tdm_.tblStabDet, dialogs_, RecordNavigator::MovesAndEdits, gbExpr);
    navDetails->setBeforeAction([this] { commitEdits(); });
    bottom->addWidget(navDetails);
    lblPosition_ = new QLabel(QStringLiteral("0/0"), gbExpr);
    lblPosition_->setObjectName("Label3");
    lblPosition_->setMinimumWidth(60);
    bottom->addWidget(lblPosition_);
    bottom->addStretch(1);
    xLayout->addLayout(bottom);
    detailBinder_->bindLineEdit(edTmin, "Tmin");
    detailBinder_->bindLineEdit(edTmax, "Tmax");
    detailBinder_->bindLineEdit(edXmin_, "Xmin");
    detailBinder_->bindLineEdit(edXmax_, "Xmax");
    detailBinder_->bindMemo(memExpression_, "Expression");
    top->addWidget(splitter, 1);
    outer->addLayout(top, 1);

    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    auto* close = new QPushButton(tr("Закрыть"), central);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    bar->addWidget(close);
    outer->addLayout(bar);
    setCentralWidget(central);

    tdm_.addObserver(this);
    showPosition();
}

TfmStability::~TfmStability() { tdm_.removeObserver(this); }

void TfmStability::showPosition() { lblPosition_->setText(QString::fromStdString(tdm_.StabDetPositionText())); }

void TfmStability::commitEdits() {
    parameterBinder_->commitPending();
    detailBinder_->commitPending();
}

void TfmStability::N2Click() {
    commitEdits();
    ErrorHandler::guard(dialogs_, [&] { exchange::WriteStabilityFile(tdm_, programDirectory_, dialogs_, separator_); });
}

void TfmStability::N3Click() {
    if (busy && busy()) {
        dialogs_.warning(tr("Дождитесь окончания расчета или остановите его кнопкой \"СТОП\"").toStdString());
        return;
    }
    commitEdits();
    ErrorHandler::guard(dialogs_, [&] { exchange::ReadStabilityFile(tdm_, "", dialogs_, separator_); });
}

}  // namespace gui
