#pragma once
// Turns what the system reports about top-level windows (shown, foreground, destroyed, renamed)
// and what the poll of the foreground window sees into shell notifications, each only once.
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <vector>

namespace tw::keybdll {

struct ShellNotification {
    std::uint32_t code = 0; // 1 created, 2 destroyed, 4 activated, 6 title redraw
    std::uintptr_t window = 0;
    bool operator==(const ShellNotification&) const = default;
};

// Whether a window would have a button on the task bar: top level, not owned, and not a tool
// window unless it asks for a button.
bool IsTaskbarWindow(bool topLevel, bool owned, std::uint32_t extendedStyle);

class WindowTracker {
public:
    // A taskbar window became visible.
    std::optional<ShellNotification> Shown(std::uintptr_t window);
    // The foreground window, from the system's notification or the poll; 0 is ignored.
    std::optional<ShellNotification> Foreground(std::uintptr_t window);
    std::optional<ShellNotification> Destroyed(std::uintptr_t window);
    std::optional<ShellNotification> TitleChanged(std::uintptr_t window);
    // Known windows that no longer exist, for systems that do not report every destruction.
    std::vector<ShellNotification> Sweep(const std::function<bool(std::uintptr_t)>& exists);

    std::size_t KnownCount() const { return known_.size(); }

private:
    std::set<std::uintptr_t> known_;
    std::uintptr_t active_ = 0;
};

} // namespace tw::keybdll
