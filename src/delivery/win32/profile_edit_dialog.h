#pragma once
// The dialog that edits one delivery profile; to add one it also lists the running programs'
// windows, and picking one fills in its program.
#include "app/win32/code_dialog.h"
#include "delivery/profiles_form.h"

#include <utility>
#include <vector>

namespace tw::win32 {

class ProfileEditDialog : public CodeDialog {
public:
    ProfileEditDialog(ProfileFields fields, bool adding)
        : fields_(std::move(fields)), adding_(adding) {}

    // As the user left them on OK.
    const ProfileFields& Fields() const { return fields_; }

    enum ControlId {
        ComboWindows = 401,
        EditName,
        EditProgram,
        EditClass,
        EditTitle,
        ComboPaste,
        EditKeyDelay,
        EditPause,
        CheckRecognise,
    };

protected:
    const wchar_t* Caption() const override {
        return adding_ ? L"Add a delivery profile" : L"Edit the delivery profile";
    }
    SIZE ClientSize96() const override { return {420, 330}; }
    void OnInit() override;
    void OnCommand(int id, int code) override;

private:
    void ListWindows();
    void Fill();
    ProfileFields Read() const;
    std::wstring Text(int id) const;

    ProfileFields fields_;
    bool adding_;
    std::vector<TargetWindow> windows_;
};

} // namespace tw::win32
