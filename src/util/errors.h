#pragma once
#include <stdexcept>
#include <string>

namespace util {

// A fault reported to the user: what() is the system's own message text (UTF-8).
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& text) : std::runtime_error(text) {}
};

// Cancels the operation in progress after its message has already been shown;
// hosts swallow it without a further message.
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

}  // namespace util
