#include "ui/win32/editor_keys.h"

#include "ui/edit_commands.h"

#include "platform/win32/window_base.h"

#include <utility>

namespace tw::win32 {
namespace {

struct Hook {
    std::function<void(MainCommand)> run;
    // The control character the handled key stroke still produces (Ctrl+X gives 0x18).
    bool swallowChar = false;
};

bool Down(int key) {
    return GetKeyState(key) < 0;
}

std::optional<LRESULT> HookMessage(Hook& hook, UINT msg, WPARAM wp) {
    switch (msg) {
    case WM_KEYDOWN:
        if (wp >= 'A' && wp <= 'Z') {
            if (const auto command = EditCommandOfKey(static_cast<char>(wp), Down(VK_CONTROL),
                                                      Down(VK_SHIFT), Down(VK_MENU))) {
                hook.swallowChar = true;
                hook.run(*command);
                return 0;
            }
        }
        break;
    case WM_CHAR:
        if (std::exchange(hook.swallowChar, false) && wp < 0x20) {
            return 0;
        }
        break;
    default:
        break;
    }
    return std::nullopt;
}

} // namespace

void HookEditorShortcuts(HWND editor, std::function<void(MainCommand)> run) {
    Subclass::ForLifeOf(editor,
                        [hook = Hook{std::move(run)}](HWND, UINT msg, WPARAM wp, LPARAM) mutable {
                            return HookMessage(hook, msg, wp);
                        });
}

} // namespace tw::win32
