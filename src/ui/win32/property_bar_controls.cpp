#include "ui/win32/property_bar_controls.h"

#include "platform/dpi_scale.h"
#include "platform/win32/ansi_path.h"
#include "ui/key_table.h"

#include <commctrl.h>

namespace tw::win32 {
namespace {

std::wstring TextOf(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
    return text;
}

// The core sees typed characters as ANSI bytes; anything outside ASCII is no macro key.
char KeyOf(wchar_t ch) {
    return ch < 0x80 ? static_cast<char>(ch) : '\x80';
}

} // namespace

HWND PropertyBarControls::Make(const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

void PropertyBarControls::Create(HWND parent, HFONT font, const TabOrder* tabOrder) {
    parent_ = parent;
    labelName_ = Make(L"STATIC", L"Name:", SS_LEFT, 0);
    editName_ = Make(L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kEditNameId);
    labelMacro_ = Make(L"STATIC", L"Macro:", SS_LEFT, 0);
    editMacro_ = Make(L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kEditMacroId);
    checkBoxHotKey_ = Make(L"BUTTON", L"Hot Key:", BS_AUTOCHECKBOX | WS_TABSTOP, kCheckBoxHotKeyId);
    labelHotKey_ = Make(L"STATIC", L"<CTRL>+<ALT>+", SS_LEFT, 0);
    checkBoxShift_ = Make(L"BUTTON", L"<SHIFT>", BS_AUTOCHECKBOX | WS_TABSTOP, kCheckBoxShiftId);
    labelPlus_ = Make(L"STATIC", L"+", SS_LEFT, 0);
    comboBoxKey_ =
        Make(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kComboBoxKeyId);
    for (HWND h : {labelName_, editName_, labelMacro_, editMacro_, checkBoxHotKey_, labelHotKey_,
                   checkBoxShift_, labelPlus_, comboBoxKey_}) {
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    for (char key : KeyTable) {
        const wchar_t text[2] = {static_cast<wchar_t>(key), L'\0'};
        SendMessageW(comboBoxKey_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(comboBoxKey_, CB_SETCURSEL, 0, 0);

    // Their notifications come back from the parent, which knows nothing of them.
    for (HWND control : {editName_, editMacro_, comboBoxKey_, checkBoxHotKey_, checkBoxShift_}) {
        reflections_.push_back(
            ReflectCommand(control, [this](WPARAM wp, LPARAM lp) { return OnCommand(wp, lp); }));
    }
    auto tab = [tabOrder](HWND self) {
        return [tabOrder, self](bool backwards) {
            return tabOrder && tabOrder->Move(self, backwards);
        };
    };
    HookControl(editName_,
                {[this] {
                     if (editing_)
                         editing_->EditNameEnter();
                 },
                 [this](wchar_t ch) { return !editing_ || editing_->EditNameKeyPress(KeyOf(ch)); },
                 nullptr, tab(editName_)});
    HookControl(editMacro_,
                {[this] {
                     if (editing_)
                         editing_->EditMacroEnter();
                 },
                 [this](wchar_t ch) { return !editing_ || editing_->EditMacroKeyPress(KeyOf(ch)); },
                 nullptr, tab(editMacro_)});
    HookControl(checkBoxHotKey_, {nullptr, nullptr,
                                  [this] {
                                      if (editing_)
                                          editing_->CheckBoxHotKeyMouseUp(true);
                                  },
                                  tab(checkBoxHotKey_)});
    HookControl(checkBoxShift_, {nullptr, nullptr,
                                 [this] {
                                     if (editing_)
                                         editing_->CheckBoxShiftMouseUp(true);
                                 },
                                 tab(checkBoxShift_)});
    HookControl(comboBoxKey_, {[this] {
                                   if (editing_)
                                       editing_->ComboBoxKeyEnter();
                               },
                               // Typing a key opens the list, then chooses as usual.
                               [this](wchar_t ch) {
                                   if (ch >= L' ') {
                                       SendMessageW(comboBoxKey_, CB_SHOWDROPDOWN, TRUE, 0);
                                   }
                                   return true;
                               },
                               nullptr, tab(comboBoxKey_)});
}

int PropertyBarControls::Layout(int x, int y, int dpi) {
    const int h = ScaleForDpi(21, dpi);
    struct Place {
        HWND hwnd;
        int width;
        int top; // labels sit a little lower than the boxes
    };
    const Place row[] = {{labelName_, 38, 3},     {editName_, 150, 0},      {labelMacro_, 42, 3},
                         {editMacro_, 110, 0},    {checkBoxHotKey_, 68, 1}, {labelHotKey_, 86, 3},
                         {checkBoxShift_, 70, 1}, {labelPlus_, 12, 3},      {comboBoxKey_, 44, 0}};
    for (const Place& p : row) {
        const int height =
            p.hwnd == comboBoxKey_ ? ScaleForDpi(300, dpi) : h - ScaleForDpi(p.top, dpi);
        MoveWindow(p.hwnd, x, y + ScaleForDpi(p.top, dpi), ScaleForDpi(p.width, dpi), height, TRUE);
        x += ScaleForDpi(p.width + 4, dpi);
    }
    return h;
}

bool PropertyBarControls::OnCommand(WPARAM wp, LPARAM lp) {
    HWND from = reinterpret_cast<HWND>(lp);
    const int code = HIWORD(wp);
    if (from == editName_) {
        if (code == EN_CHANGE && editing_)
            editing_->EditNameChange();
        return true;
    }
    if (from == editMacro_) {
        if (code == EN_CHANGE && editing_)
            editing_->EditMacroChange();
        return true;
    }
    if (from == comboBoxKey_) {
        if (code == CBN_SELCHANGE && editing_)
            editing_->ComboBoxKeyChange();
        return true;
    }
    return from == checkBoxHotKey_ || from == checkBoxShift_;
}

void PropertyBarControls::EnableControls(bool name, bool macro, bool hotKeyDetails) {
    EnableWindow(labelName_, name);
    EnableWindow(editName_, name);
    EnableWindow(labelMacro_, macro);
    EnableWindow(editMacro_, macro);
    EnableWindow(checkBoxHotKey_, macro);
    EnableWindow(labelHotKey_, hotKeyDetails);
    EnableWindow(checkBoxShift_, hotKeyDetails);
    EnableWindow(labelPlus_, hotKeyDetails);
    EnableWindow(comboBoxKey_, hotKeyDetails);
}

std::optional<std::string> PropertyBarControls::NameText() {
    return WideToAnsiExactly(TextOf(editName_));
}

void PropertyBarControls::SetNameText(const std::string& text) {
    SetWindowTextW(editName_, AnsiToWide(text).c_str());
}

std::string PropertyBarControls::MacroText() {
    return WideToAnsi(TextOf(editMacro_));
}

void PropertyBarControls::SetMacroText(const std::string& text) {
    SetWindowTextW(editMacro_, AnsiToWide(text).c_str());
}

bool PropertyBarControls::HotKeyChecked() {
    return SendMessageW(checkBoxHotKey_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void PropertyBarControls::SetHotKeyChecked(bool checked) {
    SendMessageW(checkBoxHotKey_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool PropertyBarControls::ShiftChecked() {
    return SendMessageW(checkBoxShift_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void PropertyBarControls::SetShiftChecked(bool checked) {
    SendMessageW(checkBoxShift_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int PropertyBarControls::KeyIndex() {
    const LRESULT at = SendMessageW(comboBoxKey_, CB_GETCURSEL, 0, 0);
    return at == CB_ERR ? -1 : static_cast<int>(at);
}

void PropertyBarControls::SetKeyIndex(int position) {
    SendMessageW(comboBoxKey_, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

} // namespace tw::win32
