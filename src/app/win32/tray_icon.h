#pragma once
// The notification-area icon with the hint "Textwright" and its menu "Show", "Exit".
#include "app/tray_port.h"
#include "app/tray_presence.h"

#include <string>

#include <windows.h>
#include <shellapi.h>

namespace tw::win32 {

class TrayIcon : public TrayIconPort {
public:
    // Mouse events on the icon arrive at owner as callbackMessage with the mouse message in lParam.
    // `owner` is the owner's handle, null until that window exists.
    TrayIcon(const HWND& owner, UINT callbackMessage)
        : owner_(owner), callbackMessage_(callbackMessage) {}
    ~TrayIcon() override;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Shared icons only: the tray does not destroy it.
    void SetIcon(HICON icon) { icon_ = icon; }
    void SetTrayIconVisible(bool visible) override;
    void ShowNotice(const std::string& title, const std::string& text) override;
    // The owner passes every callback message on; true when it ended the balloon (clicked,
    // closed or timed out), which removes an icon that was added only for it.
    bool BalloonEnded(LPARAM message);
    bool Visible() const { return presence_.Wanted(); }
    // After the taskbar restarts (message "TaskbarCreated") the icon must be added again.
    void Restore();
    // A tray menu item: its command id and caption.
    struct MenuItem {
        int id;
        std::wstring caption;
    };
    // Shows the show item, a separator and the exit item at the cursor; returns the chosen id
    // or 0.
    int TrackMenu(const MenuItem& show, const MenuItem& exit);

private:
    NOTIFYICONDATAW Data() const;
    // False when the shell refused.
    bool Apply(TrayPresence::Change change);

    const HWND& owner_;
    UINT callbackMessage_;
    HICON icon_ = nullptr;
    TrayPresence presence_;
};

} // namespace tw::win32
