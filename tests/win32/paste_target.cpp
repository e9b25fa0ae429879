// Not a test: a window to deliver into for tests/e2e/delivery_profiles.sh, built twice.
//   putty.exe    "Test terminal": Ctrl+V types the control character (shown as "^V"), as a
//                terminal sends it to its host; Shift+Insert pastes.
//   nopaste.exe  "Paste-deaf editor": no paste of any kind does anything; typed keys arrive.
// Both hold one multi-line edit control, which e2e_probe reads and clears.
#include <windows.h>

namespace {

WNDPROC editProc = nullptr;

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
#if TW_TERMINAL
    if (msg == WM_CHAR && wp == 0x16) {
        SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"^V"));
        return 0;
    }
#else
    // The edit control pastes on Shift+Insert without sending itself WM_PASTE.
    const bool shiftInsert =
        msg == WM_KEYDOWN && wp == VK_INSERT && (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (msg == WM_PASTE || (msg == WM_CHAR && wp == 0x16) || shiftInsert) {
        return 0;
    }
#endif
    return CallWindowProcW(editProc, hwnd, msg, wp, lp);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        MoveWindow(GetWindow(hwnd, GW_CHILD), 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
        return 0;
    case WM_SETFOCUS:
        SetFocus(GetWindow(hwnd, GW_CHILD));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#if TW_TERMINAL
    const wchar_t* caption = L"Test terminal";
#else
    const wchar_t* caption = L"Paste-deaf editor";
#endif
    WNDCLASSW wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = L"TwPasteTarget";
    RegisterClassW(&wc);
    HWND frame = CreateWindowExW(0, wc.lpszClassName, caption, WS_OVERLAPPEDWINDOW, 100, 100, 500,
                                 300, nullptr, nullptr, instance, nullptr);
    HWND edit = CreateWindowExW(0, L"Edit", L"",
                                WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL,
                                0, 0, 500, 300, frame, nullptr, instance, nullptr);
    editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProc)));
    ShowWindow(frame, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
