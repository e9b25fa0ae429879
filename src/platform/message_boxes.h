#pragma once
// The program's standard message boxes. The core reports through this port; the Win32 shell
// shows real dialogs and the tests record what would have been shown.
#include <string>

namespace tw {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void ShowInfo(const std::string& text) = 0;    // caption "Information", OK
    virtual void ShowWarning(const std::string& text) = 0; // caption "Warning", OK
    virtual void ShowError(const std::string& text) = 0;   // caption "Error", OK
    virtual bool AskYesNo(const std::string& text) = 0;    // caption "Confirm", true for Yes
    enum class Answer { Yes, No, Cancel };
    virtual Answer AskYesNoCancel(const std::string& text) = 0; // caption "Confirm"
};

} // namespace tw
