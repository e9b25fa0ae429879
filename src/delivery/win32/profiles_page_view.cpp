#include "delivery/win32/profiles_page_view.h"

#include "delivery/win32/profile_edit_dialog.h"
#include "platform/win32/ansi_path.h"

#include <commctrl.h>

namespace tw::win32 {

void ProfilesPageView::CreateControls(CodeDialog& dialog, const RECT& area) {
    dialog_ = dialog.Handle();
    const int width = area.right - area.left;
    const int buttonTop = area.bottom - 25;
    list_ = dialog.AddControl(
        WC_LISTVIEWW, L"", WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
        area.left, area.top, width, buttonTop - 8 - area.top, ListProfiles);
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    struct Column {
        const wchar_t* title;
        int width96;
    };
    static constexpr Column kColumns[] = {{L"Program", 110}, {L"Class", 85},   {L"Title", 85},
                                          {L"Paste", 85},    {L"Delays", 110}, {L"Macros", 49}};
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(kColumns[i].title);
        column.cx = dialog.Scale(kColumns[i].width96);
        SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    dialog.AddControl(L"BUTTON", L"Add...", button, area.left, buttonTop, 75, 25, ButtonAdd);
    dialog.AddControl(L"BUTTON", L"Edit...", button, area.left + 83, buttonTop, 75, 25, ButtonEdit);
    dialog.AddControl(L"BUTTON", L"Remove", button, area.left + 166, buttonTop, 75, 25,
                      ButtonRemove);
    dialog.AddControl(L"BUTTON", L"Reset to defaults", button, area.right - 120, buttonTop, 120, 25,
                      ButtonReset);
    ShowPage(false);
}

void ProfilesPageView::ShowPage(bool shown) {
    for (int id = ListProfiles; id <= ButtonReset; ++id) {
        ShowWindow(GetDlgItem(dialog_, id), shown ? SW_SHOW : SW_HIDE);
    }
}

bool ProfilesPageView::OnCommand(int id, int code) {
    if (code != BN_CLICKED) {
        return id >= ListProfiles && id <= ButtonReset;
    }
    switch (id) {
    case ButtonAdd:
        form_.ButtonAddClick();
        return true;
    case ButtonEdit:
        form_.ButtonEditClick();
        return true;
    case ButtonRemove:
        form_.ButtonRemoveClick();
        return true;
    case ButtonReset:
        form_.ButtonResetClick();
        return true;
    default:
        return false;
    }
}

bool ProfilesPageView::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != list_) {
        return false;
    }
    if (header.code == NM_DBLCLK) {
        form_.ButtonEditClick();
    }
    return true;
}

void ProfilesPageView::ShowRows(const std::vector<ProfileRow>& rows, int selected) {
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ProfileRow& row = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            std::wstring text = TextToWide(row[static_cast<std::size_t>(c)]);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = r;
            item.iSubItem = c;
            item.pszText = text.data();
            SendMessageW(list_, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, static_cast<WPARAM>(r),
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    if (selected >= 0) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = state.stateMask;
        SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(selected),
                     reinterpret_cast<LPARAM>(&state));
        SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected), FALSE);
    }
}

int ProfilesPageView::SelectedRow() {
    return static_cast<int>(
        SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::optional<ProfileFields> ProfilesPageView::EditProfile(const ProfileFields& fields,
                                                           bool adding) {
    ProfileEditDialog edit(fields, adding);
    if (edit.RunModal(dialog_) != IDOK) {
        return std::nullopt;
    }
    return edit.Fields();
}

} // namespace tw::win32
