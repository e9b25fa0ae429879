// The shortcuts the menu shows, pressed on the real accelerator table and the real editor hook:
// each must run exactly the item whose text names it. The menu text is read back from the menu
// itself, so a caption, accelerator or editor key that drifts from the others is caught.
#include "ui/win32/editor_keys.h"
#include "ui/win32/main_menu.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace tw::win32 {
namespace {

struct Press {
    WORD key = 0;
    bool ctrl = false, shift = false, alt = false;
};

// "Ctrl+Shift+N", "Shift+Del", "Alt+X", "F1" as a user reads them.
std::optional<Press> ReadShortcut(std::wstring text) {
    Press p;
    for (auto [prefix, flag] : {std::pair{L"Ctrl+", &p.ctrl}, std::pair{L"Shift+", &p.shift},
                                std::pair{L"Alt+", &p.alt}}) {
        if (text.starts_with(prefix)) {
            *flag = true;
            text.erase(0, std::wstring(prefix).size());
        }
    }
    if (text == L"Del") {
        p.key = VK_DELETE;
    } else if (text.size() >= 2 && text[0] == L'F') {
        p.key = static_cast<WORD>(VK_F1 + std::stoi(text.substr(1)) - 1);
    } else if (text.size() == 1 && text[0] >= L'A' && text[0] <= L'Z') {
        p.key = text[0];
    } else {
        return std::nullopt;
    }
    return p;
}

struct Item {
    int id;
    std::wstring text;
};

void Collect(HMENU menu, std::vector<Item>& items) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            Collect(sub, items);
            continue;
        }
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        if (text[0] != L'\0') {
            items.push_back({static_cast<int>(GetMenuItemID(menu, i)), text});
        }
    }
}

// Holds the modifiers down for this thread, as the key state the hooks and accelerators read.
void HoldModifiers(const Press& p) {
    BYTE state[256] = {};
    state[VK_CONTROL] = p.ctrl ? 0x80 : 0;
    state[VK_SHIFT] = p.shift ? 0x80 : 0;
    state[VK_MENU] = p.alt ? 0x80 : 0;
    SetKeyboardState(state);
}

std::vector<int> commandsSeen;

LRESULT CALLBACK Record(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) {
        commandsSeen.push_back(LOWORD(wp));
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST(MainMenu, EveryShortcutItShowsRunsItsItemAndNoOther) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Record;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TwMenuKeysTest";
    RegisterClassW(&wc);
    HWND window = CreateWindowW(wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                nullptr, wc.hInstance, nullptr);
    HWND editor =
        CreateWindowW(L"EDIT", L"", WS_CHILD, 0, 0, 10, 10, window, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(window && editor);
    std::vector<MainCommand> editorRan;
    HookEditorShortcuts(editor, [&](MainCommand c) { editorRan.push_back(c); });

    UniqueMenu bar = BuildMainMenu();
    UniqueAccelerators accelerators = BuildMainAccelerators();
    std::vector<Item> items;
    Collect(bar.get(), items);
    ASSERT_GE(items.size(), 20u);
    int shortcuts = 0;
    for (const Item& item : items) {
        const auto tab = item.text.find(L'\t');
        if (tab == std::wstring::npos) {
            continue;
        }
        const auto press = ReadShortcut(item.text.substr(tab + 1));
        ASSERT_TRUE(press) << "unreadable shortcut in " << item.id;
        ++shortcuts;
        HoldModifiers(*press);
        commandsSeen.clear();
        editorRan.clear();
        const UINT down = press->alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
        MSG msg{window, down, press->key, 1, 0, {}};
        TranslateAcceleratorW(window, accelerators.get(), &msg);
        // Keys the window does not take are the editor's own, taken only while it has the keyboard.
        if (commandsSeen.empty()) {
            SendMessageW(editor, down, press->key, 1);
            ASSERT_EQ(editorRan.size(), 1u) << "nothing runs item " << item.id;
            EXPECT_EQ(MenuIdOf(editorRan[0]), item.id);
        } else {
            EXPECT_EQ(commandsSeen, std::vector<int>{item.id});
        }
    }
    EXPECT_GE(shortcuts, 14);
    // An item without a shortcut in its text has none: no accelerator sends its id.
    ACCEL keys[64];
    const int n = CopyAcceleratorTableW(accelerators.get(), keys, 64);
    for (int i = 0; i < n; ++i) {
        const auto shown = std::find_if(items.begin(), items.end(), [&](const Item& item) {
            return item.id == keys[i].cmd && item.text.find(L'\t') != std::wstring::npos;
        });
        EXPECT_NE(shown, items.end()) << "accelerator for " << keys[i].cmd << " not in the menu";
    }
    HoldModifiers({});
    DestroyWindow(window);
}

} // namespace
} // namespace tw::win32
