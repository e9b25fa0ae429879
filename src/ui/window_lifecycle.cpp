#include "ui/window_lifecycle.h"

namespace tw {

bool WindowLifecycle::FormClose() {
    if (state_ == WindowState::Ending) {
        return false;
    }
    window_.HideMainWindow();
    tray_.SetTrayIconVisible(true);
    state_ = WindowState::Hidden;
    return false;
}

void WindowLifecycle::TrayIconClick(MouseButton button) {
    // The right button opens the tray menu; the view handles that itself.
    if (button == MouseButton::Left) {
        ShowFromTray();
    }
}

void WindowLifecycle::TrayShowClick() {
    ShowFromTray();
}

void WindowLifecycle::ShowFromTray() {
    if (state_ == WindowState::Ending) {
        return;
    }
    if (!window_.IsMainWindowVisible()) {
        window_.ShowMainWindow();
        window_.RestoreApplication();
    }
    tray_.SetTrayIconVisible(false);
    state_ = WindowState::Shown;
}

void WindowLifecycle::MIExitClick() {
    if (state_ == WindowState::Ending) {
        return;
    }
    state_ = WindowState::Ending;
    application_.Terminate();
}

} // namespace tw
