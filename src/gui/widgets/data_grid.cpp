#include "gui/widgets/data_grid.h"

#include <QHeaderView>

#include "gui/models/table_model.h"

namespace gui {

DataGrid::DataGrid(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setWordWrap(false);
}

void DataGrid::setStripeColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::AlternateBase, color);
    setPalette(p);
}

void DataGrid::setTableModel(TableModel* model) {
    model_ = model;
    setModel(model);
    connect(model, &TableModel::currentRowChanged, this, &DataGrid::followTable);
    connect(model, &QAbstractItemModel::modelReset, this, [this] { followTable(model_->currentRow()); });
    connect(model, &QAbstractItemModel::rowsInserted, this, [this] { followTable(model_->currentRow()); });
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { followTable(model_->currentRow()); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { rowChosen(current); });
    followTable(model->currentRow());
}

void DataGrid::followTable(int row) {
    if (!model_ || following_) return;
    following_ = true;
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    } else {
        const int column = currentIndex().isValid() ? currentIndex().column() : 0;
        const QModelIndex target = model_->index(row, column);
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(target);
    }
    following_ = false;
}

void DataGrid::rowChosen(const QModelIndex& current) {
    if (!model_ || following_ || model_->changing() || !current.isValid()) return;
    if (!model_->moveTo(current.row())) followTable(model_->currentRow());
}

bool DataGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!model_ || !index.isValid()) return QTableView::edit(index, trigger, event);
    // Only the triggers that open an editor reach the table; the others (selection clicks, a
    // closed editor being asked again) pass to the view as they are.
    if ((trigger & editTriggers()) == 0 && trigger != AllEditTriggers) return QTableView::edit(index, trigger, event);
    if (readOnly_) return false;
    if (!model_->beginEdit(index.row())) return false;
    return QTableView::edit(model_->index(model_->currentRow(), index.column()), trigger, event);
}

}  // namespace gui
