#include "app/win32/options_dialog_view.h"

#include <commctrl.h>

namespace tw::win32 {

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
    // Created in tab order. The clipboard box and the search key came later: they sit below the
    // others, and the buttons moved down with the dialog's bottom edge to make room for them.
    const DWORD check = BS_AUTOCHECKBOX | WS_TABSTOP;
    const int buttonTop = 236;
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
    form_.AttachView(this);
    form_.FormShow();
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
        break;
    }
}

} // namespace tw::win32
