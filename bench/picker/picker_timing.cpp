// Times the search picker from outside, under Wine or Windows: presses its hot key with
// SendInput and reads, as fast as the window answers, when a window with the caption shows with
// its list filled; then types a key that no reply holds and reads when the list has emptied.
// Prints one line per run: "open_ms key_ms" (key_ms is - with "open-only").
//   picker_timing CAPTION RUNS [open-only]
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Keys(std::initializer_list<WORD> down) {
    INPUT inputs[8]{};
    UINT n = 0;
    for (WORD vk : down) {
        inputs[n].type = INPUT_KEYBOARD;
        inputs[n++].ki.wVk = vk;
    }
    for (auto it = down.end(); it != down.begin();) {
        inputs[n].type = INPUT_KEYBOARD;
        inputs[n].ki.wVk = *--it;
        inputs[n++].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(n, inputs, sizeof(INPUT));
}

HWND ListOf(HWND window) {
    return FindWindowExW(window, nullptr, L"ListBox", nullptr);
}

LRESULT RowCount(HWND list) {
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) {
        return -1;
    }
    return static_cast<LRESULT>(count);
}

// Polls until `done` or 10 s; the milliseconds it took, negative on time-out.
template <class Done> double Until(double start, Done done) {
    while (!done()) {
        if (NowMs() - start > 10000) {
            return -1;
        }
    }
    return NowMs() - start;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        return 2;
    }
    const std::wstring caption = argv[1];
    const int runs = _wtoi(argv[2]);
    const bool typing = argc < 4 || std::wstring(argv[3]) != L"open-only";
    for (int run = 0; run < runs; ++run) {
        HWND window = nullptr;
        double start = NowMs();
        Keys({VK_CONTROL, VK_MENU, VK_SPACE});
        const double open = Until(start, [&] {
            window = FindWindowW(nullptr, caption.c_str());
            HWND list = window ? ListOf(window) : nullptr;
            return window && IsWindowVisible(window) && (!list || RowCount(list) > 0);
        });
        if (open < 0) {
            std::printf("no window\n");
            return 1;
        }
        HWND list = typing ? ListOf(window) : nullptr;
        double key = -1;
        if (list) {
            start = NowMs();
            Keys({'Q'});
            key = Until(start, [&] { return RowCount(list) == 0; });
        }
        if (list) {
            std::printf("%.2f %.2f\n", open, key);
        } else {
            std::printf("%.2f -\n", open);
        }
        std::fflush(stdout);
        Keys({VK_ESCAPE});
        Until(NowMs(), [&] { return !IsWindowVisible(window); });
        Sleep(300);
    }
    return 0;
}
