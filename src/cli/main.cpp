// ravo-cli: the headless tool over the same core as the program.
#include <algorithm>
#include <exception>
#include <iostream>

#include "cli/command.h"
#include "util/errors.h"
#include "util/memory_guard.h"

namespace {

void printUsage(std::ostream& out) {
    out << "usage: ravo-cli COMMAND [ARGS]\ncommands:\n";
    for (const auto& [name, command] : cli::commands()) out << "  " << command.usage << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "help") {
        printUsage(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    auto it = cli::commands().find(argv[1]);
    if (it == cli::commands().end()) {
        std::cerr << "ravo-cli: unknown command " << argv[1] << "\n";
        printUsage(std::cerr);
        return 2;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    try {
        return util::WithMemoryGuard("the command " + it->first,
                                     [&] { return it->second.handler(args, std::cout, std::cerr); });
    } catch (const cli::UsageError& e) {
        std::cerr << "ravo-cli: " << e.text << "\nusage: ravo-cli " << it->second.usage << "\n";
        return 2;
    } catch (const util::SilentAbort&) {
        return 1;
    } catch (const std::exception& e) {
        // Message texts separate their lines with "\r"; a terminal would print them over each other.
        std::string text = e.what();
        std::replace(text.begin(), text.end(), '\r', '\n');
        std::cerr << text << "\n";
        return 1;
    }
}
