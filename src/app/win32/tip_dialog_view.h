#pragma once
// "Tip of the Day": a picture, "Did you know...", a tip, the start-up check box, Next and Close.
#include "app/tips.h"
#include "app/win32/code_dialog.h"

namespace tw::win32 {

class TipDialogView : public CodeDialog, public TipDialogPort {
public:
    // `owner` is the owner's handle, null until that window exists.
    TipDialogView(const HWND& owner, TipPicker& picker) : owner_(owner), picker_(picker) {}
    // The owner is followed by reference: a temporary would be gone by the first use.
    TipDialogView(HWND&&, TipPicker&) = delete;

    bool ShowTipDialog(bool showAtStartup) override;

    enum ControlId { TipText = 201, ShowAtStartup, NextButton };

protected:
    const wchar_t* Caption() const override { return L"Tip of the Day"; }
    SIZE ClientSize96() const override { return {420, 240}; }
    Placement Place() const override { return Placement::OnScreen; }
    void OnInit() override;
    void OnCommand(int id, int code) override;

private:
    void ShowTip();

    const HWND& owner_;
    TipPicker& picker_;
    bool showAtStartup_ = false;
};

} // namespace tw::win32
