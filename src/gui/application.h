#pragma once
#include <QApplication>
#include <memory>

namespace gui {

class ProgramWindows;
class QtDialogs;

// The desktop program: reads the decimal separator from the user's regional settings, opens the
// database in the program's directory, creates the windows and runs the event loop. It is also the
// one place where an error escaping a command is shown (the program then goes on).
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    ~Application() override;

    // Starts the program and runs it until the main window closes; the exit status (1 when the
    // database could not be opened).
    int run();

    // The decimal separator of the user's regional settings: "," or ".".
    static char localeDecimalSeparator();
    // The directory of the program's executable, with its trailing separator.
    static std::string programDirectory();

    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::unique_ptr<QtDialogs> dialogs_;
    std::unique_ptr<ProgramWindows> windows_;
};

}  // namespace gui
