#include "gui/dialogs/error_handler.h"

#include <QCoreApplication>
#include <exception>
#include <new>
#include <stdexcept>

#include "db/terminate_request.h"
#include "util/errors.h"

namespace gui {

void ErrorHandler::showCurrent(util::Dialogs& dialogs) {
    try {
        throw;
    } catch (const db::TerminateRequest&) {
        QCoreApplication::exit(1);
    } catch (const util::SilentAbort&) {
    } catch (const std::bad_alloc&) {
        // A library's bare "std::bad_alloc" tells the user nothing; the program goes on.
        dialogs.error("Not enough memory for the command");
    } catch (const std::length_error&) {
        dialogs.error("Not enough memory for the command");
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
