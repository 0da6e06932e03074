#pragma once
#include <QObject>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

#include "store/table.h"
#include "store/table_observer.h"
#include "util/dialogs.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace gui {

// Ties widgets to fields of a table's current record (or of the record being edited or inserted).
// The widgets show the field's display text and follow every move, edit and reset of the table.
// The first change the user makes puts the table into edit state (insert state on an empty table),
// so a locked table refuses at once with its message and the widget shows the field again. Values
// reach the table through the field's text conversion: a line edit when it loses focus or Enter is
// pressed, a memo, check box or choice list at each change. A refused value (not a number, too
// long) shows its message and the widget shows the field's value again. The table and the widgets
// must outlive the binder's use of them; widgets destroyed earlier are dropped.
class RecordBinder : public QObject, private store::TableObserver {
    Q_OBJECT
public:
    RecordBinder(store::Table& table, util::Dialogs& dialogs, char decimalSeparator, QObject* parent = nullptr);
    ~RecordBinder() override;

    void bindLineEdit(QLineEdit* edit, const std::string& field);
    void bindMemo(QPlainTextEdit* memo, const std::string& field);
    // Checked is "True", unchecked "False".
    void bindCheckBox(QCheckBox* box, const std::string& field);
    // The field holds the text of the chosen item; a text that is no item (in any letter case)
    // shows no choice.
    void bindComboBox(QComboBox* combo, const std::string& field);

    // Hands the text of a line edit that still has focus to the table (before a command that
    // reads the record, such as a run started with a key). False when the value was refused.
    bool commitPending();
    // Shows the fields again.
    void refresh();

signals:
    // After a value of the record was set from a widget of this binder.
    void valueEdited(const QString& field);

private:
    struct Binding {
        QPointer<QWidget> widget;
        std::string field;
        enum class Kind { Line, Memo, Check, Combo } kind;
        bool pending = false;  // a line edit's text not yet handed to the table
    };

    void fieldChanged(const store::Table&, int field) override;
    void currentMoved(const store::Table&) override;
    void stateChanged(const store::Table&) override;
    void tableReset(const store::Table&) override;

    void show(Binding& binding);
    bool startEdit();
    bool commit(Binding& binding, const std::string& text);
    bool commitLine(Binding& binding);
    Binding* find(QWidget* widget);

    store::Table& table_;
    util::Dialogs& dialogs_;
    char separator_;
    std::vector<Binding> bindings_;
    QWidget* source_ = nullptr;  // the widget whose change is being handed to the table
    bool showing_ = false;
};

}  // namespace gui
