#include "support/cli_runner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>

namespace testsupport {

CliRun runRavoCli(const std::string& arguments, ErrorStream errorStream,
                  const std::filesystem::path& workingDirectory) {
    const std::filesystem::path errFile =
        std::filesystem::temp_directory_path() / ("ravo_cli_err_" + std::to_string(::getpid()));
    std::string command = std::string(RAVO_BIN_DIR) + "/ravo-cli " + arguments +
                          (errorStream == ErrorStream::Merged ? " 2>&1" : " 2>'" + errFile.string() + "'") +
                          " </dev/null";
    if (!workingDirectory.empty()) command = "cd '" + workingDirectory.string() + "' && " + command;

    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (errorStream == ErrorStream::Apart) {
        run.err = readFileBytes(errFile);
        std::filesystem::remove(errFile);
    }
    return run;
}

}  // namespace testsupport
