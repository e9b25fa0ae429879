#pragma once
// The Delivery page of the options dialog: the profiles in a list view, with Add, Edit, Remove
// and Reset to defaults. Every decision is the form's.
#include "app/win32/options_page_view.h"
#include "delivery/profiles_form.h"

namespace tw::win32 {

class ProfilesPageView : public OptionsPageView, public ProfilesView {
public:
    explicit ProfilesPageView(ProfilesForm& form) : form_(form) { form_.AttachView(this); }

    const wchar_t* Title() const override { return L"Delivery"; }
    void CreateControls(CodeDialog& dialog, const RECT& area96) override;
    void ShowPage(bool shown) override;
    bool OnCommand(int id, int code) override;
    bool OnNotify(const NMHDR& header) override;

    void ShowRows(const std::vector<ProfileRow>& rows, int selected) override;
    int SelectedRow() override;
    std::optional<ProfileFields> EditProfile(const ProfileFields& fields, bool adding) override;

    enum ControlId { ListProfiles = 301, ButtonAdd, ButtonEdit, ButtonRemove, ButtonReset };

private:
    ProfilesForm& form_;
    HWND dialog_ = nullptr;
    HWND list_ = nullptr;
};

} // namespace tw::win32
