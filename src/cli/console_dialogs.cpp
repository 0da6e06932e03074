#include "cli/console_dialogs.h"

#include <istream>
#include <ostream>

namespace cli {

std::string consoleText(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            out += text[i];
        else if (i + 1 >= text.size() || text[i + 1] != '\n')
            out += '\n';
    }
    return out;
}

void ConsoleDialogs::error(const std::string& text) { out_ << "Error: " << consoleText(text) << "\n"; }
void ConsoleDialogs::warning(const std::string& text) { out_ << "Warning: " << consoleText(text) << "\n"; }
void ConsoleDialogs::information(const std::string& text) { out_ << consoleText(text) << "\n"; }
void ConsoleDialogs::message(const std::string& text) { out_ << consoleText(text) << "\n"; }

bool ConsoleDialogs::confirm(const std::string& text) {
    out_ << text << " [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(in_, answer)) return false;
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

std::optional<std::string> ConsoleDialogs::input(const std::string& caption, const std::string& prompt,
                                                 const std::string& initial) {
    out_ << caption << ": " << prompt << " [" << initial << "] " << std::flush;
    std::string answer;
    if (!std::getline(in_, answer)) return std::nullopt;
    return answer.empty() ? initial : answer;
}

}  // namespace cli
