#pragma once
#include <QWidget>
#include <array>

#include "store/table.h"
#include "store/table_observer.h"
#include "util/dialogs.h"

class QToolButton;

namespace gui {

// The row of buttons that moves through a table and edits its records: first, prior, next, last,
// insert, delete, post, cancel. Each button does the table operation of its name; a refused one
// shows its message. Buttons are enabled as the table allows: moves when there is somewhere to
// go, insert and delete on a table that is not read-only, post and cancel while a record is being
// edited or inserted. Deleting asks first, since it takes the record's dependent records with it.
class RecordNavigator : public QWidget, private store::TableObserver {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Post, Cancel, ButtonCount };
    static constexpr unsigned MovesAndEdits = 0xFF;
    static constexpr unsigned EditsOnly = (1u << Insert) | (1u << Delete) | (1u << Post) | (1u << Cancel);

    RecordNavigator(store::Table& table, util::Dialogs& dialogs, unsigned buttons, QWidget* parent = nullptr);
    ~RecordNavigator() override;

    QToolButton* button(Button which) const { return buttons_[which]; }
    // Runs before every button's operation (a binder hands pending text to the table).
    void setBeforeAction(std::function<void()> action) { beforeAction_ = std::move(action); }
    void updateButtons();

signals:
    void actionDone(int button);

private:
    void clicked(Button which);
    void tableReset(const store::Table&) override { updateButtons(); }
    void rowInserted(const store::Table&, int) override { updateButtons(); }
    void rowRemoved(const store::Table&, int) override { updateButtons(); }
    void currentMoved(const store::Table&) override { updateButtons(); }
    void stateChanged(const store::Table&) override { updateButtons(); }

    store::Table& table_;
    util::Dialogs& dialogs_;
    std::array<QToolButton*, ButtonCount> buttons_{};
    std::function<void()> beforeAction_;
};

}  // namespace gui
