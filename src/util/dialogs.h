#pragma once
#include <optional>
#include <string>

namespace util {

// The one channel through which the core tells and asks the user. The GUI implements it with
// message boxes, ravo-cli with the console, tests with a scripted recorder. All texts are UTF-8.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Error box with one OK button.
    virtual void error(const std::string& text) = 0;
    virtual void warning(const std::string& text) = 0;
    // Information box shown after a file is written or read.
    virtual void information(const std::string& text) = 0;
    // Plain message box without an icon.
    virtual void message(const std::string& text) = 0;
    // Confirmation with Yes and No; true for Yes.
    virtual bool confirm(const std::string& text) = 0;
    // Input box; nullopt when the user cancels.
    virtual std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                             const std::string& initial) = 0;
};

}  // namespace util
