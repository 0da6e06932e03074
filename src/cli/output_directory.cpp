#include "cli/output_directory.h"

#include <filesystem>
#include <system_error>

#include "util/errors.h"

namespace cli {

namespace fs = std::filesystem;

std::string programDirectory() { return fs::read_symlink("/proc/self/exe").parent_path().string() + "/"; }

std::string outputDirectory(const Options& options, const std::string& fallback) {
    if (!options.has("--out")) return fallback;
    std::string directory = options.get("--out");
    if (directory.empty()) throw UsageError{"--out needs a directory"};
    std::error_code error;
    if (fs::exists(directory, error) && !fs::is_directory(directory, error))
        throw util::Error("Cannot write into " + directory + ": it is no directory");
    fs::create_directories(directory, error);
    if (error) throw util::Error("Cannot create the directory " + directory + ": " + error.message());
    if (directory.back() != '/') directory += '/';
    return directory;
}

}  // namespace cli
