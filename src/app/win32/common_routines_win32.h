#pragma once
// The common routines over the real system: message boxes, the shell, the foreground window.
#include "app/common_routines.h"
#include "app/error_report.h"
#include "platform/message_boxes.h"
#include "platform/win32/foreground_window.h"

#include <windows.h>

namespace tw::win32 {

// Task-modal boxes centred on the screen, with the icon of their kind.
class Win32MessageBoxes : public MessageBoxes, public ErrorReportPort {
public:
    void ShowInfo(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    void ShowErrorReport(const std::string& text) override;
};

class Win32Shell : public ShellPort {
public:
    bool OpenDocument(const std::string& pathOrAddress) override;
};

} // namespace tw::win32
