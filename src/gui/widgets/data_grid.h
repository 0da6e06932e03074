#pragma once
#include <QTableView>

namespace gui {

class TableModel;

// The striped grid over a table model: one row per shown record, the table's current record
// selected. Selecting a row moves the table's cursor; a move the table refuses (a pending record
// that cannot be posted) puts the selection back. Typing into a cell first puts the table into edit
// state, so a locked table refuses with its message before anything is typed. A read-only grid
// opens no editor at all.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    void setTableModel(TableModel* model);
    TableModel* tableModel() const { return model_; }
    void setGridReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool gridReadOnly() const { return readOnly_; }
    using QTableView::edit;
    // True while a cell editor is open.
    bool editing() const { return state() == EditingState; }
    // Colour of every second row.
    void setStripeColor(const QColor& color);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    void followTable(int row);
    void rowChosen(const QModelIndex& current);

    TableModel* model_ = nullptr;
    bool readOnly_ = false;
    bool following_ = false;
};

}  // namespace gui
