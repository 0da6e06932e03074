// ravo-cli eval: compiles an expression as given and prints its value, to check an expression
// outside the program.
#include <ostream>

#include "cli/command.h"
#include "expr/parser.h"
#include "util/number_format.h"
#include "util/text.h"

namespace {

int runEval(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
    const cli::Options options = cli::parseOptions(args, {"--var"});
    if (options.positional.size() != 1)
        throw cli::UsageError{options.positional.empty() ? "missing EXPRESSION" : "give the expression as one word"};
    // The evaluator takes an empty text for zero; asked for a value, that would hide a lost argument.
    if (options.positional.front().empty()) throw cli::UsageError{"the expression is empty"};

    expr::TParser parser;
    // Variables first: an expression compiles only over variables that already exist.
    for (const std::string& assignment : options.all("--var")) {
        const std::size_t equals = assignment.find('=');
        if (equals == std::string::npos || equals == 0)
            throw cli::UsageError{"--var takes NAME=VALUE, not " + assignment};
        double value = 0;
        if (!util::TryParseNumber(assignment.substr(equals + 1), value))
            throw cli::UsageError{"not a number in --var " + assignment};
        parser.setVariable(assignment.substr(0, equals), value);
    }
    parser.setExpression(options.positional.front());
    out << util::formatGeneral(parser.value(), '.') << "\n";
    return 0;
}

const cli::CommandRegistration registration(
    "eval", "eval [--var NAME=VALUE]... [--] EXPRESSION   print the value of an expression", runEval,
    "Compiles the expression in the language of the Gibbs-energy expressions and prints its value\n"
    "with up to 15 significant digits. Names are matched without regard to letter case; both \",\"\n"
    "and \".\" are taken as decimal separator. References to element data ({GHSERPB}) are not\n"
    "expanded here. A compile or evaluation error is printed with status 1.\n\n"
    "  --var NAME=VALUE  gives a variable its value (T, X, P...); may be repeated\n"
    "  --                ends the options, so the expression may begin with \"-\"\n\n"
    "example: ravo-cli eval --var T=500 -- '-7650.085+101.700244*T-24.5242231*T*LN(T)'\n");

}  // namespace
