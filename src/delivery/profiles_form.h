#pragma once
// The Delivery page of the options dialog: the profiles as a list the user adds to, edits,
// removes from or resets, kept in a working copy that OK writes to the settings and hands to the
// running delivery. Cancel drops it. The Win32 view owns the list view and the edit dialog.
#include "app/options_dialog.h"
#include "delivery/delivery_profile.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace tw {

class RawRegistry;
class MessageBoxes;

// A profile as the edit dialog shows it: the numbers as the user typed them.
struct ProfileFields {
    std::string name;
    std::string program;
    std::string windowClass;
    std::string titlePattern;
    PasteMethod paste = PasteMethod::CtrlV;
    std::string keyDelayMs = "0";
    std::string pauseBeforePasteMs = "0";
    bool recognise = true;
    bool operator==(const ProfileFields&) const = default;
};

// One line of the list view: program, class, title, paste keys, delays, recognition.
using ProfileRow = std::vector<std::string>;

class ProfilesView {
public:
    virtual ~ProfilesView() = default;
    // Fills the list; `selected` is the row to select, -1 for none.
    virtual void ShowRows(const std::vector<ProfileRow>& rows, int selected) = 0;
    // -1 when no row is selected.
    virtual int SelectedRow() = 0;
    // Runs the edit dialog on the fields; with `adding` it also offers the running windows to
    // pick from. The fields as the user left them on OK, nothing on Cancel.
    virtual std::optional<ProfileFields> EditProfile(const ProfileFields& fields, bool adding) = 0;
};

class ProfilesForm : public OptionsPageForm {
public:
    // `saved` gets the profiles OK wrote, for the running delivery.
    ProfilesForm(RawRegistry& registry, MessageBoxes& boxes,
                 std::function<void(const std::vector<DeliveryProfile>&)> saved)
        : registry_(registry), boxes_(boxes), saved_(std::move(saved)) {}

    void AttachView(ProfilesView* view) { view_ = view; }

    void FormShow() override;
    // Writes only when something changed, so a first start's built-in defaults stay built in.
    void ButtonOkClick() override;
    void ButtonAddClick();
    void ButtonEditClick();
    void ButtonRemoveClick();
    void ButtonResetClick();

    // What picking a running window fills in: its program, and a name from it. The rest stays
    // as typed: a program's other windows share its profile unless the user narrows it.
    static ProfileFields FromWindow(const TargetWindow& window, ProfileFields typed);
    // The profile the fields make, or the message saying what is wrong. `editing` is the row
    // being edited (-1 when adding), which may keep its own program, class and title.
    std::variant<DeliveryProfile, std::string> Check(const ProfileFields& fields,
                                                     int editing) const;

private:
    static ProfileFields FieldsOf(const DeliveryProfile& profile);
    static ProfileRow RowOf(const DeliveryProfile& profile);
    void ShowRows(int selected);
    // Runs the edit dialog until the fields are right or the user cancels.
    std::optional<DeliveryProfile> Edit(ProfileFields fields, int editing);

    RawRegistry& registry_;
    MessageBoxes& boxes_;
    std::function<void(const std::vector<DeliveryProfile>&)> saved_;
    ProfilesView* view_ = nullptr;
    std::vector<DeliveryProfile> loaded_;
    std::vector<DeliveryProfile> working_;
};

} // namespace tw
