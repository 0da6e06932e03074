#pragma once
#include <functional>

#include "util/dialogs.h"

namespace gui {

// The one place where an error that escapes a command is shown. A command runs inside guard():
// util::SilentAbort (its message was shown already) is swallowed, any other exception is shown as
// an error box with its text, and the program goes on. db::TerminateRequest (the database could
// not be opened again) ends the program's event loop with status 1.
class ErrorHandler {
public:
    // True when the command ran to its end.
    static bool guard(util::Dialogs& dialogs, const std::function<void()>& command);
    // Shows the exception being handled; call only inside a catch block.
    static void showCurrent(util::Dialogs& dialogs);
};

}  // namespace gui
