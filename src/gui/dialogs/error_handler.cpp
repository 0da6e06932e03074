#include "gui/dialogs/error_handler.h"

#include <QCoreApplication>
#include <exception>

#include "db/terminate_request.h"
#include "util/errors.h"

namespace gui {

void ErrorHandler::showCurrent(util::Dialogs& dialogs) {
    try {
        throw;
    } catch (const db::TerminateRequest&) {
        QCoreApplication::exit(1);
    } catch (const util::SilentAbort&) {
    } catch (const std::exception& e) {
        dialogs.error(e.what());
    } catch (...) {
        dialogs.error("Unknown error");
    }
}

bool ErrorHandler::guard(util::Dialogs& dialogs, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (...) {
        showCurrent(dialogs);
        return false;
    }
}

}  // namespace gui
