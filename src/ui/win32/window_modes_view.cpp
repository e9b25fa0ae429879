#include "ui/win32/window_modes_view.h"

#include "ui/win32/main_menu.h"

#include <algorithm>

namespace tw::win32 {

namespace {

Size SizeOf(const RECT& r) {
    return {r.right - r.left, r.bottom - r.top};
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

BOOL CALLBACK CollectVisiblePanes(HWND child, LPARAM lp) {
    auto* found = reinterpret_cast<std::pair<HWND, std::vector<HWND>*>*>(lp);
    // The pane's own style, not IsWindowVisible: a start in compact mode hides the panes before
    // the main window is shown, when IsWindowVisible is false for every child.
    const bool shown = (GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) != 0;
    if (GetParent(child) == GetAncestor(found->first, GA_PARENT) && child != found->first &&
        shown) {
        found->second->push_back(child);
    }
    return TRUE;
}

} // namespace

int Win32WindowModesView::Dpi() {
    const UINT dpi = GetDpiForWindow(p_.window);
    return static_cast<int>(dpi ? dpi : GetDpiForSystem());
}

Size Win32WindowModesView::WindowSize() {
    RECT r{};
    GetWindowRect(p_.window, &r);
    return SizeOf(r);
}

Size Win32WindowModesView::ClientSize() {
    RECT r{};
    GetClientRect(p_.window, &r);
    return SizeOf(r);
}

Size Win32WindowModesView::NavigationSize() {
    RECT r{};
    GetWindowRect(p_.navigation, &r);
    return SizeOf(r);
}

void Win32WindowModesView::SetMinimumSize(Size minimum) {
    minimum_ = minimum;
    const Size now = WindowSize();
    if (now.width < minimum.width || now.height < minimum.height) {
        SetWindowSize(now);
    }
}

void Win32WindowModesView::SetWindowSize(Size outer) {
    // Never larger than the monitor's work area, never smaller than the minimum; the window
    // stays where it is unless it would leave the work area.
    const RECT work = WorkAreaOf(p_.window);
    const int w = std::max(std::min<int>(outer.width, work.right - work.left), minimum_.width);
    const int h = std::max(std::min<int>(outer.height, work.bottom - work.top), minimum_.height);
    RECT now{};
    GetWindowRect(p_.window, &now);
    const int x = std::max<int>(work.left, std::min<int>(now.left, work.right - w));
    const int y = std::max<int>(work.top, std::min<int>(now.top, work.bottom - h));
    SetWindowPos(p_.window, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32WindowModesView::SetModeCaption(const std::string& caption) {
    SetChangeModeCaption(GetMenu(p_.window), caption);
    DrawMenuBar(p_.window);
}

void Win32WindowModesView::ShowFullModePanes(bool full) {
    if (full) {
        for (HWND pane : hidden_) {
            ShowWindow(pane, SW_SHOWNA);
        }
        hidden_.clear();
    } else if (hidden_.empty()) {
        std::pair<HWND, std::vector<HWND>*> search{p_.navigation, &hidden_};
        EnumChildWindows(p_.window, &CollectVisiblePanes, reinterpret_cast<LPARAM>(&search));
        HWND focus = GetFocus();
        for (HWND pane : hidden_) {
            if (focus && (focus == pane || IsChild(pane, focus))) {
                SetFocus(p_.navigation); // the keyboard must not stay in a hidden pane
            }
            ShowWindow(pane, SW_HIDE);
        }
    }
    LayoutPanes();
}

void Win32WindowModesView::LayoutPanes() {
    if (p_.layoutPanes) {
        p_.layoutPanes();
    }
}

void Win32WindowModesView::RefreshFormattingToolbar() {
    if (p_.refreshFormattingToolbar) {
        p_.refreshFormattingToolbar();
    }
}

} // namespace tw::win32
