#pragma once
// Records every message box the core would have shown; questions get a scripted answer.
#include "platform/message_boxes.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace tw::fakes {

class RecordingMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        std::string kind; // "info", "warning", "error", "ask"
        std::string text;
        bool operator==(const Shown&) const = default;
    };
    std::vector<Shown> shown;
    std::deque<bool> answers;          // AskYesNo takes these in order; false when none are left
    std::deque<Answer> choices;        // AskYesNoCancel likewise; Cancel when none are left
    std::function<void()> whileAsking; // what the question's message loop runs meanwhile
    Answer AskYesNoCancel(const std::string& text) override {
        shown.push_back({"ask", text});
        if (whileAsking) {
            whileAsking();
        }
        if (choices.empty()) {
            return Answer::Cancel;
        }
        const Answer choice = choices.front();
        choices.pop_front();
        return choice;
    }

    void ShowInfo(const std::string& text) override { shown.push_back({"info", text}); }
    void ShowWarning(const std::string& text) override { shown.push_back({"warning", text}); }
    void ShowError(const std::string& text) override { shown.push_back({"error", text}); }
    bool AskYesNo(const std::string& text) override {
        shown.push_back({"ask", text});
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<std::string> Errors() const {
        std::vector<std::string> out;
        for (const auto& s : shown) {
            if (s.kind == "error") {
                out.push_back(s.text);
            }
        }
        return out;
    }
};

} // namespace tw::fakes
