#pragma once
// The notification-area icon with the hint "Textwright" and its menu "Show", "Exit".
#include "app/tray_port.h"

#include <windows.h>
#include <shellapi.h>

namespace tw::win32 {

class TrayIcon : public TrayIconPort {
public:
    // Mouse events on the icon arrive at owner as callbackMessage with the mouse message in lParam.
    TrayIcon(HWND owner, UINT callbackMessage, HICON icon);
    ~TrayIcon() override;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    void SetTrayIconVisible(bool visible) override;
    bool Visible() const { return visible_; }
    // After the taskbar restarts (message "TaskbarCreated") the icon must be added again.
    void Restore();
    // Shows "Show", a separator, "Exit" at the cursor; returns the chosen id or 0.
    int TrackMenu(int showId, int exitId);

private:
    NOTIFYICONDATAW Data() const;

    HWND owner_;
    UINT callbackMessage_;
    HICON icon_;
    bool visible_ = false;
};

} // namespace tw::win32
