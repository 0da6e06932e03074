#include "gui/dialogs/qt_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace gui {
namespace {

QWidget* owner() { return QApplication::activeWindow(); }

// Message boxes carry the program's name as their caption, as the other windows of the desktop do.
QString caption() { return QApplication::applicationName(); }

}  // namespace

QString QtDialogs::shownText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void QtDialogs::error(const std::string& text) { QMessageBox::critical(owner(), caption(), shownText(text)); }

void QtDialogs::warning(const std::string& text) { QMessageBox::warning(owner(), caption(), shownText(text)); }

void QtDialogs::information(const std::string& text) {
    QMessageBox::information(owner(), caption(), shownText(text));
}

void QtDialogs::message(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, caption(), shownText(text), QMessageBox::Ok, owner());
    box.exec();
}

bool QtDialogs::confirm(const std::string& text) {
    return QMessageBox::question(owner(), caption(), shownText(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::input(const std::string& caption, const std::string& prompt,
                                            const std::string& initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), QString::fromStdString(caption),
                                               QString::fromStdString(prompt), QLineEdit::Normal,
                                               QString::fromStdString(initial), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

}  // namespace gui
