// A small driver for the formatting toolbar's end-to-end test: where a toolbar button is on the
// screen, and whether it is down. Prints one line; exit code 0 on success, 1 when the window or
// button is not there, 2 for bad arguments.
//   format_probe button NAME     X Y, the centre of the button on the screen
//   format_probe down NAME       1 when the button is down, else 0
// NAME: bold, italic, underline, left, center, right, color, insertions.
#include "ui/win32/editor_toolbar.h"
#include "ui/win32/formatting_toolbar_view.h"
#include "ui/win32/main_window.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

using namespace tw::win32;

int ButtonId(const std::wstring& name) {
    const std::pair<const wchar_t*, int> names[] = {
        {L"bold", kBoldButId},           {L"italic", kItalicButId},
        {L"underline", kUnderlineButId}, {L"left", kLeftAlignId},
        {L"center", kCenterAlignId},     {L"right", kRightAlignId},
        {L"color", kColorButId},         {L"insertions", kButPreDefParamsId},
    };
    for (const auto& [n, id] : names) {
        if (name == n) {
            return id;
        }
    }
    return 0;
}

// TB_GETRECT writes into the toolbar's own process: the rectangle is borrowed from there.
bool ButtonRect(HWND toolbar, int id, RECT& rect) {
    DWORD pid = 0;
    GetWindowThreadProcessId(toolbar, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) {
        return false;
    }
    void* remote = VirtualAllocEx(process, nullptr, sizeof rect, MEM_COMMIT, PAGE_READWRITE);
    bool ok = false;
    if (remote) {
        ok = SendMessageW(toolbar, TB_GETRECT, static_cast<WPARAM>(id),
                          reinterpret_cast<LPARAM>(remote)) != 0 &&
             ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return ok;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        return 2;
    }
    const std::wstring verb = argv[1];
    const int id = ButtonId(argv[2]);
    if (id == 0 || (verb != L"button" && verb != L"down")) {
        return 2;
    }
    HWND main = FindWindowW(kMainWindowClass, nullptr);
    HWND toolbar = main ? GetDlgItem(main, kToolBarEditorId) : nullptr;
    if (!toolbar) {
        std::printf("absent\n");
        return 1;
    }
    if (verb == L"down") {
        std::printf("%d\n",
                    SendMessageW(toolbar, TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) ? 1 : 0);
        return 0;
    }
    RECT r{};
    if (!ButtonRect(toolbar, id, r)) {
        std::printf("absent\n");
        return 1;
    }
    MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&r), 2);
    std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return 0;
}
