#include "app/win32/tray_icon.h"

#include "app/product.h"
#include "platform/win32/ansi_path.h"
#include "platform/win32/unique_handle.h"

namespace tw::win32 {

namespace {
constexpr UINT kIconId = 1;
}

TrayIcon::~TrayIcon() {
    if (presence_.Present()) {
        NOTIFYICONDATAW data = Data();
        Shell_NotifyIconW(NIM_DELETE, &data);
    }
}

bool TrayIcon::Apply(TrayPresence::Change change) {
    if (change == TrayPresence::Change::None) {
        return true;
    }
    NOTIFYICONDATAW data = Data();
    return Shell_NotifyIconW(change == TrayPresence::Change::Add ? NIM_ADD : NIM_DELETE, &data);
}

NOTIFYICONDATAW TrayIcon::Data() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner_;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    lstrcpynW(data.szTip, AnsiToWide(kApplicationTitle).c_str(), ARRAYSIZE(data.szTip));
    return data;
}

void TrayIcon::SetTrayIconVisible(bool visible) {
    Apply(presence_.SetWanted(visible));
}

void TrayIcon::ShowNotice(const std::string& title, const std::string& text) {
    if (!Apply(presence_.BalloonShown())) {
        presence_.BalloonEnded();
        return;
    }
    NOTIFYICONDATAW data = Data();
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_INFO;
    lstrcpynW(data.szInfoTitle, TextToWide(title).c_str(), ARRAYSIZE(data.szInfoTitle));
    lstrcpynW(data.szInfo, TextToWide(text).c_str(), ARRAYSIZE(data.szInfo));
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

bool TrayIcon::BalloonEnded(LPARAM message) {
    const UINT event = static_cast<UINT>(message);
    if (event != NIN_BALLOONUSERCLICK && event != NIN_BALLOONHIDE && event != NIN_BALLOONTIMEOUT) {
        return false;
    }
    Apply(presence_.BalloonEnded());
    return true;
}

void TrayIcon::Restore() {
    if (presence_.Present()) {
        NOTIFYICONDATAW data = Data();
        Shell_NotifyIconW(NIM_ADD, &data);
    }
}

int TrayIcon::TrackMenu(const MenuItem& show, const MenuItem& exit) {
    UniqueMenu owned(CreatePopupMenu());
    HMENU menu = owned.get();
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(show.id), show.caption.c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(exit.id), exit.caption.c_str());
    POINT at{};
    GetCursorPos(&at);
    // Without this the menu stays open when the user clicks elsewhere.
    SetForegroundWindow(owner_);
    const int chosen = static_cast<int>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner_, nullptr));
    PostMessageW(owner_, WM_NULL, 0, 0);
    return chosen;
}

} // namespace tw::win32
