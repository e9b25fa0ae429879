#pragma once
// What the main window's handlers need from the real window. The Win32 main window implements
// these over its controls; native tests use recording fakes.
#include "app/options_dialog.h"
#include "app/tips.h"
#include "app/tray_port.h"
#include "delivery/delivery_host.h"
#include "hooks/system_hooks.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tw {

class MainWindowView : public TopmostPort {
public:
    virtual void ShowMainWindow() = 0;
    virtual void HideMainWindow() = 0;
    virtual bool IsMainWindowVisible() = 0;
    // Un-minimises the application.
    virtual void RestoreApplication() = 0;
    virtual void SetBusyCursor(bool busy) = 0;
    // Around a bulk load the tree and list views stop repainting per item.
    virtual void BeginBulkLoad() = 0;
    virtual void EndBulkLoad() = 0;
};

// A timer that keeps firing while enabled.
class TimerPort {
public:
    virtual ~TimerPort() = default;
    virtual void SetTimerEnabled(bool enabled) = 0;
};

class ApplicationPort {
public:
    virtual ~ApplicationPort() = default;
    // The message loop ends; the windows are destroyed after it.
    virtual void Terminate() = 0;
    // One of the program's windows is the foreground window.
    virtual bool IsApplicationActive() = 0;
};

class DialogsPort {
public:
    virtual ~DialogsPort() = default;
    virtual void ShowOptionsDialog() = 0;
    virtual void ShowAboutBox() = 0;
};

// The system hook components. Start failures are not reported.
class HookComponents {
public:
    virtual ~HookComponents() = default;
    virtual void StartHooks() = 0; // ShellHook, KeyHook, MouseHook, in this order
    virtual void StopHooks() = 0;  // MouseHook, KeyHook, ShellHook, in this order
    // ShellHook, KeyHook and MouseHook, whose events the main window takes.
    virtual SystemHooks& Components() = 0;
};

// TFormMacroInserts as the delivery commands use it.
class InsertionsDialogPort {
public:
    virtual ~InsertionsDialogPort() = default;
    // Runs the dialog modally, centred on the anchor; the answers on OK, nothing when cancelled.
    virtual std::optional<std::string> ShowInsertionsDialog(const std::string& fieldList,
                                                            const DialogAnchor& anchor) = 0;
    virtual bool IsInsertionsDialogVisible() = 0;
    // Ends the open dialog as cancelled.
    virtual void CancelInsertionsDialog() = 0;
};

// Switched on for latency measurements; otherwise it records nothing.
class InputTrace {
public:
    virtual ~InputTrace() = default;
    // A keyboard hook message has reached the main window.
    virtual void KeyMessageArrived(std::uint32_t virtualKeyCode) = 0;
};

} // namespace tw
