#pragma once
#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "store/table.h"
#include "store/table_observer.h"
#include "util/dialogs.h"

namespace gui {

// A Qt table model over the rows a store table shows: its records in index order (the detail
// range of the current master) and, while a record is being inserted, that record as the last row.
// It follows the table's notifications with Qt's begin.../end... pairs, so views never read a row
// that is not there. Edits go through the table (edit, then the field's text conversion), so the
// edit rules and the read-only lock apply; a refused edit shows its message through `dialogs` and
// leaves the table as it was. The table must outlive the model.
class TableModel : public QAbstractTableModel, private store::TableObserver {
    Q_OBJECT
public:
    struct Column {
        std::string field;
        QString title;
    };
    TableModel(store::Table& table, std::vector<Column> columns, util::Dialogs& dialogs, char decimalSeparator,
               QObject* parent = nullptr);
    ~TableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    store::Table& table() const { return table_; }
    // The row of the table's current record (the insert row while inserting); -1 when none.
    int currentRow() const;
    // Makes `row` the table's current record (posting a pending edit first, as every move does).
    // False when the move was refused (its message has been shown).
    bool moveTo(int row);
    // True while the model's rows are changing (between Qt's begin... and end... calls). A view's
    // selection moving then follows the change; it must not move the table.
    bool changing() const { return changing_; }
    // Puts the table into edit state on `row` before an editor opens there; false when refused.
    bool beginEdit(int row);

signals:
    // The table's current record changed; views follow it with their selection.
    void currentRowChanged(int row);

private:
    void tableAboutToBeReset(const store::Table&) override;
    void tableReset(const store::Table&) override;
    void rowAboutToBeInserted(const store::Table&, int row) override;
    void rowInserted(const store::Table&, int row) override;
    void rowAboutToBeRemoved(const store::Table&, int row) override;
    void rowRemoved(const store::Table&, int row) override;
    void rowChanged(const store::Table&, int row) override;
    void fieldChanged(const store::Table&, int field) override;
    void currentMoved(const store::Table&) override;
    void stateChanged(const store::Table&) override;

    int shownRows() const;
    const store::Value& valueOf(int row, int field) const;
    int fieldOf(int column) const;
    void rowDataChanged(int row);

    store::Table& table_;
    std::vector<Column> columns_;
    util::Dialogs& dialogs_;
    char separator_;
    int rows_ = 0;
    bool resetting_ = false;
    bool changing_ = false;
};

}  // namespace gui
