#pragma once
#include "util/dialogs.h"

namespace util {

// Dialogs for unattended work (benchmarks, fuzzing): shows nothing, answers every question with No
// and cancels every input box.
class SilentDialogs : public Dialogs {
public:
    void error(const std::string&) override {}
    void warning(const std::string&) override {}
    void information(const std::string&) override {}
    void message(const std::string&) override {}
    bool confirm(const std::string&) override { return false; }
    std::optional<std::string> input(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

}  // namespace util
