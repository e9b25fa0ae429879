#include "delivery/win32/keyboard_layouts.h"

#include "delivery/macro_keys.h"

#include <imm.h>

#include <string_view>

namespace tw::win32 {
namespace {

// ToUnicodeEx leaves the kernel's keyboard state, the dead key above all, as it was (Windows 10
// 1607 and later; older systems and Wine ignore the flag).
constexpr UINT kKeepKeyboardState = 0x4;

HKL Hkl(KeyboardLayout layout) {
    return reinterpret_cast<HKL>(layout);
}

// What the key types with the stroke's modifiers and nothing else held.
int ToUnicodeOfStroke(const KeyStroke& stroke, HKL layout, wchar_t* text, int size) {
    BYTE state[256] = {};
    if (stroke.shift) {
        state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    }
    if (stroke.capsLock) {
        state[VK_CAPITAL] = 0x01;
    }
    if (stroke.altGr) {
        state[VK_CONTROL] = state[VK_LCONTROL] = state[VK_MENU] = state[VK_RMENU] = 0x80;
    }
    const UINT scan = stroke.scanCode | (stroke.extended ? 0xE000u : 0u);
    const int n =
        ToUnicodeEx(stroke.virtualKey, scan, state, text, size, kKeepKeyboardState, layout);
    if (n < 0) {
        // Where the flag is ignored this thread now holds the dead key: a Space takes it out
        // again, so the next translation starts clean. The user's application never sees it.
        BYTE none[256] = {};
        wchar_t drained[4];
        ToUnicodeEx(VK_SPACE, MapVirtualKeyExW(VK_SPACE, MAPVK_VK_TO_VSC, layout), none, drained, 4,
                    kKeepKeyboardState, layout);
    }
    return n;
}

// The macro character the layout types with AltGr on this key, found the other way round: Wine
// takes AltGr from the last key its own windows saw and types nothing for Ctrl+Alt.
wchar_t MacroCharWithAltGr(const KeyStroke& stroke, HKL layout) {
    const SHORT wanted = static_cast<SHORT>(stroke.virtualKey | (stroke.shift ? 0x100 : 0) | 0x600);
    for (const std::string_view chars : {MacroCharsPlain, MacroCharsShifted}) {
        for (char c : chars) {
            if (VkKeyScanExW(static_cast<wchar_t>(c), layout) == wanted) {
                return static_cast<wchar_t>(c);
            }
        }
    }
    return 0;
}

} // namespace

WindowHandle Win32KeyboardLayouts::ForegroundWindow() {
    return reinterpret_cast<WindowHandle>(GetForegroundWindow());
}

KeyboardLayout Win32KeyboardLayouts::LayoutOfWindow(WindowHandle window) {
    const DWORD thread =
        window ? GetWindowThreadProcessId(reinterpret_cast<HWND>(window), nullptr) : 0;
    return reinterpret_cast<KeyboardLayout>(GetKeyboardLayout(thread));
}

bool Win32KeyboardLayouts::HasAltGr(KeyboardLayout layout) {
    const auto known = altGr_.find(layout);
    if (known != altGr_.end()) {
        return known->second;
    }
    // A layout with AltGr types characters with Ctrl+Alt that no plainer state types.
    bool altGr = false;
    for (wchar_t c = 0x21; c <= 0xFF && !altGr; ++c) {
        const SHORT scan = VkKeyScanExW(c, Hkl(layout));
        altGr = scan != -1 && (scan & 0x600) == 0x600;
    }
    altGr_[layout] = altGr;
    return altGr;
}

bool Win32KeyboardLayouts::IsAltGrKey(std::uint8_t virtualKey, std::uint8_t scanCode,
                                      bool extended) {
    const std::uint32_t key = virtualKey | (scanCode << 8) | (extended ? 1u << 16 : 0u);
    const auto known = altGrKeys_.find(key);
    if (known != altGrKeys_.end()) {
        return known->second;
    }
    // Wine gives the X server's level-three shift a key code of its own and names the key
    // after it; Windows reports AltGr as right Alt.
    wchar_t name[32] = {};
    const LONG lParam = static_cast<LONG>((scanCode << 16) | (extended ? 1u << 24 : 0u));
    const int n = GetKeyNameTextW(lParam, name, 32);
    const std::wstring_view got(name, n > 0 ? static_cast<std::size_t>(n) : 0);
    const bool altGr = got == L"ISO_Level3_Shift" || got == L"Mode_switch";
    altGrKeys_[key] = altGr;
    return altGr;
}

KeyTranslation Win32KeyboardLayouts::Translate(KeyboardLayout layout, const KeyStroke& stroke) {
    wchar_t text[8] = {};
    const int n = ToUnicodeOfStroke(stroke, Hkl(layout), text, 8);
    if (n < 0) {
        return {KeyTranslation::Kind::DeadKey, std::u16string(1, static_cast<char16_t>(text[0]))};
    }
    if (n == 0 && stroke.altGr) {
        if (const wchar_t c = MacroCharWithAltGr(stroke, Hkl(layout))) {
            return {KeyTranslation::Kind::Characters, std::u16string(1, static_cast<char16_t>(c))};
        }
    }
    if (n == 0) {
        return {};
    }
    std::u16string typed;
    for (int i = 0; i < n && i < 8; ++i) {
        typed += static_cast<char16_t>(text[i]);
    }
    return {KeyTranslation::Kind::Characters, typed};
}

std::u16string Win32KeyboardLayouts::Compose(KeyboardLayout, char16_t deadKey, char16_t next) {
    // Composed from the accent's combining mark, so the kernel's dead key is never used.
    if (next == u' ') {
        return std::u16string(1, deadKey);
    }
    const char16_t mark = CombiningMarkOf(deadKey);
    if (mark != 0) {
        const wchar_t pair[2] = {static_cast<wchar_t>(next), static_cast<wchar_t>(mark)};
        wchar_t composed[4] = {};
        if (NormalizeString(NormalizationC, pair, 2, composed, 4) == 1) {
            return std::u16string(1, static_cast<char16_t>(composed[0]));
        }
    }
    return {deadKey, next};
}

bool Win32KeyboardLayouts::CapsLockOn() {
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

bool Win32KeyboardLayouts::InputMethodOpen(WindowHandle window) {
    // Only the input methods of Chinese, Japanese and Korean compose; asking costs a message
    // to the window's process.
    const LANGID language = LOWORD(reinterpret_cast<UINT_PTR>(
        GetKeyboardLayout(GetWindowThreadProcessId(reinterpret_cast<HWND>(window), nullptr))));
    const WORD primary = PRIMARYLANGID(language);
    if (!window ||
        (primary != LANG_CHINESE && primary != LANG_JAPANESE && primary != LANG_KOREAN)) {
        return false;
    }
    HWND ime = ImmGetDefaultIMEWnd(reinterpret_cast<HWND>(window));
    DWORD_PTR open = 0;
    constexpr WPARAM kGetOpenStatus = 0x0005; // IMC_GETOPENSTATUS
    return ime &&
           SendMessageTimeoutW(ime, WM_IME_CONTROL, kGetOpenStatus, 0, SMTO_ABORTIFHUNG, 100,
                               &open) &&
           open != 0;
}

} // namespace tw::win32
