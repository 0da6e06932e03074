#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "util/dialogs.h"

namespace testsupport {

// Records every text the core shows. Questions (confirm, input) are answered from a script
// queued in advance; a question with no queued answer fails the test.
class ScriptedDialogs : public util::Dialogs {
public:
    struct Shown {
        std::string kind;  // "error", "warning", "information", "message", "confirm", "input"
        std::string text;
        bool operator==(const Shown&) const = default;
    };

    void error(const std::string& text) override { shown.push_back({"error", text}); }
    void warning(const std::string& text) override { shown.push_back({"warning", text}); }
    void information(const std::string& text) override { shown.push_back({"information", text}); }
    void message(const std::string& text) override { shown.push_back({"message", text}); }
    bool confirm(const std::string& text) override;
    std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override;

    void answerConfirm(bool yes) { confirmAnswers.push_back(yes); }
    void answerInput(std::optional<std::string> text) { inputAnswers.push_back(std::move(text)); }

    // Texts of one kind, in the order shown.
    std::vector<std::string> texts(const std::string& kind) const;

    std::vector<Shown> shown;

private:
    std::deque<bool> confirmAnswers;
    std::deque<std::optional<std::string>> inputAnswers;
};

}  // namespace testsupport
