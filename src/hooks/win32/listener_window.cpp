#include "hooks/win32/listener_window.h"

#include "hooks/sys_hook.h"
#include "platform/win32/ansi_path.h"
#include "platform/win32/message_window.h"

namespace tw {

namespace {

const wchar_t kListenerClass[] = L"TextwrightHookListener";

LRESULT CALLBACK ListenerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* owner = reinterpret_cast<TKvSysHook*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message < WM_USER || !owner)
        return DefWindowProcW(window, message, wParam, lParam);
    HookMessage record;
    record.Msg = message;
    record.WParam = static_cast<std::uint64_t>(wParam);
    record.LParam = static_cast<std::uint64_t>(lParam);
    owner->ProcessHookMessage(record);
    return static_cast<LRESULT>(record.Result);
}

} // namespace

ListenerHandle Win32HookHost::CreateListenerWindow(TKvSysHook& owner) {
    return reinterpret_cast<ListenerHandle>(
        win32::CreateMessageWindow(kListenerClass, ListenerWndProc, &owner));
}

void Win32HookHost::DestroyListenerWindow(ListenerHandle window) {
    DestroyWindow(reinterpret_cast<HWND>(window));
}

bool Win32HookHost::IsOwnApplicationWindow(HookWindow window) {
    DWORD process = 0;
    return GetWindowThreadProcessId(HookWindowToHwnd(window), &process) != 0 &&
           process == GetCurrentProcessId();
}

void Win32HookHost::ShowHookError(const std::string& text, const std::string& caption) {
    MessageBoxW(nullptr, win32::TextToWide(text).c_str(), win32::AnsiToWide(caption).c_str(),
                MB_OK | MB_ICONERROR);
}

} // namespace tw
