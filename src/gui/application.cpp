#include "gui/application.h"

#include <QLocale>

#include "gui/dialogs/error_handler.h"
#include "gui/dialogs/qt_dialogs.h"
#include "gui/program_windows.h"
#include "gui/windows/tfm_main.h"

namespace gui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Ravo"));
    dialogs_ = std::make_unique<QtDialogs>();
}

Application::~Application() { windows_.reset(); }

char Application::localeDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point == QLatin1String(",") ? ',' : '.';
}

std::string Application::programDirectory() { return applicationDirPath().toStdString() + "/"; }

int Application::run() {
    windows_ = std::make_unique<ProgramWindows>(*dialogs_, localeDecimalSeparator(), programDirectory());
    if (!windows_->start()) return 1;
    connect(&windows_->main(), &TfmMain::closed, this, &QCoreApplication::quit);
    windows_->main().show();
    return exec();
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ErrorHandler::showCurrent(*dialogs_);
        return false;
    }
}

}  // namespace gui
