#include "keybdll/win32/hook_service.h"

#include "hooks/hook_status.h"
#include "keybdll/hook_watch.h"
#include "keybdll/receiver_table.h"
#include "keybdll/win32/hook_events.h"
#include "keybdll/win32/shell_events.h"

#include <mutex>
#include <vector>

namespace tw::keybdll {

namespace {

const wchar_t kControlClass[] = L"TextwrightKeybDllControl";
constexpr UINT kReconcile = WM_APP + 1; // lParam: std::int32_t* for the outcome, or 0
constexpr UINT_PTR kHousekeepingTimer = 1;
constexpr UINT kHousekeepingMs = 100;

HMODULE g_module = nullptr;

// Shared between the callers of the exports and the hook thread.
std::mutex g_lock;
ReceiverTable g_receivers;
bool g_running = false;
HWND g_control = nullptr;
bool g_classRegistered = false;

// Touched by the hook thread only.
HHOOK g_keyboardHook = nullptr;
HHOOK g_mouseHook = nullptr;
HWND g_threadControl = nullptr;
bool g_receiverGone = false;
HookWatch g_watch;

void ScheduleReconcileIfReceiverGone(HWND control) {
    if (g_receiverGone) {
        g_receiverGone = false;
        PostMessageW(control, kReconcile, 0, 0);
    }
}

void DropDeadReceivers() {
    std::vector<Receiver> all;
    {
        std::lock_guard guard(g_lock);
        all = g_receivers.All();
    }
    for (const auto& r : all)
        if (!IsWindow(reinterpret_cast<HWND>(r.window)))
            ForgetWindow(reinterpret_cast<HWND>(r.window));
}

// Installs the hooks some receiver needs and removes the others. Returns a status.
std::int32_t InstallNeededHooks(bool& nothingNeeded) {
    bool need[ReceiverTable::kKinds];
    {
        std::lock_guard guard(g_lock);
        for (std::uint8_t kind = 0; kind < ReceiverTable::kKinds; ++kind)
            need[kind] = g_receivers.Count(kind) > 0;
    }
    std::int32_t status = kHookNoError;
    auto reconcile = [&](HHOOK& hook, int id, HOOKPROC proc, bool needed) {
        if (needed && !hook) {
            // Keys held while no hook watched are unknown: start from all keys up.
            if (id == WH_KEYBOARD_LL)
                ResetKeystrokes();
            hook = SetWindowsHookExW(id, proc, g_module, 0);
            // Input from before the hook is not its to report.
            if (hook)
                g_watch.HookCalled(GetTickCount());
            else if (status == kHookNoError)
                status = static_cast<std::int32_t>(GetLastError());
        } else if (!needed && hook) {
            UnhookWindowsHookEx(hook);
            hook = nullptr;
        }
    };
    reconcile(g_keyboardHook, WH_KEYBOARD_LL, KeyboardProc, need[kKeyboard]);
    reconcile(g_mouseHook, WH_MOUSE_LL, MouseProc, need[kMouse]);
    if (!need[kMouse])
        ClearMouseQueue();
    if (!need[kKeyboard])
        ClearStalled();
    if (need[kShell] && !ShellEventsActive())
        InstallShellEvents(PostShell);
    else if (!need[kShell] && ShellEventsActive())
        RemoveShellEvents();
    nothingNeeded = !need[kShell] && !need[kKeyboard] && !need[kMouse];
    return status;
}

// Reconciles the hooks; when no receiver is left, ends the thread unless one registered
// meanwhile.
std::int32_t Reconcile(HWND control) {
    for (;;) {
        bool nothingNeeded = false;
        const std::int32_t status = InstallNeededHooks(nothingNeeded);
        if (!nothingNeeded)
            return status;
        std::lock_guard guard(g_lock);
        if (!g_receivers.Empty())
            continue;
        g_running = false;
        g_control = nullptr;
        KillTimer(control, kHousekeepingTimer);
        DestroyWindow(control);
        PostQuitMessage(0);
        return status;
    }
}

// Windows removes a low-level hook whose callback once took too long, without a word. Input it
// saw that neither hook reported means that happened: the hooks go in again, and the keyboard
// receivers hear once when they cannot.
void WatchLowLevelHooks() {
    bool watched = false;
    {
        std::lock_guard guard(g_lock);
        watched = g_receivers.Count(kKeyboard) > 0 && g_receivers.Count(kMouse) > 0;
    }
    LASTINPUTINFO input = {sizeof input, 0};
    if (!GetLastInputInfo(&input) ||
        g_watch.Check(input.dwTime, GetTickCount(), watched) != HookWatch::Action::Reinstall)
        return;
    for (HHOOK* hook : {&g_keyboardHook, &g_mouseHook}) {
        if (*hook) {
            UnhookWindowsHookEx(*hook); // fails when the system removed it already
            *hook = nullptr;
        }
    }
    bool nothingNeeded = false;
    const bool installed =
        InstallNeededHooks(nothingNeeded) == kHookNoError && g_keyboardHook && g_mouseHook;
    if (g_watch.ReinstallEnded(installed, GetTickCount()))
        Post(kKeyboard, kKeyboardHookLostCode, 0, 0);
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kReconcile: {
        const std::int32_t status = Reconcile(window);
        if (lParam)
            *reinterpret_cast<std::int32_t*>(lParam) = status;
        return 0;
    }
    case kDrainMouse:
        DrainMouse();
        ScheduleReconcileIfReceiverGone(window);
        return 0;
    case WM_TIMER:
        if (wParam == kHousekeepingTimer) {
            DropDeadReceivers();
            WatchLowLevelHooks();
            if (ShellEventsActive())
                PollWindows();
            ScheduleReconcileIfReceiverGone(window);
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

struct StartInfo {
    HANDLE ready = nullptr;
    HWND control = nullptr;
};

DWORD WINAPI HookThread(LPVOID parameter) {
    auto* start = static_cast<StartInfo*>(parameter);
    HWND control = CreateWindowExW(0, kControlClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   g_module, nullptr);
    if (control)
        SetTimer(control, kHousekeepingTimer, kHousekeepingMs, nullptr);
    g_threadControl = control;
    start->control = control;
    SetEvent(start->ready); // start is gone after this
    if (control) {
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0)
            DispatchMessageW(&msg);
    }
    {
        // A new thread may have started meanwhile and still needs the class.
        std::lock_guard guard(g_lock);
        if (!g_running && g_classRegistered) {
            UnregisterClassW(kControlClass, g_module);
            g_classRegistered = false;
        }
    }
    FreeLibraryAndExitThread(g_module, 0);
    return 0;
}

// With g_lock held. Starts the hook thread, which keeps the library loaded while it runs.
std::int32_t StartThread() {
    if (!g_classRegistered) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ControlProc;
        wc.hInstance = g_module;
        wc.lpszClassName = kControlClass;
        if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return static_cast<std::int32_t>(GetLastError());
        g_classRegistered = true;
    }
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&HookThread), &self))
        return static_cast<std::int32_t>(GetLastError());
    StartInfo start;
    start.ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread =
        start.ready ? CreateThread(nullptr, 0, HookThread, &start, 0, nullptr) : nullptr;
    if (!thread) {
        const auto error = static_cast<std::int32_t>(GetLastError());
        if (start.ready)
            CloseHandle(start.ready);
        FreeLibrary(self);
        return error;
    }
    WaitForSingleObject(start.ready, INFINITE);
    CloseHandle(start.ready);
    CloseHandle(thread);
    if (!start.control)
        return static_cast<std::int32_t>(ERROR_CANNOT_MAKE);
    g_control = start.control;
    g_running = true;
    return kHookNoError;
}

} // namespace

std::vector<Receiver> ReceiversOf(std::uint8_t kind) {
    std::lock_guard guard(g_lock);
    return g_receivers.OfKind(kind);
}

void ForgetWindow(HWND window) {
    ForgetStalled(window);
    std::lock_guard guard(g_lock);
    if (g_receivers.RemoveWindow(reinterpret_cast<std::uintptr_t>(window)))
        g_receiverGone = true;
}

void HookCalled() {
    g_watch.HookCalled(GetTickCount());
}

HWND HookThreadControl() {
    return g_threadControl;
}

void SetLibraryModule(HMODULE module) {
    g_module = module;
}

std::int32_t AttachReceiverTo(std::uint32_t kind, HWND receiver, std::uint32_t allowFiltering) {
    if (!IsWindow(receiver))
        return kErrorInvalidWindowHandle;
    HWND control = nullptr;
    {
        std::lock_guard guard(g_lock);
        // Receivers destroyed without detaching must not count against the limit.
        for (const auto& r : std::vector<Receiver>(g_receivers.All()))
            if (!IsWindow(reinterpret_cast<HWND>(r.window)))
                g_receivers.RemoveWindow(r.window);
        std::int32_t status =
            g_receivers.Add(kind, reinterpret_cast<std::uintptr_t>(receiver), allowFiltering);
        if (status != kHookNoError)
            return status;
        if (!g_running) {
            status = StartThread();
            if (status != kHookNoError) {
                g_receivers.Remove(kind, reinterpret_cast<std::uintptr_t>(receiver));
                return status;
            }
        }
        control = g_control;
    }
    // The hooks are installed on the hook thread; its answer says whether they are in place.
    std::int32_t status = static_cast<std::int32_t>(ERROR_INVALID_THREAD_ID);
    SendMessageW(control, kReconcile, 0, reinterpret_cast<LPARAM>(&status));
    if (status != kHookNoError)
        DetachReceiverFrom(kind, receiver);
    return status;
}

std::int32_t DetachReceiverFrom(std::uint32_t kind, HWND receiver) {
    HWND control = nullptr;
    {
        std::lock_guard guard(g_lock);
        const std::int32_t status =
            g_receivers.Remove(kind, reinterpret_cast<std::uintptr_t>(receiver));
        if (status != kHookNoError)
            return status;
        control = g_control;
    }
    if (control)
        SendMessageW(control, kReconcile, 0, 0);
    return kHookNoError;
}

} // namespace tw::keybdll
