#pragma once
// The property bar over real controls: Name, Macro, Hot Key, Shift and the key drop-down with
// their labels, in one row. It implements the bar's port and turns the controls' events into
// LibraryEditing handler calls.
#include "ui/editing_ports.h"
#include "ui/library_editing.h"
#include "platform/win32/window_base.h"
#include "ui/win32/control_hooks.h"

#include <windows.h>

#include <vector>

namespace tw::win32 {

// Control ids; WM_COMMAND from them goes to OnCommand.
inline constexpr int kEditNameId = 310;
inline constexpr int kEditMacroId = 311;
inline constexpr int kCheckBoxHotKeyId = 312;
inline constexpr int kCheckBoxShiftId = 313;
inline constexpr int kComboBoxKeyId = 314;

class PropertyBarControls : public PropertyBarView {
public:
    PropertyBarControls() = default;
    PropertyBarControls(const PropertyBarControls&) = delete;
    PropertyBarControls& operator=(const PropertyBarControls&) = delete;

    // Creates the controls as children of parent; the key drop-down gets KeyTable with "A"
    // selected. Tab moves through `tabOrder` (which the caller fills).
    void Create(HWND parent, HFONT font, const TabOrder* tabOrder);
    // One row from (x, y); returns the row's height.
    int Layout(int x, int y, int dpi);
    void SetEditing(LibraryEditing* editing) { editing_ = editing; }
    // True when the command came from one of the bar's controls.
    bool OnCommand(WPARAM wp, LPARAM lp);

    // Enabled states from the idle-time refresh.
    void EnableControls(bool name, bool macro, bool hotKeyDetails);

    HWND EditName() const { return editName_; }
    HWND EditMacro() const { return editMacro_; }
    HWND CheckBoxHotKey() const { return checkBoxHotKey_; }
    HWND CheckBoxShift() const { return checkBoxShift_; }
    HWND ComboBoxKey() const { return comboBoxKey_; }

    std::optional<std::string> NameText() override;
    void SetNameText(const std::string& text) override;
    std::string MacroText() override;
    void SetMacroText(const std::string& text) override;
    bool HotKeyChecked() override;
    void SetHotKeyChecked(bool checked) override;
    bool ShiftChecked() override;
    void SetShiftChecked(bool checked) override;
    int KeyIndex() override;
    void SetKeyIndex(int position) override;

private:
    HWND Make(const wchar_t* cls, const wchar_t* text, DWORD style, int id);

    HWND parent_ = nullptr;
    LibraryEditing* editing_ = nullptr;
    HWND labelName_ = nullptr, editName_ = nullptr;
    HWND labelMacro_ = nullptr, editMacro_ = nullptr;
    HWND checkBoxHotKey_ = nullptr, labelHotKey_ = nullptr;
    HWND checkBoxShift_ = nullptr, labelPlus_ = nullptr, comboBoxKey_ = nullptr;
    std::vector<Reflection> reflections_;
};

} // namespace tw::win32
