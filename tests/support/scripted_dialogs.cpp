#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace testsupport {

bool ScriptedDialogs::confirm(const std::string& text) {
    shown.push_back({"confirm", text});
    if (confirmAnswers.empty()) {
        ADD_FAILURE() << "unexpected confirmation: " << text;
        return false;
    }
    bool yes = confirmAnswers.front();
    confirmAnswers.pop_front();
    return yes;
}

std::optional<std::string> ScriptedDialogs::input(const std::string& caption, const std::string& prompt,
                                                  const std::string&) {
    shown.push_back({"input", caption + ": " + prompt});
    if (inputAnswers.empty()) {
        ADD_FAILURE() << "unexpected input box: " << caption << ": " << prompt;
        return std::nullopt;
    }
    auto answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

std::vector<std::string> ScriptedDialogs::texts(const std::string& kind) const {
    std::vector<std::string> out;
    for (const auto& s : shown)
        if (s.kind == kind) out.push_back(s.text);
    return out;
}

}  // namespace testsupport
