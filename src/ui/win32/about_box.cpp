#include "ui/win32/about_box.h"

#include "app/product.h"
#include "app/win32/resource_ids.h"
#include "platform/win32/ansi_path.h"
#include "textwright_version.h"

namespace tw::win32 {

void AboutBox::OnInit() {
    HWND picture = AddControl(L"STATIC", nullptr, SS_ICON, 20, 20, 48, 48, 0);
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                               MAKEINTRESOURCEW(TW_IDI_MAIN), IMAGE_ICON, Scale(48),
                                               Scale(48), LR_DEFAULTCOLOR | LR_SHARED));
    SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    HWND name =
        AddControl(L"STATIC", AnsiToWide(kApplicationTitle).c_str(), SS_LEFT, 84, 20, 280, 22, 0);
    SendMessageW(name, WM_SETFONT, reinterpret_cast<WPARAM>(BoldFont()), FALSE);
    const std::wstring version = L"Version " + AnsiToWide(kProductVersion);
    AddControl(L"STATIC", version.c_str(), SS_LEFT, 84, 46, 280, 20, 0);
    AddControl(L"STATIC", AnsiToWide(TW_PRODUCT_DESCRIPTION).c_str(), SS_LEFT, 84, 68, 280, 20, 0);
    AddControl(L"STATIC", AnsiToWide(TW_COMPANY_NAME).c_str(), SS_LEFT, 84, 90, 280, 20, 0);
    AddControl(L"BUTTON", L"Ok", BS_DEFPUSHBUTTON | WS_TABSTOP, 152, 126, 75, 25, IDOK);
}

void AboutBox::OnCommand(int id, int) {
    if (id == IDOK || id == IDCANCEL) {
        EndDialogWith(id);
    }
}

} // namespace tw::win32
