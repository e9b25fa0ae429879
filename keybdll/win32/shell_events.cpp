#include "keybdll/win32/shell_events.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace tw::keybdll {

namespace {

ShellPoster g_post = nullptr;
bool g_active = false;
std::vector<HWINEVENTHOOK> g_winEventHooks;
WindowTracker g_windows;

void Notify(const std::optional<ShellNotification>& n) {
    if (n && g_post)
        g_post(*n);
}

bool IsWindowItself(LONG object, LONG child) {
    return object == OBJID_WINDOW && child == CHILDID_SELF;
}

void CALLBACK WinEventProc(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                           DWORD) {
    const auto handle = reinterpret_cast<std::uintptr_t>(window);
    switch (event) {
    case EVENT_SYSTEM_FOREGROUND:
        Notify(g_windows.Foreground(handle));
        break;
    case EVENT_OBJECT_SHOW:
        if (IsWindowItself(object, child) &&
            IsTaskbarWindow(GetAncestor(window, GA_PARENT) == GetDesktopWindow(),
                            GetWindow(window, GW_OWNER) != nullptr,
                            static_cast<std::uint32_t>(GetWindowLongPtrW(window, GWL_EXSTYLE))))
            Notify(g_windows.Shown(handle));
        break;
    case EVENT_OBJECT_DESTROY:
        if (IsWindowItself(object, child))
            Notify(g_windows.Destroyed(handle));
        break;
    case EVENT_OBJECT_NAMECHANGE:
        if (IsWindowItself(object, child))
            Notify(g_windows.TitleChanged(handle));
        break;
    default:
        break;
    }
}

} // namespace

// Some systems (Wine among them) do not report every activation or destruction; the poll fills
// the gaps and the tracker keeps each notification single.
void PollWindows() {
    Notify(g_windows.Foreground(reinterpret_cast<std::uintptr_t>(GetForegroundWindow())));
    for (const auto& n : g_windows.Sweep(
             [](std::uintptr_t w) { return IsWindow(reinterpret_cast<HWND>(w)) != FALSE; }))
        Notify(n);
}

void InstallShellEvents(ShellPoster post) {
    g_post = post;
    const std::pair<DWORD, DWORD> ranges[] = {{EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND},
                                              {EVENT_OBJECT_DESTROY, EVENT_OBJECT_SHOW},
                                              {EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE}};
    for (const auto& [first, last] : ranges) {
        HWINEVENTHOOK hook =
            SetWinEventHook(first, last, nullptr, WinEventProc, 0, 0, WINEVENT_OUTOFCONTEXT);
        if (hook)
            g_winEventHooks.push_back(hook);
    }
    // The current foreground window is where the user is, not an activation.
    g_windows = WindowTracker();
    g_windows.Foreground(reinterpret_cast<std::uintptr_t>(GetForegroundWindow()));
    // Without the system's notifications the poll alone still serves.
    g_active = true;
}

void RemoveShellEvents() {
    for (HWINEVENTHOOK hook : g_winEventHooks)
        UnhookWinEvent(hook);
    g_winEventHooks.clear();
    g_windows = WindowTracker();
    g_active = false;
}

bool ShellEventsActive() {
    return g_active;
}

} // namespace tw::keybdll
