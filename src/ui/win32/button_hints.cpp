#include "ui/win32/button_hints.h"

#include "platform/dpi_scale.h"

#include <commctrl.h>

namespace tw::win32 {

void SetButtonIcon(HWND button, int iconId, int dpi) {
    const int size = ScaleForDpi(16, dpi);
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId), IMAGE_ICON, size,
                             size, LR_SHARED);
    SetWindowLongPtrW(button, GWL_STYLE, GetWindowLongPtrW(button, GWL_STYLE) | BS_ICON);
    SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

ButtonHints::ButtonHints(HWND owner) : owner_(owner) {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
}

ButtonHints::~ButtonHints() {
    if (tooltip_) {
        DestroyWindow(tooltip_);
    }
}

void ButtonHints::Add(HWND button, const wchar_t* hint) {
    if (!tooltip_ || !button) {
        return;
    }
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = const_cast<wchar_t*>(hint);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace tw::win32
