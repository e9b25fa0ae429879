#include "delivery/win32/profile_edit_dialog.h"

#include "delivery/win32/target_window.h"
#include "platform/win32/ansi_path.h"

namespace tw::win32 {

namespace {

constexpr int kLabelLeft = 16, kFieldLeft = 170, kFieldWidth = 234, kRow = 30;
constexpr const wchar_t* kPasteChoices[] = {L"Ctrl+V", L"Shift+Insert", L"Ctrl+Shift+V",
                                            L"Type the text out"};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lp) {
    auto& windows = *reinterpret_cast<std::vector<HWND>*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (IsWindowVisible(window) && !GetWindow(window, GW_OWNER) &&
        GetWindowTextLengthW(window) > 0 && pid != GetCurrentProcessId()) {
        windows.push_back(window);
    }
    return TRUE;
}

} // namespace

void ProfileEditDialog::OnInit() {
    const DWORD edit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    int y = 16;
    const auto label = [&](const wchar_t* text) {
        AddControl(L"STATIC", text, 0, kLabelLeft, y + 3, kFieldLeft - kLabelLeft - 8, 20, -1);
    };
    if (adding_) {
        label(L"Pick a running window:");
        AddControl(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kFieldLeft, y,
                   kFieldWidth, 240, ComboWindows);
        ListWindows();
    }
    y += kRow + 8;
    const struct {
        const wchar_t* label;
        int id;
    } fields[] = {{L"Name:", EditName},
                  {L"Program file name:", EditProgram},
                  {L"Window class (or empty):", EditClass},
                  {L"Title, with * and ? (or empty):", EditTitle}};
    for (const auto& f : fields) {
        label(f.label);
        AddControl(L"EDIT", L"", edit, kFieldLeft, y, kFieldWidth, 22, f.id);
        y += kRow;
    }
    label(L"Paste with:");
    HWND paste = AddControl(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_TABSTOP, kFieldLeft, y,
                            kFieldWidth, 120, ComboPaste);
    for (const wchar_t* choice : kPasteChoices) {
        SendMessageW(paste, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    }
    y += kRow;
    label(L"Delay between keys, ms:");
    AddControl(L"EDIT", L"", edit | ES_NUMBER, kFieldLeft, y, 70, 22, EditKeyDelay);
    y += kRow;
    label(L"Pause before paste, ms:");
    AddControl(L"EDIT", L"", edit | ES_NUMBER, kFieldLeft, y, 70, 22, EditPause);
    y += kRow;
    AddControl(L"BUTTON", L"Recognise typed macros and hot keys in these windows",
               BS_AUTOCHECKBOX | WS_TABSTOP, kLabelLeft, y, 388, 20, CheckRecognise);
    AddControl(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 246, 293, 75, 25, IDOK);
    AddControl(L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 329, 293, 75, 25, IDCANCEL);
    Fill();
    SetFocus(GetDlgItem(Handle(), adding_ ? ComboWindows : EditName));
}

void ProfileEditDialog::ListWindows() {
    std::vector<HWND> found;
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&found));
    HWND combo = GetDlgItem(Handle(), ComboWindows);
    for (HWND window : found) {
        TargetWindow target = DescribeWindow(window);
        if (target.program.empty()) {
            continue;
        }
        const std::wstring entry = TextToWide(target.title + " (" + target.program + ")");
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        windows_.push_back(std::move(target));
    }
}

void ProfileEditDialog::Fill() {
    const auto set = [this](int id, const std::string& text) {
        SetDlgItemTextW(Handle(), id, TextToWide(text).c_str());
    };
    set(EditName, fields_.name);
    set(EditProgram, fields_.program);
    set(EditClass, fields_.windowClass);
    set(EditTitle, fields_.titlePattern);
    set(EditKeyDelay, fields_.keyDelayMs);
    set(EditPause, fields_.pauseBeforePasteMs);
    SendDlgItemMessageW(Handle(), ComboPaste, CB_SETCURSEL, static_cast<WPARAM>(fields_.paste), 0);
    CheckDlgButton(Handle(), CheckRecognise, fields_.recognise ? BST_CHECKED : BST_UNCHECKED);
}

std::wstring ProfileEditDialog::Text(int id) const {
    HWND control = GetDlgItem(Handle(), id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

ProfileFields ProfileEditDialog::Read() const {
    ProfileFields f;
    f.name = WideToUtf8(Text(EditName));
    f.program = WideToUtf8(Text(EditProgram));
    f.windowClass = WideToUtf8(Text(EditClass));
    f.titlePattern = WideToUtf8(Text(EditTitle));
    const LRESULT paste = SendDlgItemMessageW(Handle(), ComboPaste, CB_GETCURSEL, 0, 0);
    f.paste = paste >= 0 && paste < static_cast<LRESULT>(std::size(kPasteChoices))
                  ? static_cast<PasteMethod>(paste)
                  : PasteMethod::CtrlV;
    f.keyDelayMs = WideToUtf8(Text(EditKeyDelay));
    f.pauseBeforePasteMs = WideToUtf8(Text(EditPause));
    f.recognise = IsDlgButtonChecked(Handle(), CheckRecognise) == BST_CHECKED;
    return f;
}

void ProfileEditDialog::OnCommand(int id, int code) {
    if (id == IDOK) {
        fields_ = Read();
        EndDialogWith(IDOK);
    } else if (id == IDCANCEL) {
        EndDialogWith(IDCANCEL);
    } else if (id == ComboWindows && code == CBN_SELCHANGE) {
        const LRESULT picked = SendDlgItemMessageW(Handle(), ComboWindows, CB_GETCURSEL, 0, 0);
        if (picked >= 0 && static_cast<std::size_t>(picked) < windows_.size()) {
            fields_ = ProfilesForm::FromWindow(windows_[static_cast<std::size_t>(picked)], Read());
            Fill();
        }
    }
}

} // namespace tw::win32
