#include "support/test_helpers.h"

#include <fstream>
#include <iterator>

#include "util/errors.h"

namespace testsupport {

std::string readFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const util::Error& e) {
        return e.what();
    }
    return "";
}

}  // namespace testsupport
