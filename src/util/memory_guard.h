#pragma once
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#include "util/errors.h"

namespace util {

// Runs `task` and returns what it returns; an allocation that fails inside it (std::bad_alloc, or a
// container asked for more than it can ever hold) becomes util::Error "Not enough memory for " +
// `what`, so the user reads what could not be done instead of a library's bare text. For the
// boundaries of commands: the command line's dispatcher and the desktop program's command handler.
template <typename Task>
decltype(auto) WithMemoryGuard(const std::string& what, Task&& task) {
    try {
        return std::forward<Task>(task)();
    } catch (const std::bad_alloc&) {
        throw Error("Not enough memory for " + what);
    } catch (const std::length_error&) {
        throw Error("Not enough memory for " + what);
    }
}

}  // namespace util
