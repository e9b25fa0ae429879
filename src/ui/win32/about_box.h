#pragma once
// "Textwright - About": the product's name, version and purpose; its "Ok" button closes it.
#include "app/win32/code_dialog.h"

namespace tw::win32 {

class AboutBox : public CodeDialog {
public:
    explicit AboutBox(HWND owner) : owner_(owner) {}
    void ShowModal() { RunModal(owner_); }

protected:
    const wchar_t* Caption() const override { return L"Textwright - About"; }
    SIZE ClientSize96() const override { return {380, 166}; }
    void OnInit() override;
    void OnCommand(int id, int code) override;

private:
    HWND owner_;
};

} // namespace tw::win32
