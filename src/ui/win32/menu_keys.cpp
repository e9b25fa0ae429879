#include "ui/win32/menu_keys.h"

namespace tw::win32 {

namespace {

bool IsAlt(WPARAM key) {
    return key == VK_MENU || key == VK_LMENU || key == VK_RMENU;
}

bool Repeated(LPARAM lp) {
    return (lp & (1L << 30)) != 0;
}

} // namespace

bool MenuKeys::Intercept(const MSG& msg, HWND window) {
    if (!window || !GetMenu(window) || (msg.hwnd != window && !IsChild(window, msg.hwnd))) {
        return false;
    }
    switch (msg.message) {
    case WM_SYSKEYDOWN:
    case WM_KEYDOWN:
        if (IsAlt(msg.wParam)) {
            if (!Repeated(msg.lParam)) {
                altAlone_ = true;
            }
            return false;
        }
        altAlone_ = false;
        if (msg.wParam == VK_F10 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0) {
            f10Down_ = true;
            return true;
        }
        return false;
    case WM_SYSKEYUP:
    case WM_KEYUP: {
        const bool open = (IsAlt(msg.wParam) && altAlone_) || (msg.wParam == VK_F10 && f10Down_);
        if (IsAlt(msg.wParam) || msg.wParam == VK_F10) {
            altAlone_ = f10Down_ = false;
        }
        if (open) {
            SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
            return true;
        }
        return false;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_SYSCHAR:
        altAlone_ = false;
        return false;
    default:
        return false;
    }
}

} // namespace tw::win32
