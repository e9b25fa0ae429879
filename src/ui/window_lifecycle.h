#pragma once
// Shown, Hidden and Ending: the main window and the tray icon never both visible, and the
// program ends only through an explicit Exit.
#include "ui/main_form_ports.h"

namespace tw {

enum class WindowState { Shown, Hidden, Ending };
enum class MouseButton { Left, Right, Middle };

class WindowLifecycle {
public:
    WindowLifecycle(MainWindowView& window, TrayIconPort& tray, ApplicationPort& application)
        : window_(window), tray_(tray), application_(application) {}

    WindowState State() const { return state_; }

    // Returns whether the window may close: never. It hides to the tray instead.
    bool FormClose();
    void TrayIconClick(MouseButton button);
    void TrayShowClick();
    void MIExitClick();
    void TrayExitClick() { MIExitClick(); }

private:
    void ShowFromTray();

    MainWindowView& window_;
    TrayIconPort& tray_;
    ApplicationPort& application_;
    WindowState state_ = WindowState::Shown;
};

} // namespace tw
