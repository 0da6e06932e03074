#pragma once
#include <QObject>
#include <atomic>

#include "util/dialogs.h"

namespace gui {

// The dialogs a calculation uses while it runs on the worker thread. Every call is carried out by
// the GUI's own dialogs on the GUI thread: a call from another thread blocks that thread until the
// message box is closed and returns its answer; a call made on the GUI thread goes straight
// through (the stop button's question). This object must be created on the GUI thread.
//
// While the program is ending (setSilent(true)) nothing is shown any more: messages are dropped,
// questions are answered No / Cancel, so a run being stopped cannot wait for a box nobody sees.
class WorkerDialogs : public QObject, public util::Dialogs {
    Q_OBJECT
public:
    explicit WorkerDialogs(util::Dialogs& gui, QObject* parent = nullptr);

    void error(const std::string& text) override;
    void warning(const std::string& text) override;
    void information(const std::string& text) override;
    void message(const std::string& text) override;
    bool confirm(const std::string& text) override;
    std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override;

    void setSilent(bool silent) { silent_ = silent; }

private:
    template <typename Call>
    void onGuiThread(Call&& call);

    util::Dialogs& gui_;
    std::atomic<bool> silent_{false};
};

}  // namespace gui
