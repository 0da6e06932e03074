// ravo-cli eval: compiles an expression as given and prints its value, to check an expression
// outside the program.
#include <algorithm>
#include <ostream>

#include "cli/command.h"
#include "expr/parser.h"
#include "util/errors.h"
#include "util/number_format.h"
#include "util/text.h"

namespace {

int runEval(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const cli::Options options = cli::parseOptions(args, {"--var"});
    if (options.positional.size() != 1)
        throw cli::UsageError{options.positional.empty() ? "missing EXPRESSION" : "give the expression as one word"};

    try {
        expr::TParser parser;
        // Variables first: an expression compiles only over variables that already exist.
        for (const std::string& assignment : options.all("--var")) {
            const std::size_t equals = assignment.find('=');
            if (equals == std::string::npos) throw cli::UsageError{"--var takes NAME=VALUE, not " + assignment};
            double value = 0;
            if (!util::TryParseNumber(assignment.substr(equals + 1), value))
                throw cli::UsageError{"not a number in --var " + assignment};
            parser.setVariable(assignment.substr(0, equals), value);
        }
        parser.setExpression(options.positional.front());
        out << util::formatGeneral(parser.value(), '.') << "\n";
        return 0;
    } catch (const util::Error& e) {
        // Messages separate their lines with carriage returns; a console wants line feeds.
        std::string message = e.what();
        std::replace(message.begin(), message.end(), '\r', '\n');
        err << message << "\n";
        return 1;
    }
}

const cli::CommandRegistration registration(
    "eval", "eval [--var NAME=VALUE]... [--] EXPRESSION   print the value of an expression", runEval);

}  // namespace
