#include "cli/command.h"

#include <algorithm>
#include <charconv>

namespace cli {

std::map<std::string, Command>& commands() {
    static std::map<std::string, Command> all;
    return all;
}

bool asksForHelp(const std::vector<std::string>& args) {
    for (const std::string& word : args) {
        if (word == "--") return false;
        if (word == "--help" || word == "-h") return true;
    }
    return false;
}

std::string Options::get(const std::string& name, const std::string& fallback) const {
    auto it = values.find(name);
    return it == values.end() ? fallback : it->second;
}

std::string Options::require(const std::string& name) const {
    auto it = values.find(name);
    if (it == values.end()) throw UsageError{"missing option " + name};
    return it->second;
}

std::vector<std::string> Options::all(const std::string& name) const {
    std::vector<std::string> out;
    auto [first, last] = values.equal_range(name);
    for (auto it = first; it != last; ++it) out.push_back(it->second);
    return out;
}

int Options::getInt(const std::string& name, int fallback) const {
    auto it = values.find(name);
    if (it == values.end()) return fallback;
    int value = 0;
    const std::string& s = it->second;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size()) throw UsageError{"option " + name + " takes a whole number"};
    return value;
}

Options parseOptions(const std::vector<std::string>& args, const std::vector<std::string>& valued) {
    Options options;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || word.size() < 3 || word.compare(0, 2, "--") != 0) {
            options.positional.push_back(word);
            continue;
        }
        if (std::find(valued.begin(), valued.end(), word) == valued.end()) throw UsageError{"unknown option " + word};
        if (i + 1 >= args.size()) throw UsageError{"option " + word + " needs a value"};
        options.values.emplace(word, args[++i]);
    }
    return options;
}

}  // namespace cli
