// Measures how long a keystroke takes from SendInput to the keyboard component's event, over
// 1,000 keys, next to the floor of the last leg: a message posted from another thread.
// Run it under a display: wine hooks_latency.exe [keys]
#include "hooks/system_hooks.h"
#include "hooks/win32/process_hooks.h"
#include "hooks_test_support.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void Report(const char* what, std::vector<double>& ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s n=%zu  median %.3f ms  p99 %.3f ms  worst %.3f ms\n", what, ms.size(),
                ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.back());
}

std::atomic<bool> g_arrived{false};

void WaitForArrival() {
    tw::test::PumpUntil([] { return g_arrived.load(); }, 10000);
}
Clock::time_point g_arrivedAt;

LRESULT CALLBACK BaselineProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_USER + 100) {
        g_arrivedAt = Clock::now();
        g_arrived = true;
        return 0;
    }
    return DefWindowProcW(w, m, wp, lp);
}

} // namespace

int main(int argc, char** argv) {
    const int keys = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    constexpr WORD kKey = VK_F24; // a key nothing reacts to

    // All three components run, as in the program, though only the keyboard is measured.
    tw::SystemHooks hooks(tw::ProcessHookLoader(), tw::ProcessHookHost());
    tw::TKvKeyboardHook& keyHook = hooks.KeyHook;
    std::atomic<bool> expectRelease{false};
    keyHook.OnKeyAction = [&](tw::TKvSysHook&, std::uint32_t vk, std::uint16_t, std::uint8_t, bool,
                              bool, bool, bool pressed, bool&) {
        if (vk == kKey && pressed != expectRelease) {
            g_arrivedAt = Clock::now();
            g_arrived = true;
        }
    };
    hooks.StartHooks();
    if (!keyHook.Active() || !hooks.ShellHook.Active() || !hooks.MouseHook.Active()) {
        std::printf("the hook components did not start\n");
        return 1;
    }

    std::vector<double> hookMs, postMs;
    for (int i = 0; i < keys; ++i) {
        expectRelease = false;
        g_arrived = false;
        const auto sent = Clock::now();
        tw::test::SendKey(kKey, 0, false);
        WaitForArrival();
        hookMs.push_back(std::chrono::duration<double, std::milli>(g_arrivedAt - sent).count());
        expectRelease = true;
        g_arrived = false;
        tw::test::SendKey(kKey, 0, true);
        WaitForArrival();
    }
    hooks.StopHooks();

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = BaselineProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TextwrightLatencyBaseline";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  wc.hInstance, nullptr);
    for (int i = 0; i < keys; ++i) {
        g_arrived = false;
        Clock::time_point sent;
        std::thread poster([&] {
            sent = Clock::now();
            PostMessageW(window, WM_USER + 100, 0, 0);
        });
        WaitForArrival();
        poster.join();
        postMs.push_back(std::chrono::duration<double, std::milli>(g_arrivedAt - sent).count());
    }
    DestroyWindow(window);

    Report("SendInput -> KeyHook.OnKeyAction (key down)", hookMs);
    Report("baseline: PostMessage from another thread", postMs);
    tw::WarnIfHookLibraryLoaded();
    return 0;
}
