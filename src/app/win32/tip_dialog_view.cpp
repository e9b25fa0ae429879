#include "app/win32/tip_dialog_view.h"

#include "app/win32/resource_ids.h"
#include "platform/win32/ansi_path.h"

namespace tw::win32 {

bool TipDialogView::ShowTipDialog(bool showAtStartup) {
    showAtStartup_ = showAtStartup;
    RunModal(owner_);
    return showAtStartup_;
}

void TipDialogView::OnInit() {
    HWND picture = AddControl(L"STATIC", nullptr, SS_ICON, 16, 16, 48, 48, 0);
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                               MAKEINTRESOURCEW(TW_IDI_MAIN), IMAGE_ICON, Scale(48),
                                               Scale(48), LR_DEFAULTCOLOR | LR_SHARED));
    SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    HWND header = AddControl(L"STATIC", L"Did you know...", SS_LEFT, 80, 16, 320, 24, 0);
    SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(BoldFont()), FALSE);
    AddControl(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, 80, 48, 320, 130, TipText);
    AddControl(L"BUTTON", L"&Show tips at startup", BS_AUTOCHECKBOX | WS_TABSTOP, 16, 200, 180, 20,
               ShowAtStartup);
    HWND next =
        AddControl(L"BUTTON", L"&Next", BS_PUSHBUTTON | WS_TABSTOP, 236, 196, 80, 26, NextButton);
    AddControl(L"BUTTON", L"&Close", BS_DEFPUSHBUTTON | WS_TABSTOP, 324, 196, 80, 26, IDOK);
    EnableWindow(next, picker_.NextEnabled());
    CheckDlgButton(Handle(), ShowAtStartup, showAtStartup_ ? BST_CHECKED : BST_UNCHECKED);
    ShowTip();
}

void TipDialogView::ShowTip() {
    SetDlgItemTextW(Handle(), TipText, AnsiToWide(picker_.Pick()).c_str());
}

void TipDialogView::OnCommand(int id, int code) {
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
    case NextButton:
        ShowTip();
        break;
    case IDOK:
    case IDCANCEL:
        showAtStartup_ = IsDlgButtonChecked(Handle(), ShowAtStartup) == BST_CHECKED;
        EndDialogWith(id);
        break;
    default:
        break;
    }
}

} // namespace tw::win32
