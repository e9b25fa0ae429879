#include "keybdll/window_tracker.h"

namespace tw::keybdll {

namespace {
constexpr std::uint32_t kToolWindow = 0x00000080; // WS_EX_TOOLWINDOW
constexpr std::uint32_t kAppWindow = 0x00040000;  // WS_EX_APPWINDOW
} // namespace

bool IsTaskbarWindow(bool topLevel, bool owned, std::uint32_t extendedStyle) {
    if (!topLevel)
        return false;
    if (extendedStyle & kAppWindow)
        return true;
    return !owned && !(extendedStyle & kToolWindow);
}

std::optional<ShellNotification> WindowTracker::Shown(std::uintptr_t window) {
    if (window == 0 || !known_.insert(window).second)
        return std::nullopt;
    return ShellNotification{1, window};
}

std::optional<ShellNotification> WindowTracker::Foreground(std::uintptr_t window) {
    if (window == 0 || window == active_)
        return std::nullopt;
    active_ = window;
    known_.insert(window);
    return ShellNotification{4, window};
}

std::optional<ShellNotification> WindowTracker::Destroyed(std::uintptr_t window) {
    if (known_.erase(window) == 0)
        return std::nullopt;
    // A later window with the same handle is a new window.
    if (active_ == window)
        active_ = 0;
    return ShellNotification{2, window};
}

std::optional<ShellNotification> WindowTracker::TitleChanged(std::uintptr_t window) {
    if (!known_.count(window))
        return std::nullopt;
    return ShellNotification{6, window};
}

std::vector<ShellNotification>
WindowTracker::Sweep(const std::function<bool(std::uintptr_t)>& exists) {
    std::vector<std::uintptr_t> gone;
    for (auto window : known_)
        if (!exists(window))
            gone.push_back(window);
    std::vector<ShellNotification> result;
    for (auto window : gone)
        result.push_back(*Destroyed(window));
    return result;
}

} // namespace tw::keybdll
