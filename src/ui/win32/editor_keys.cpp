#include "ui/win32/editor_keys.h"

#include "ui/edit_commands.h"

#include <commctrl.h>

namespace tw::win32 {
namespace {

constexpr UINT_PTR kHookId = 0x744B;

struct Hook {
    std::function<void(MainCommand)> run;
    // The control character the handled key stroke still produces (Ctrl+X gives 0x18).
    bool swallowChar = false;
};

bool Down(int key) {
    return GetKeyState(key) < 0;
}

LRESULT CALLBACK HookProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* hook = reinterpret_cast<Hook*>(data);
    switch (msg) {
    case WM_KEYDOWN:
        if (wp >= 'A' && wp <= 'Z') {
            if (const auto command = EditCommandOfKey(static_cast<char>(wp), Down(VK_CONTROL),
                                                      Down(VK_SHIFT), Down(VK_MENU))) {
                hook->swallowChar = true;
                hook->run(*command);
                return 0;
            }
        }
        break;
    case WM_CHAR:
        if (hook->swallowChar && wp < 0x20) {
            hook->swallowChar = false;
            return 0;
        }
        hook->swallowChar = false;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, HookProc, kHookId);
        delete hook;
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

} // namespace

void HookEditorShortcuts(HWND editor, std::function<void(MainCommand)> run) {
    auto* hook = new Hook{std::move(run)};
    if (!SetWindowSubclass(editor, HookProc, kHookId, reinterpret_cast<DWORD_PTR>(hook))) {
        delete hook;
    }
}

} // namespace tw::win32
