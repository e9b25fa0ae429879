#pragma once
// Records the message boxes the code under test would show.
#include "platform/message_boxes.h"

#include <string>
#include <vector>

namespace tw::testing {

class RecordingBoxes : public MessageBoxes {
public:
    void ShowInfo(const std::string& text) override { shown.push_back("Information: " + text); }
    void ShowWarning(const std::string& text) override { shown.push_back("Warning: " + text); }
    void ShowError(const std::string& text) override { shown.push_back("Error: " + text); }
    bool AskYesNo(const std::string& text) override {
        shown.push_back("Confirm: " + text);
        return answer;
    }
    std::vector<std::string> shown;
    bool answer = true;
};

} // namespace tw::testing
