#pragma once
#include <QString>

#include "util/dialogs.h"

namespace gui {

// The core's dialogs as modal Qt message and input boxes over the active window. The core writes
// line breaks inside a message as "\r" (or "\r\n"); they are shown as line breaks.
class QtDialogs : public util::Dialogs {
public:
    void error(const std::string& text) override;
    void warning(const std::string& text) override;
    void information(const std::string& text) override;
    void message(const std::string& text) override;
    bool confirm(const std::string& text) override;
    std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override;

    // The text as a message box shows it.
    static QString shownText(const std::string& text);
};

}  // namespace gui
