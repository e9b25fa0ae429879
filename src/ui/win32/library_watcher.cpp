#include "ui/win32/library_watcher.h"

#include "platform/win32/ansi_path.h"

namespace tw::win32 {

void LibraryWatcher::Start(const std::string& root) {
    Stop();
    const HANDLE change =
        FindFirstChangeNotificationW(PathToWide(root).c_str(), TRUE,
                                     FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                         FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
    if (change == INVALID_HANDLE_VALUE) {
        return;
    }
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!stop_) {
        FindCloseChangeNotification(change);
        return;
    }
    thread_ = std::thread([this, change] { Run(change); });
}

void LibraryWatcher::Stop() {
    if (thread_.joinable()) {
        SetEvent(stop_);
        thread_.join();
    }
    if (stop_) {
        CloseHandle(stop_);
        stop_ = nullptr;
    }
    if (window_) {
        KillTimer(window_, kQuietTimerId);
    }
}

void LibraryWatcher::Run(HANDLE change) {
    const HANDLE waits[] = {stop_, change};
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        PostMessageW(window_, kChangedMessage, 0, 0);
        if (!FindNextChangeNotification(change)) {
            break;
        }
    }
    FindCloseChangeNotification(change);
}

bool LibraryWatcher::OnMessage(UINT msg, WPARAM wp) {
    if (msg == kChangedMessage) {
        SetTimer(window_, kQuietTimerId, kQuietMs, nullptr); // from the last change on
        return true;
    }
    if (msg == WM_TIMER && wp == kQuietTimerId) {
        KillTimer(window_, kQuietTimerId);
        if (!takeChanges_()) {
            SetTimer(window_, kQuietTimerId, kQuietMs, nullptr);
        }
        return true;
    }
    return false;
}

} // namespace tw::win32
