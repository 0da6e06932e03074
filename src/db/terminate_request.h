#pragma once
#include "util/errors.h"

namespace db {

// Raised after "Can not open database files" has been shown: the host ends the program in an
// orderly way. Hosts that only swallow util::SilentAbort still stop the operation.
class TerminateRequest : public util::SilentAbort {
public:
    const char* what() const noexcept override { return "Application terminate requested"; }
};

}  // namespace db
