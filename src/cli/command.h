#pragma once
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace cli {

// A subcommand of ravo-cli. `args` are the words after the subcommand's name.
// Returns the process exit status.
using Handler = int (*)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

struct Command {
    std::string usage;  // one line, e.g. "eval [--var NAME=VALUE]... EXPRESSION"
    Handler handler;
    std::string help;   // what "COMMAND --help" prints below the usage line ("" for the usage alone)
};

std::map<std::string, Command>& commands();

// Each command's source file registers itself with a static CommandRegistration.
struct CommandRegistration {
    CommandRegistration(const std::string& name, const std::string& usage, Handler handler,
                        const std::string& help = "") {
        commands()[name] = Command{usage, handler, help};
    }
};

// True when the words ask for the command's help ("--help" or "-h" before a "--").
bool asksForHelp(const std::vector<std::string>& args);

// Thrown for wrong words on the command line; main prints the message and the usage, status 2.
struct UsageError {
    std::string text;
};

// Options of the form "--name VALUE" gathered from args; words that are not options stay in `positional`.
struct Options {
    std::multimap<std::string, std::string> values;
    std::vector<std::string> positional;

    bool has(const std::string& name) const { return values.count(name) > 0; }
    std::string get(const std::string& name, const std::string& fallback = "") const;
    std::string require(const std::string& name) const;
    std::vector<std::string> all(const std::string& name) const;
    int getInt(const std::string& name, int fallback) const;
};

// Parses args; every name in `valued` takes the next word as its value; "--" ends the options.
Options parseOptions(const std::vector<std::string>& args, const std::vector<std::string>& valued);

}  // namespace cli
