#include "gui/models/record_binder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "gui/dialogs/error_handler.h"
#include "util/text.h"

namespace gui {

RecordBinder::RecordBinder(store::Table& table, util::Dialogs& dialogs, char decimalSeparator, QObject* parent)
    : QObject(parent), table_(table), dialogs_(dialogs), separator_(decimalSeparator) {
    table_.addObserver(this);
}

RecordBinder::~RecordBinder() { table_.removeObserver(this); }

RecordBinder::Binding* RecordBinder::find(QWidget* widget) {
    for (auto& b : bindings_)
        if (b.widget == widget) return &b;
    return nullptr;
}

void RecordBinder::bindLineEdit(QLineEdit* edit, const std::string& field) {
    bindings_.push_back({edit, field, Binding::Kind::Line});
    connect(edit, &QLineEdit::textEdited, this, [this, edit] {
        Binding* b = find(edit);
        if (!b || showing_) return;
        QWidget* previous = source_;
        source_ = edit;
        const bool started = startEdit();
        source_ = previous;
        if (!started) {
            show(*b);
            return;
        }
        b->pending = true;
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
        if (Binding* b = find(edit)) commitLine(*b);
    });
    show(bindings_.back());
}

void RecordBinder::bindMemo(QPlainTextEdit* memo, const std::string& field) {
    bindings_.push_back({memo, field, Binding::Kind::Memo});
    connect(memo, &QPlainTextEdit::textChanged, this, [this, memo] {
        Binding* b = find(memo);
        if (!b || showing_) return;
        // Line breaks are kept as the exchange files and the listing expect them: CR LF.
        std::string text = memo->toPlainText().toStdString();
        std::string stored;
        for (char c : text) {
            if (c == '\n') stored += "\r\n";
            else stored += c;
        }
        commit(*b, stored);
    });
    show(bindings_.back());
}

void RecordBinder::bindCheckBox(QCheckBox* box, const std::string& field) {
    bindings_.push_back({box, field, Binding::Kind::Check});
    connect(box, &QCheckBox::clicked, this, [this, box](bool checked) {
        if (Binding* b = find(box)) commit(*b, checked ? "True" : "False");
    });
    show(bindings_.back());
}

void RecordBinder::bindComboBox(QComboBox* combo, const std::string& field) {
    bindings_.push_back({combo, field, Binding::Kind::Combo});
    connect(combo, &QComboBox::activated, this, [this, combo](int index) {
        if (Binding* b = find(combo)) commit(*b, combo->itemText(index).toStdString());
    });
    show(bindings_.back());
}

bool RecordBinder::startEdit() {
    return ErrorHandler::guard(dialogs_, [&] {
        if (table_.state() != store::TableState::Browse) return;
        if (table_.isEmpty()) table_.insert();
        else table_.edit();
    });
}

bool RecordBinder::commit(Binding& binding, const std::string& text) {
    if (!table_.active()) {
        show(binding);
        return false;
    }
    // A memo, box or list showing what the field holds already changes nothing (no edit starts).
    if (binding.kind != Binding::Kind::Line && table_.asString(binding.field, separator_) == text) return true;
    QWidget* previous = source_;
    source_ = binding.widget;
    if (!startEdit()) {
        source_ = previous;
        binding.pending = false;
        show(binding);
        return false;
    }
    const bool ok = ErrorHandler::guard(dialogs_, [&] { table_.setText(binding.field, text, separator_); });
    source_ = previous;
    binding.pending = false;
    // A line edit shows the value as the field displays it once it was handed over.
    if (!ok || binding.kind == Binding::Kind::Line) show(binding);
    else emit valueEdited(QString::fromStdString(binding.field));
    return ok;
}

bool RecordBinder::commitLine(Binding& binding) {
    if (!binding.pending) return true;
    auto* edit = qobject_cast<QLineEdit*>(binding.widget.data());
    if (!edit) return true;
    const std::string text = edit->text().toStdString();
    if (table_.state() != store::TableState::Browse && table_.displayText(binding.field, separator_) == text) {
        binding.pending = false;
        return true;
    }
    return commit(binding, text);
}

bool RecordBinder::commitPending() {
    bool ok = true;
    for (auto& b : bindings_)
        if (b.kind == Binding::Kind::Line && b.pending) ok = commitLine(b) && ok;
    return ok;
}

void RecordBinder::show(Binding& binding) {
    QWidget* widget = binding.widget;
    if (!widget || widget == source_) return;
    const bool active = table_.active();
    const bool saved = showing_;
    showing_ = true;
    switch (binding.kind) {
        case Binding::Kind::Line: {
            auto* edit = static_cast<QLineEdit*>(widget);
            const QString text = active ? QString::fromStdString(table_.displayText(binding.field, separator_)) : QString();
            if (edit->text() != text) edit->setText(text);
            edit->setCursorPosition(0);
            binding.pending = false;
            break;
        }
        case Binding::Kind::Memo: {
            auto* memo = static_cast<QPlainTextEdit*>(widget);
            QString text = active ? QString::fromStdString(table_.asString(binding.field, separator_)) : QString();
            text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
            if (memo->toPlainText() != text) memo->setPlainText(text);
            break;
        }
        case Binding::Kind::Check: {
            auto* box = static_cast<QCheckBox*>(widget);
            const bool checked = active && table_.asBoolean(binding.field);
            if (box->isChecked() != checked) box->setChecked(checked);
            break;
        }
        case Binding::Kind::Combo: {
            auto* combo = static_cast<QComboBox*>(widget);
            int index = -1;
            if (active) {
                const std::string text = table_.asString(binding.field, separator_);
                for (int i = 0; i < combo->count(); ++i)
                    if (util::equalsIgnoreCase(combo->itemText(i).toStdString(), text)) index = i;
            }
            if (combo->currentIndex() != index) combo->setCurrentIndex(index);
            break;
        }
    }
    showing_ = saved;
}

void RecordBinder::refresh() {
    for (auto& b : bindings_) show(b);
}

void RecordBinder::fieldChanged(const store::Table& table, int field) {
    const std::string& name = table.schema().field(field).name();
    for (auto& b : bindings_)
        if (util::equalsIgnoreCase(b.field, name)) show(b);
}

void RecordBinder::currentMoved(const store::Table&) { refresh(); }
void RecordBinder::stateChanged(const store::Table&) { refresh(); }
void RecordBinder::tableReset(const store::Table&) { refresh(); }

}  // namespace gui
