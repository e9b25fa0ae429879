#include "ui/win32/control_hooks.h"

#include "platform/win32/window_base.h"

namespace tw::win32 {
namespace {

bool CameFromOwnWindow(HWND control, HWND previous) {
    if (!previous || previous == control || IsChild(control, previous)) {
        return false;
    }
    return GetAncestor(previous, GA_ROOT) == GetAncestor(control, GA_ROOT);
}

std::optional<LRESULT> HookMessage(const ControlHooks& hooks, HWND hwnd, UINT msg, WPARAM wp,
                                   LPARAM lp) {
    switch (msg) {
    case WM_SETFOCUS: {
        const LRESULT r = Subclass::Original(hwnd, msg, wp, lp);
        if (hooks.onEnter && CameFromOwnWindow(hwnd, reinterpret_cast<HWND>(wp))) {
            hooks.onEnter();
        }
        return r;
    }
    case WM_GETDLGCODE: {
        // The window's dialog navigation must leave Tab (our own order) and the keys a field
        // handles itself (Enter) to the control.
        LRESULT code = Subclass::Original(hwnd, msg, wp, lp);
        if (hooks.onTab) {
            code |= DLGC_WANTTAB;
        }
        if (hooks.onChar) {
            code |= DLGC_WANTALLKEYS;
        }
        return code;
    }
    case WM_KEYDOWN:
        if (wp == VK_TAB && hooks.onTab && hooks.onTab(GetKeyState(VK_SHIFT) < 0)) {
            return 0;
        }
        break;
    case WM_CHAR:
        if (wp == L'\t' && hooks.onTab) {
            return 0; // Tab moved the focus on its key press
        }
        if (hooks.onChar && !hooks.onChar(static_cast<wchar_t>(wp))) {
            return 0;
        }
        break;
    case WM_LBUTTONUP: {
        const LRESULT r = Subclass::Original(hwnd, msg, wp, lp);
        if (hooks.onLeftButtonUp) {
            hooks.onLeftButtonUp();
        }
        return r;
    }
    default:
        break;
    }
    return std::nullopt;
}

} // namespace

void HookControl(HWND control, ControlHooks hooks) {
    Subclass::ForLifeOf(control,
                        [hooks = std::move(hooks)](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
                            return HookMessage(hooks, hwnd, msg, wp, lp);
                        });
}

bool TabOrder::Move(HWND from, bool backwards) const {
    const int n = static_cast<int>(controls_.size());
    int at = -1;
    for (int i = 0; i < n && at < 0; ++i) {
        if (controls_[static_cast<std::size_t>(i)] == from ||
            IsChild(controls_[static_cast<std::size_t>(i)], from)) {
            at = i;
        }
    }
    if (at < 0) {
        return false;
    }
    for (int step = 1; step < n; ++step) {
        const int i = ((backwards ? at - step : at + step) % n + n) % n;
        HWND next = controls_[static_cast<std::size_t>(i)];
        if (IsWindowVisible(next) && IsWindowEnabled(next)) {
            SetFocus(next);
            return true;
        }
    }
    return false;
}

} // namespace tw::win32
