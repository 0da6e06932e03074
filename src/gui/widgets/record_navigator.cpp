#include "gui/widgets/record_navigator.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

#include "gui/dialogs/error_handler.h"

namespace gui {

RecordNavigator::RecordNavigator(store::Table& table, util::Dialogs& dialogs, unsigned buttons, QWidget* parent)
    : QWidget(parent), table_(table), dialogs_(dialogs) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    const struct {
        const char* glyph;
        const char* hint;
        const char* name;
    } kinds[ButtonCount] = {
        {"|◀", QT_TR_NOOP("Первая запись"), "first"},
        {"◀", QT_TR_NOOP("Предыдущая запись"), "prior"},
        {"▶", QT_TR_NOOP("Следующая запись"), "next"},
        {"▶|", QT_TR_NOOP("Последняя запись"), "last"},
        {"+", QT_TR_NOOP("Добавить запись"), "insert"},
        {"−", QT_TR_NOOP("Удалить запись"), "delete"},
        {"✓", QT_TR_NOOP("Сохранить изменения"), "post"},
        {"✕", QT_TR_NOOP("Отменить изменения"), "cancel"},
    };
    for (int i = 0; i < ButtonCount; ++i) {
        if ((buttons & (1u << i)) == 0) continue;
        auto* b = new QToolButton(this);
        b->setText(QString::fromUtf8(kinds[i].glyph));
        b->setToolTip(tr(kinds[i].hint));
        b->setObjectName(QString::fromLatin1(kinds[i].name));
        b->setAutoRaise(false);
        b->setMinimumWidth(24);
        layout->addWidget(b);
        buttons_[static_cast<std::size_t>(i)] = b;
        connect(b, &QToolButton::clicked, this, [this, i] { clicked(static_cast<Button>(i)); });
    }
    layout->addStretch(1);
    table_.addObserver(this);
    updateButtons();
}

RecordNavigator::~RecordNavigator() { table_.removeObserver(this); }

void RecordNavigator::clicked(Button which) {
    if (beforeAction_) beforeAction_();
    const bool done = ErrorHandler::guard(dialogs_, [&] {
        switch (which) {
            case First: table_.first(); break;
            case Prior: table_.prior(); break;
            case Next: table_.next(); break;
            case Last: table_.last(); break;
            case Insert: table_.insert(); break;
            case Delete:
                if (table_.state() == store::TableState::Insert) table_.cancel();
                else if (dialogs_.confirm(tr("Удалить запись?").toStdString())) table_.deleteRecord();
                break;
            case Post: table_.post(); break;
            case Cancel: table_.cancel(); break;
            case ButtonCount: break;
        }
    });
    updateButtons();
    if (done) emit actionDone(which);
}

void RecordNavigator::updateButtons() {
    const bool active = table_.active();
    const auto state = table_.state();
    const bool editing = state == store::TableState::Edit || state == store::TableState::Insert;
    const int count = active ? table_.recordCount() : 0;
    const int position = active ? table_.recNo() : 0;
    const bool canMoveBack = active && (editing || position > 1);
    const bool canMoveOn = active && (editing || position < count);
    const bool enabled[ButtonCount] = {
        canMoveBack, canMoveBack, canMoveOn, canMoveOn,
        active && !table_.readOnly(),
        active && !table_.readOnly() && (count > 0 || state == store::TableState::Insert),
        editing, editing,
    };
    for (int i = 0; i < ButtonCount; ++i)
        if (auto* b = buttons_[static_cast<std::size_t>(i)]) b->setEnabled(enabled[i]);
}

}  // namespace gui
