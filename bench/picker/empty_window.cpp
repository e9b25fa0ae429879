// The least a picker can do, for the benchmark's baseline: the same hot key shows a window of the
// same size in front, with the focus, and a list of one row made once; Esc hides it again.
#include <windows.h>

namespace {

constexpr int kHotKeyId = 1;
const wchar_t* const kCaption = L"Empty picker";

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"EmptyPicker";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, wc.lpszClassName, kCaption,
                                  WS_POPUP | WS_DLGFRAME, 200, 200, 680, 340, nullptr, nullptr,
                                  instance, nullptr);
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE, 8, 8, 400, 300, window,
                                nullptr, instance, nullptr);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"empty"));
    if (!window ||
        !RegisterHotKey(nullptr, kHotKeyId, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, VK_SPACE)) {
        return 1;
    }
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_HOTKEY) {
            SetWindowPos(window, HWND_TOPMOST, 200, 200, 680, 340, SWP_SHOWWINDOW | SWP_NOACTIVATE);
            SetForegroundWindow(window);
            SetFocus(window);
            continue;
        }
        // Esc hides it wherever the keyboard's focus is.
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            ShowWindow(window, SW_HIDE);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
