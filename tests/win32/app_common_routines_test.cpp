// The common routines over the real system.
#include "app/win32/common_routines_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace tw::win32 {
namespace {

TEST(OpenDocument, AFileThatIsNotThereIsRefusedQuietly) {
    Win32Shell shell;
    EXPECT_FALSE(shell.OpenDocument("C:\\no such folder\\Textwright.chm"));
}

TEST(SetForegroundWindowAttached, BringsTheWindowToTheFront) {
    const auto make = [](const wchar_t* title) {
        return CreateWindowExW(0, L"STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                               100, nullptr, nullptr, nullptr, nullptr);
    };
    HWND first = make(L"first");
    HWND second = make(L"second");
    ASSERT_TRUE(first && second);
    SetForegroundWindow(first);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
    SetForegroundWindowAttached(GetForegroundWindow(), second);
    EXPECT_EQ(second, GetForegroundWindow());
    DestroyWindow(first);
    DestroyWindow(second);
}

} // namespace
} // namespace tw::win32
