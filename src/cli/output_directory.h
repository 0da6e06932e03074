#pragma once
#include <string>

#include "cli/command.h"

namespace cli {

// The directory of this executable, with its trailing separator: where the program writes its
// exchange files unless told otherwise.
std::string programDirectory();

// The directory of the option "--out DIR", created when missing, or `fallback` without the option;
// with its trailing separator either way ("" stays "", the current directory). An empty DIR is a
// usage error; a path that exists but is no directory, or cannot be created, raises util::Error.
std::string outputDirectory(const Options& options, const std::string& fallback);

}  // namespace cli
