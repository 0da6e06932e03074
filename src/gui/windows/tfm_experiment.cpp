#include "gui/windows/tfm_experiment.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "db/tdm.h"
#include "gui/models/table_model.h"
#include "gui/widgets/data_grid.h"
#include "gui/widgets/record_navigator.h"

namespace gui {

TfmExperiment::TfmExperiment(db::TDM& tdm, util::Dialogs& dialogs, char decimalSeparator, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName("fmExperiment");
    setWindowTitle(tr("Экспериментальные данные"));
    resize(696, 480);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    setFont(small);

    auto* model = new TableModel(tdm.tblExperiment,
                                 {{"SQUIB", tr("Источник данных")},
                                  {"X_descr", tr("Описание X")},
                                  {"X_value", tr("Значение X")},
                                  {"Y_descr", tr("Описание Y")},
                                  {"Y_value", tr("Значение Y")}},
                                 dialogs, decimalSeparator, this);
    auto* layout = new QVBoxLayout(this);
    grid_ = new DataGrid(this);
    grid_->setObjectName("dbgExperiment");
    grid_->setTableModel(model);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(grid_, 1);
    auto* bar = new QHBoxLayout;
    bar->addWidget(new RecordNavigator(tdm.tblExperiment, dialogs, RecordNavigator::EditsOnly, this));
    bar->addStretch(1);
    auto* close = new QPushButton(tr("Закрыть"), this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    bar->addWidget(close);
    layout->addLayout(bar);
}

}  // namespace gui
