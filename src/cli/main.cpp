// ravo-cli: the headless tool over the same core as the program.
#include <exception>
#include <iostream>
#include <streambuf>

#include "cli/command.h"
#include "cli/console_dialogs.h"
#include "util/errors.h"
#include "util/memory_guard.h"

namespace {

void printUsage(std::ostream& out) {
    out << "usage: ravo-cli COMMAND [ARGS]\n"
           "       ravo-cli COMMAND --help   what the command does, its options and files\n"
           "commands:\n";
    for (const auto& [name, command] : cli::commands()) out << "  " << command.usage << "\n";
}

void printHelp(std::ostream& out, const cli::Command& command) {
    out << "usage: ravo-cli " << command.usage << "\n";
    if (!command.help.empty()) out << "\n" << command.help;
}

// Passes everything on to another stream buffer and counts the characters, so that main can tell
// whether a failing command has said anything at all.
class CountingBuffer : public std::streambuf {
public:
    explicit CountingBuffer(std::streambuf* target) : target_(target) {}
    std::size_t count() const { return count_; }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        ++count_;
        return target_->sputc(traits_type::to_char_type(c));
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        count_ += static_cast<std::size_t>(n);
        return target_->sputn(s, n);
    }
    int sync() override { return target_->pubsync(); }

private:
    std::streambuf* target_;
    std::size_t count_ = 0;
};

int runCommand(const std::string& name, const cli::Command& command, const std::vector<std::string>& args,
               std::ostream& err) {
    try {
        // An allocation failure anywhere in the command reads "Not enough memory for the command …".
        return util::WithMemoryGuard("the command " + name, [&] { return command.handler(args, std::cout, err); });
    } catch (const cli::UsageError& e) {
        err << "ravo-cli: " << e.text << "\nusage: ravo-cli " << command.usage << "\n"
            << "(ravo-cli " << name << " --help tells more)\n";
        return 2;
    } catch (const util::SilentAbort&) {
        return 1;  // the reason was shown before the abort
    } catch (const std::exception& e) {
        err << cli::consoleText(e.what()) << "\n";
        return 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        printUsage(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    const std::string name = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (name == "help") {
        if (args.empty()) {
            printUsage(std::cout);
            return 0;
        }
        auto it = cli::commands().find(args.front());
        if (it == cli::commands().end()) {
            std::cerr << "ravo-cli: unknown command " << args.front() << "\n";
            return 2;
        }
        printHelp(std::cout, it->second);
        return 0;
    }
    auto it = cli::commands().find(name);
    if (it == cli::commands().end()) {
        std::cerr << "ravo-cli: unknown command " << name << "\n";
        printUsage(std::cerr);
        return 2;
    }
    if (cli::asksForHelp(args)) {
        printHelp(std::cout, it->second);
        return 0;
    }

    CountingBuffer counted(std::cerr.rdbuf());
    std::ostream err(&counted);
    const int status = runCommand(name, it->second, args, err);
    err.flush();
    // Every failure says something: a command that ends with a fault but has not written a word
    // (an empty message, an abort whose reason went elsewhere) gets a line of its own.
    if (status != 0 && counted.count() == 0) std::cerr << "ravo-cli: " << name << " failed\n";
    return status;
}
