#pragma once
// The options dialog's window: "Textwright - Options", five check boxes, the key that opens the
// search for replies, Ok and Cancel.
#include "app/options_dialog.h"
#include "app/win32/code_dialog.h"

namespace tw::win32 {

class OptionsDialogView : public CodeDialog, public OptionsView {
public:
    explicit OptionsDialogView(TFormOptions& form) : form_(form) {}

    bool IsChecked(OptionsBox box) override;
    void SetChecked(OptionsBox box, bool checked) override;
    int PickerHotKey() override;
    void SetPickerHotKey(int value) override;
    void CloseDialog(bool ok) override { EndDialogWith(ok ? IDOK : IDCANCEL); }

    enum ControlId {
        CheckBoxTipOfDay = 101,
        CheckBoxAutoRun,
        CheckBoxShowMacroIns,
        CheckBoxAlwaysOnTop,
        CheckBoxRestoreClipboard,
        HotKeyPicker,
    };

protected:
    const wchar_t* Caption() const override { return L"Textwright - Options"; }
    SIZE ClientSize96() const override { return {367, 271}; }
    void OnInit() override;
    void OnCommand(int id, int code) override;

private:
    static int IdOf(OptionsBox box);
    TFormOptions& form_;
};

} // namespace tw::win32
