// The one handler of errors that escape a command: what the user reads for each kind of failure.
#include <QtTest>
#include <new>
#include <stdexcept>

#include "gui/dialogs/error_handler.h"
#include "support/scripted_dialogs.h"
#include "util/errors.h"

class ErrorHandlerTest : public QObject {
    Q_OBJECT
private slots:
    void eachFailureShowsItsTextAndTheProgramGoesOn() {
        struct Case {
            const char* name;
            std::function<void()> command;
            std::vector<std::string> errors;
            bool completed;
        };
        const std::vector<Case> cases = {
            {"runs to its end", [] {}, {}, true},
            {"system's own message", [] { throw util::Error("Invalid number: x"); }, {"Invalid number: x"}, false},
            {"silent abort shows nothing", [] { throw util::SilentAbort(); }, {}, false},
            {"allocation failure", [] { throw std::bad_alloc(); }, {"Not enough memory for the command"}, false},
            {"container beyond its size",
             [] { std::vector<double>().reserve(std::vector<double>().max_size() + 1); },
             {"Not enough memory for the command"},
             false},
        };
        for (const Case& c : cases) {
            testsupport::ScriptedDialogs dialogs;
            const bool completed = gui::ErrorHandler::guard(dialogs, c.command);
            QVERIFY2(completed == c.completed, c.name);
            QVERIFY2(dialogs.texts("error") == c.errors, c.name);
        }
    }
};

QTEST_GUILESS_MAIN(ErrorHandlerTest)
#include "error_handler_test.moc"
