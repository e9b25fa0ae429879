#pragma once
// The options dialog's window: "Textwright - Options", a tab control with the General page (five
// check boxes and the key that opens the search for replies) and the pages other parts add, Ok
// and Cancel.
#include "app/options_dialog.h"
#include "app/win32/code_dialog.h"
#include "app/win32/options_page_view.h"

#include <vector>

namespace tw::win32 {

class OptionsDialogView : public CodeDialog, public OptionsView {
public:
    explicit OptionsDialogView(TFormOptions& form) : form_(form) {}

    bool IsChecked(OptionsBox box) override;
    void SetChecked(OptionsBox box, bool checked) override;
    int PickerHotKey() override;
    void SetPickerHotKey(int value) override;
    void CloseDialog(bool ok) override { EndDialogWith(ok ? IDOK : IDCANCEL); }
    void AddPage(OptionsPageView& page) { pages_.push_back(&page); }

    enum ControlId {
        CheckBoxTipOfDay = 101,
        CheckBoxAutoRun,
        CheckBoxShowMacroIns,
        CheckBoxAlwaysOnTop,
        CheckBoxRestoreClipboard,
        HotKeyPicker,
        TabPages = 190,
    };

protected:
    const wchar_t* Caption() const override { return L"Textwright - Options"; }
    SIZE ClientSize96() const override { return {560, 330}; }
    void OnInit() override;
    void OnCommand(int id, int code) override;
    void OnNotify(const NMHDR& header) override;

private:
    static int IdOf(OptionsBox box);
    // Puts the General page's controls, laid out before there were pages, on the first tab.
    void BuildPages();
    void ShowPage(int index);
    TFormOptions& form_;
    std::vector<OptionsPageView*> pages_;
    std::vector<HWND> general_;
    HWND tabs_ = nullptr;
};

} // namespace tw::win32
