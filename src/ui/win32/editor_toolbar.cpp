#include "ui/win32/editor_toolbar.h"

#include "expansion/placeholders.h"
#include "platform/win32/ansi_path.h"

#include <commctrl.h>

namespace tw::win32 {
namespace {

constexpr int kSeparatorWidth = 8;
constexpr wchar_t kPreDefParamsHint[] = L"Predefined Reply Insertions";
constexpr wchar_t kPreDefParamsText[] = L"Insertions";

} // namespace

EditorToolbar::EditorToolbar(HWND parent, int id) : parent_(parent) {
    hwnd_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                            WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS |
                                CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    popup_.reset(CreatePopupMenu());
    if (!hwnd_) {
        return;
    }
    SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(hwnd_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageW(hwnd_, TB_SETIMAGELIST, 0, 0);
    // Sep7, then ButPreDefParams, always the last button of the row.
    TBBUTTON buttons[2] = {};
    buttons[0].iBitmap = kSeparatorWidth;
    buttons[0].fsStyle = BTNS_SEP;
    buttons[1].iBitmap = I_IMAGENONE;
    buttons[1].idCommand = kButPreDefParamsId;
    buttons[1].fsState = TBSTATE_ENABLED;
    buttons[1].fsStyle = BTNS_WHOLEDROPDOWN | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    buttons[1].iString = reinterpret_cast<INT_PTR>(kPreDefParamsText);
    SendMessageW(hwnd_, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(buttons));
}

std::optional<int> EditorToolbar::InsertionTagOf(int commandId) {
    const int tag = commandId - kPredefinedInsertionBaseId;
    if (tag < 1 || tag > kPlaceholderCount) {
        return std::nullopt;
    }
    return tag;
}

int EditorToolbar::Layout(int left, int top, int width) {
    const DWORD size = static_cast<DWORD>(SendMessageW(hwnd_, TB_GETBUTTONSIZE, 0, 0));
    const int height = HIWORD(size) + 2;
    MoveWindow(hwnd_, left, top, width, height, TRUE);
    return height;
}

void EditorToolbar::SetFont(HFONT font) {
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SendMessageW(hwnd_, TB_AUTOSIZE, 0, 0);
}

void EditorToolbar::Enable(bool enabled) {
    SendMessageW(hwnd_, TB_ENABLEBUTTON, kButPreDefParamsId, MAKELPARAM(enabled ? TRUE : FALSE, 0));
    EnableWindow(hwnd_, enabled);
}

void EditorToolbar::DropDownPreDefParams() {
    RECT button{};
    SendMessageW(hwnd_, TB_GETRECT, kButPreDefParamsId, reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&button), 2);
    TrackPopupMenu(popup_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, button.left,
                   button.bottom, 0, parent_, nullptr);
}

bool EditorToolbar::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom == hwnd_ && header.code == TBN_DROPDOWN) {
        const auto& drop = reinterpret_cast<const NMTOOLBARW&>(header);
        if (drop.iItem != kButPreDefParamsId) {
            return false;
        }
        DropDownPreDefParams();
        result = TBDDRET_DEFAULT;
        return true;
    }
    if (header.code == TTN_GETDISPINFOW && static_cast<int>(header.idFrom) == kButPreDefParamsId) {
        auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
        info.lpszText = const_cast<wchar_t*>(kPreDefParamsHint);
        info.hinst = nullptr;
        result = 0;
        return true;
    }
    return false;
}

int EditorToolbar::ItemCount() {
    const int n = GetMenuItemCount(popup_.get());
    return n < 0 ? 0 : n;
}

void EditorToolbar::DeleteLastItem() {
    DeleteMenu(popup_.get(), static_cast<UINT>(ItemCount() - 1), MF_BYPOSITION);
}

void EditorToolbar::AddItem(const InsertionMenuEntry& entry) {
    if (entry.separator) {
        AppendMenuW(popup_.get(), MF_SEPARATOR, 0, nullptr);
        return;
    }
    AppendMenuW(popup_.get(), MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED),
                static_cast<UINT_PTR>(kPredefinedInsertionBaseId + entry.tag),
                AnsiToWide(entry.caption).c_str());
}

} // namespace tw::win32
