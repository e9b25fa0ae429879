// The floor the delivery is measured against: a program of ours with no library, no editor and no
// expansion. It finds the trigger the way the real program does (its own low-level keyboard hook
// for the Space, a 50 ms key-state poll for the hot key) and answers with one SendInput batch:
// Backspaces and Ctrl+V, or the held modifiers' key-ups and Ctrl+V, with the reply already put on
// the clipboard from CLIPBOARD_FOLDER (reply.rtf, reply.txt). Ends when STOP_FILE appears.
// Usage: delivery_baseline typed LETTERS|hotkey LETTER CLIPBOARD_FOLDER READY_FILE STOP_FILE
// With TW_DELIVERY_TRACE naming a file it writes the same trace as the program.
#include "bench_clock.h"
#include "clipboard_files.h"
#include "delivery_trace.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

constexpr UINT kKeyArrived = WM_APP + 1; // wParam: key code, lParam: pressed
constexpr UINT_PTR kPollTimer = 1;
constexpr UINT_PTR kStopTimer = 2;

struct Baseline {
    bool hotKey = false;
    int backspaces = 0;
    WORD hotKeyCode = 0;
    bool pending = false;
    const wchar_t* stopFile = nullptr;
    HWND window = nullptr;
    tw::bench::DeliveryTrace trace;
};
Baseline g;

bool Down(int vk) {
    return (GetAsyncKeyState(vk) & 0x8000) != 0;
}

void Add(std::vector<INPUT>& batch, WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    batch.push_back(in);
}

void SendBatch(std::vector<INPUT>& batch) {
    for (WORD vk : {WORD(VK_CONTROL), WORD('V')}) {
        Add(batch, vk, false);
    }
    for (WORD vk : {WORD('V'), WORD(VK_CONTROL)}) {
        Add(batch, vk, true);
    }
    const UINT sent = SendInput(static_cast<UINT>(batch.size()), batch.data(), sizeof(INPUT));
    g.trace.SendInputReturned(sent, batch.size());
}

void DeliverTyped() {
    std::vector<INPUT> batch;
    for (int i = 0; i < g.backspaces; ++i) {
        Add(batch, VK_BACK, false);
        Add(batch, VK_BACK, true);
    }
    SendBatch(batch);
}

void PollHotKey() {
    if (!g.pending) {
        g.pending = Down(g.hotKeyCode) && Down(VK_CONTROL) && Down(VK_MENU) && !Down(VK_SHIFT);
        return;
    }
    if (Down(g.hotKeyCode)) {
        return;
    }
    g.pending = false;
    std::vector<INPUT> batch;
    for (WORD vk : {WORD(VK_SHIFT), WORD(VK_CONTROL), WORD(VK_MENU)}) {
        if (Down(vk)) {
            Add(batch, vk, true);
        }
    }
    SendBatch(batch);
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
        const bool pressed = wp == WM_KEYDOWN || wp == WM_SYSKEYDOWN;
        if (!(k->flags & LLKHF_INJECTED)) {
            PostMessageW(g.window, kKeyArrived, k->vkCode, pressed);
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK WindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
    case kKeyArrived:
        g.trace.KeyArrived(static_cast<unsigned>(wp));
        if (!g.hotKey && wp == VK_SPACE && lp) {
            DeliverTyped();
        }
        return 0;
    case WM_TIMER:
        if (wp == kPollTimer) {
            PollHotKey();
        } else if (GetFileAttributesW(g.stopFile) != INVALID_FILE_ATTRIBUTES) {
            PostQuitMessage(0);
        }
        return 0;
    default:
        return DefWindowProcW(w, m, wp, lp);
    }
}

int Fail(const wchar_t* what, const std::wstring& detail = {}) {
    std::fwprintf(stderr, L"delivery_baseline: %ls%ls\n", what, detail.c_str());
    return 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    g.hotKey = argc == 6 && std::wcscmp(argv[1], L"hotkey") == 0;
    const bool typed = argc == 6 && std::wcscmp(argv[1], L"typed") == 0;
    if (!typed && !g.hotKey) {
        return Fail(L"usage: delivery_baseline typed LETTERS|hotkey LETTER CLIPBOARD_FOLDER "
                    L"READY_FILE STOP_FILE");
    }
    g.backspaces = typed ? _wtoi(argv[2]) + 1 : 0;
    g.hotKeyCode = static_cast<WORD>(towupper(argv[2][0]));
    g.stopFile = argv[5];
    g.trace.OpenFromEnvironment();

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TextwrightDeliveryBaseline";
    RegisterClassExW(&wc);
    g.window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
    const std::wstring error = tw::bench::PutReplyOnClipboard(g.window, argv[3]);
    if (!error.empty()) {
        return Fail(L"", error);
    }
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHook, wc.hInstance, 0);
    if (!hook) {
        return Fail(L"the keyboard hook did not start");
    }
    if (g.hotKey) {
        SetTimer(g.window, kPollTimer, 50, nullptr);
    }
    SetTimer(g.window, kStopTimer, 100, nullptr);
    if (FILE* ready = _wfopen(argv[4], L"w")) {
        std::fputs("ready\n", ready);
        std::fclose(ready);
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
    UnhookWindowsHookEx(hook);
    DestroyWindow(g.window);
    return 0;
}
