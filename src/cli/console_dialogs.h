#pragma once
#include <iosfwd>
#include <string>

#include "util/dialogs.h"

namespace cli {

// Messages of the core separate their lines with CR LF or a lone CR; a console wants line feeds.
std::string consoleText(const std::string& text);

// Dialogs on the console: messages go to the error stream with their kind, questions are read from
// the input stream; at the end of input a question is answered No / cancelled.
class ConsoleDialogs : public util::Dialogs {
public:
    ConsoleDialogs(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
    void error(const std::string& text) override;
    void warning(const std::string& text) override;
    void information(const std::string& text) override;
    void message(const std::string& text) override;
    bool confirm(const std::string& text) override;
    std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override;

private:
    std::istream& in_;
    std::ostream& out_;
};

}  // namespace cli
