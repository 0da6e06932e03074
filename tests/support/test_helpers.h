#pragma once
#include <filesystem>
#include <functional>
#include <string>

namespace testsupport {

// The whole content of a file as bytes ("" when it cannot be read).
std::string readFileBytes(const std::filesystem::path& path);

// The message of the util::Error that `action` raises, or "" when it raises none.
std::string errorOf(const std::function<void()>& action);

}  // namespace testsupport
