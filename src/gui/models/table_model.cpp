#include "gui/models/table_model.h"

#include "gui/dialogs/error_handler.h"

namespace gui {

TableModel::TableModel(store::Table& table, std::vector<Column> columns, util::Dialogs& dialogs,
                       char decimalSeparator, QObject* parent)
    : QAbstractTableModel(parent), table_(table), columns_(std::move(columns)), dialogs_(dialogs),
      separator_(decimalSeparator) {
    rows_ = shownRows();
    table_.addObserver(this);
}

TableModel::~TableModel() { table_.removeObserver(this); }

int TableModel::shownRows() const {
    if (!table_.active()) return 0;
    return table_.recordCount() + (table_.state() == store::TableState::Insert ? 1 : 0);
}

int TableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

int TableModel::fieldOf(int column) const {
    const auto& schema = table_.schema();
    const int f = schema.indexOf(columns_[static_cast<std::size_t>(column)].field);
    return f;
}

int TableModel::currentRow() const {
    if (!table_.active()) return -1;
    if (table_.state() == store::TableState::Insert) return table_.recordCount();
    return table_.recNo() - 1;
}

// The record being edited or inserted shows the values typed so far; the others their posted values.
const store::Value& TableModel::valueOf(int row, int field) const {
    const auto state = table_.state();
    const bool editing = state == store::TableState::Edit || state == store::TableState::Insert;
    if (editing && row == currentRow()) return table_.value(field);
    return table_.valueAt(row, field);
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= columnCount()) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    if (index.row() >= shownRows()) return {};
    const int f = fieldOf(index.column());
    if (f < 0) return {};
    const store::Field& field = table_.schema().field(f);
    const store::Value& v = valueOf(index.row(), f);
    const std::string text = role == Qt::EditRole ? field.toText(v, separator_) : field.displayText(v, separator_);
    return QString::fromStdString(text);
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount()) return {};
        return columns_[static_cast<std::size_t>(section)].title;
    }
    return {};
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool TableModel::moveTo(int row) {
    if (row < 0 || row == currentRow()) return true;
    return ErrorHandler::guard(dialogs_, [&] {
        if (table_.state() == store::TableState::Insert && row >= table_.recordCount()) return;
        table_.setRecNo(row + 1);
    });
}

bool TableModel::beginEdit(int row) {
    if (!moveTo(row)) return false;
    return ErrorHandler::guard(dialogs_, [&] {
        if (table_.state() == store::TableState::Browse) {
            if (table_.isEmpty()) table_.insert();
            else table_.edit();
        }
    });
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const int f = fieldOf(index.column());
    if (f < 0) return false;
    const std::string text = value.toString().toStdString();
    if (index.row() < shownRows() && table_.schema().field(f).toText(valueOf(index.row(), f), separator_) == text)
        return false;
    if (!beginEdit(index.row())) return false;
    return ErrorHandler::guard(dialogs_, [&] { table_.setText(table_.schema().field(f).name(), text, separator_); });
}

void TableModel::rowDataChanged(int row) {
    if (resetting_ || row < 0 || row >= rows_ || columns_.empty()) return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void TableModel::tableAboutToBeReset(const store::Table&) {
    if (resetting_) return;
    resetting_ = true;
    changing_ = true;
    beginResetModel();
}

void TableModel::tableReset(const store::Table&) {
    changing_ = true;
    if (!resetting_) beginResetModel();
    rows_ = shownRows();
    resetting_ = false;
    endResetModel();
    changing_ = false;
    emit currentRowChanged(currentRow());
}

void TableModel::rowAboutToBeInserted(const store::Table&, int row) {
    if (resetting_) return;
    changing_ = true;
    beginInsertRows(QModelIndex(), row, row);
}

void TableModel::rowInserted(const store::Table&, int) {
    if (resetting_) return;
    ++rows_;
    endInsertRows();
    changing_ = false;
}

void TableModel::rowAboutToBeRemoved(const store::Table&, int row) {
    if (resetting_) return;
    changing_ = true;
    beginRemoveRows(QModelIndex(), row, row);
}

void TableModel::rowRemoved(const store::Table&, int) {
    if (resetting_) return;
    --rows_;
    endRemoveRows();
    changing_ = false;
}

void TableModel::rowChanged(const store::Table&, int row) { rowDataChanged(row); }

void TableModel::fieldChanged(const store::Table&, int) { rowDataChanged(currentRow()); }

void TableModel::currentMoved(const store::Table&) { emit currentRowChanged(currentRow()); }

void TableModel::stateChanged(const store::Table&) { rowDataChanged(currentRow()); }

}  // namespace gui
