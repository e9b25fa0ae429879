#include "keybdll/win32/hook_events.h"

#include "keybdll/event_encoding.h"

#include <deque>
#include <set>

namespace tw::keybdll {

namespace {

// A filtering receiver is waited for at most this long per key, whatever their number, well
// inside the time after which the system removes a slow low-level hook.
constexpr DWORD kFilterBudgetMs = 200;
constexpr std::size_t kMouseQueueLimit = 4096;

// Touched by the hook thread only.
KeystrokeEncoder g_keystrokes;
struct QueuedMouse {
    std::uint32_t code;
    POINT point;
};
std::deque<QueuedMouse> g_mouseQueue;
// Filtering receivers that let a key wait out its whole budget: until they answer again, they
// get keys without being waited for, so one hung program costs the user one delayed key only.
std::set<HWND> g_stalled;

void CALLBACK ReceiverAnswered(HWND window, UINT, ULONG_PTR, LRESULT) {
    g_stalled.erase(window);
}

} // namespace

void Post(std::uint8_t kind, std::uint32_t code, WPARAM wParam, LPARAM lParam) {
    for (const auto& r : ReceiversOf(kind)) {
        HWND window = reinterpret_cast<HWND>(r.window);
        if (!PostMessageW(window, WM_USER + code, wParam, lParam) && !IsWindow(window))
            ForgetWindow(window);
    }
}

void PostShell(const ShellNotification& n) {
    Post(kShell, n.code, static_cast<WPARAM>(n.window), 0);
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code != HC_ACTION)
        return CallNextHookEx(nullptr, code, wParam, lParam);
    HookCalled();
    const auto* data = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const std::uint32_t flags = g_keystrokes.Encode({data->vkCode, data->scanCode, data->flags});
    const DWORD start = GetTickCount();
    bool discard = false;
    for (const auto& r : ReceiversOf(kKeyboard)) {
        HWND window = reinterpret_cast<HWND>(r.window);
        if (r.allowFiltering && !g_stalled.count(window)) {
            const DWORD spent = GetTickCount() - start;
            DWORD_PTR answer = 0;
            if (spent < kFilterBudgetMs &&
                SendMessageTimeoutW(window, WM_USER, data->vkCode, static_cast<LPARAM>(flags),
                                    SMTO_ABORTIFHUNG, kFilterBudgetMs - spent, &answer)) {
                discard = discard || answer == 1;
                continue;
            }
            if (!IsWindow(window)) {
                ForgetWindow(window);
                continue;
            }
            g_stalled.insert(window);
        }
        if (r.allowFiltering) {
            // Still a sent message, so it keeps its place among the keys this receiver waits
            // to answer; its answer only says the receiver is back.
            SendMessageCallbackW(window, WM_USER, data->vkCode, static_cast<LPARAM>(flags),
                                 ReceiverAnswered, 0);
            continue;
        }
        if (!PostMessageW(window, WM_USER, data->vkCode, static_cast<LPARAM>(flags)) &&
            !IsWindow(window))
            ForgetWindow(window);
    }
    if (discard)
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The mouse hook only queues: finding the window under the pointer may wait on other programs,
// which the user's pointer must never do.
LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        HookCalled();
        const auto mouseCode = MouseCode(static_cast<std::uint32_t>(wParam));
        if (mouseCode && g_mouseQueue.size() < kMouseQueueLimit) {
            const auto* data = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
            if (g_mouseQueue.empty())
                PostMessageW(HookThreadControl(), kDrainMouse, 0, 0);
            g_mouseQueue.push_back({*mouseCode, data->pt});
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DrainMouse() {
    while (!g_mouseQueue.empty()) {
        const QueuedMouse event = g_mouseQueue.front();
        g_mouseQueue.pop_front();
        HWND target = WindowFromPoint(event.point);
        Post(kMouse, event.code, PackScreenPoint(event.point.x, event.point.y),
             static_cast<LPARAM>(reinterpret_cast<std::uintptr_t>(target)));
    }
}

void ResetKeystrokes() {
    g_keystrokes = KeystrokeEncoder();
}

void ClearMouseQueue() {
    g_mouseQueue.clear();
}

void ClearStalled() {
    g_stalled.clear();
}

void ForgetStalled(HWND window) {
    g_stalled.erase(window);
}

} // namespace tw::keybdll
