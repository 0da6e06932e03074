#include "gui/run/worker_dialogs.h"

#include <QThread>

namespace gui {

WorkerDialogs::WorkerDialogs(util::Dialogs& gui, QObject* parent) : QObject(parent), gui_(gui) {}

template <typename Call>
void WorkerDialogs::onGuiThread(Call&& call) {
    if (QThread::currentThread() == thread()) {
        call();
        return;
    }
    // The GUI thread may have gone silent while this call waited in its queue.
    QMetaObject::invokeMethod(
        this,
        [this, &call] {
            if (!silent_) call();
        },
        Qt::BlockingQueuedConnection);
}

void WorkerDialogs::error(const std::string& text) {
    if (!silent_) onGuiThread([&] { gui_.error(text); });
}

void WorkerDialogs::warning(const std::string& text) {
    if (!silent_) onGuiThread([&] { gui_.warning(text); });
}

void WorkerDialogs::information(const std::string& text) {
    if (!silent_) onGuiThread([&] { gui_.information(text); });
}

void WorkerDialogs::message(const std::string& text) {
    if (!silent_) onGuiThread([&] { gui_.message(text); });
}

bool WorkerDialogs::confirm(const std::string& text) {
    bool yes = false;
    if (!silent_) onGuiThread([&] { yes = gui_.confirm(text); });
    return yes;
}

std::optional<std::string> WorkerDialogs::input(const std::string& caption, const std::string& prompt,
                                                const std::string& initial) {
    std::optional<std::string> answer;
    if (!silent_) onGuiThread([&] { answer = gui_.input(caption, prompt, initial); });
    return answer;
}

}  // namespace gui
