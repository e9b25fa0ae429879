#pragma once
// What the main window's handlers need from the real window. The Win32 main window implements
// these over its controls; native tests use recording fakes.
#include "app/options_dialog.h"
#include "app/tips.h"
#include "app/tray_port.h"

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
};

} // namespace tw
