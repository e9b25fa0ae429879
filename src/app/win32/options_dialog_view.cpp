#include "app/win32/options_dialog_view.h"

#include <commctrl.h>

namespace tw::win32 {

namespace {

// Below the tab headers, the General page's controls keep their places relative to each other.
constexpr int kGeneralShift96 = 24;
constexpr int kMargin96 = 8;
constexpr int kTabRowHeight96 = 24;
constexpr int kButtonWidth96 = 75, kButtonHeight96 = 25;

} // namespace

int OptionsDialogView::IdOf(OptionsBox box) {
    switch (box) {
    case OptionsBox::TipOfDay:
        return CheckBoxTipOfDay;
    case OptionsBox::AutoRun:
        return CheckBoxAutoRun;
    case OptionsBox::ShowMacroIns:
        return CheckBoxShowMacroIns;
    case OptionsBox::AlwaysOnTop:
        return CheckBoxAlwaysOnTop;
    case OptionsBox::RestoreClipboard:
        return CheckBoxRestoreClipboard;
    }
    return 0;
}

bool OptionsDialogView::IsChecked(OptionsBox box) {
    return IsDlgButtonChecked(Handle(), IdOf(box)) == BST_CHECKED;
}

void OptionsDialogView::SetChecked(OptionsBox box, bool checked) {
    CheckDlgButton(Handle(), IdOf(box), checked ? BST_CHECKED : BST_UNCHECKED);
}

// The control's value is the setting's: the key in the low byte, its modifiers above it.
int OptionsDialogView::PickerHotKey() {
    return static_cast<int>(
        LOWORD(SendDlgItemMessageW(Handle(), HotKeyPicker, HKM_GETHOTKEY, 0, 0)));
}

void OptionsDialogView::SetPickerHotKey(int value) {
    SendDlgItemMessageW(Handle(), HotKeyPicker, HKM_SETHOTKEY, static_cast<WPARAM>(value), 0);
}

void OptionsDialogView::OnInit() {
    // Created in tab order. The clipboard box came later: it sits below the others, and the
    // buttons moved down with the dialog's bottom edge to make room for it; the key that opens
    // the search for replies came last, below the clipboard box.
    const DWORD check = BS_AUTOCHECKBOX | WS_TABSTOP;
    const int buttonTop = 200;
    AddControl(L"BUTTON", L"Show Tip of The Day on program startup", check, 48, 24, 217, 17,
               CheckBoxTipOfDay);
    AddControl(L"BUTTON", L"Ok", BS_DEFPUSHBUTTON | WS_TABSTOP, 64, buttonTop, 75, 25, IDOK);
    AddControl(L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 232, buttonTop, 75, 25, IDCANCEL);
    AddControl(L"BUTTON", L"Autorun Textwright on windows startup", check, 48, 56, 217, 17,
               CheckBoxAutoRun);
    AddControl(L"BUTTON", L"Enable the Macro Insertions and Replacements dialog",
               check | BS_MULTILINE, 48, 120, 281, 17, CheckBoxShowMacroIns);
    AddControl(L"BUTTON", L"Always on Top", check, 48, 88, 97, 17, CheckBoxAlwaysOnTop);
    AddControl(L"BUTTON", L"Restore the clipboard after a reply is delivered", check, 48, 152, 281,
               17, CheckBoxRestoreClipboard);
    AddControl(L"STATIC", L"Search the replies with", SS_LEFT, 48, 189, 150, 17, -1);
    AddControl(HOTKEY_CLASSW, L"", WS_BORDER | WS_TABSTOP, 200, 186, 129, 22, HotKeyPicker);
    BuildPages();
    form_.AttachView(this);
    form_.FormShow();
}

void OptionsDialogView::BuildPages() {
    const SIZE client = ClientSize96();
    general_.clear();
    for (HWND c = GetWindow(Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(c);
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
        if (id == IDOK || id == IDCANCEL) {
            const int x = client.cx - (id == IDOK ? 2 : 1) * (kButtonWidth96 + kMargin96);
            SetWindowPos(c, nullptr, Scale(x), Scale(client.cy - kMargin96 - kButtonHeight96), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER);
            continue;
        }
        SetWindowPos(c, nullptr, r.left, r.top + Scale(kGeneralShift96), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        general_.push_back(c);
    }
    const RECT area{2 * kMargin96, 5 * kMargin96, client.cx - 2 * kMargin96,
                    client.cy - 3 * kMargin96 - kButtonHeight96};
    for (OptionsPageView* page : pages_) {
        page->CreateControls(*this, area);
    }
    // Only the row of tabs: the pages lie on the dialog's own background below it, so their
    // controls look the same under every theme.
    tabs_ = AddControl(WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, kMargin96, kMargin96,
                       client.cx - 2 * kMargin96, kTabRowHeight96, TabPages);
    const auto addTab = [this](int index, const wchar_t* title) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(title);
        SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
    };
    addTab(0, L"General");
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        addTab(static_cast<int>(i + 1), pages_[i]->Title());
    }
    ShowPage(0);
}

void OptionsDialogView::ShowPage(int index) {
    for (HWND c : general_) {
        ShowWindow(c, index == 0 ? SW_SHOW : SW_HIDE);
    }
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        pages_[i]->ShowPage(static_cast<int>(i + 1) == index);
    }
}

void OptionsDialogView::OnNotify(const NMHDR& header) {
    if (header.hwndFrom == tabs_ && header.code == TCN_SELCHANGE) {
        ShowPage(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
        return;
    }
    for (OptionsPageView* page : pages_) {
        if (page->OnNotify(header)) {
            return;
        }
    }
}

void OptionsDialogView::OnCommand(int id, int code) {
    switch (id) {
    case IDOK:
        form_.ButtonOkClick();
        break;
    case IDCANCEL:
        form_.ButtonCancelClick();
        break;
    case CheckBoxAlwaysOnTop:
        if (code == BN_CLICKED) {
            form_.CheckBoxAlwaysOnTopClick();
        }
        break;
    default:
        for (OptionsPageView* page : pages_) {
            if (page->OnCommand(id, code)) {
                break;
            }
        }
        break;
    }
}

} // namespace tw::win32
