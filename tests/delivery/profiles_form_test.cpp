// The Delivery page of the options dialog: what a typed profile may be, what picking a window
// fills in, and what OK and Cancel leave in the settings and the running delivery.
#include "delivery/profile_settings.h"
#include "delivery/profiles_form.h"
#include "fakes/fake_registry.h"
#include "fakes/recording_message_boxes.h"
#include "settings/reg_proc.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <deque>

namespace tw::testing {
namespace {

const std::string kProfilesKey = std::string(kSettingsKey) + "\\" + kProfilesSubkey;

TEST(ProfilesPage, ATypedProfileIsCheckedBeforeItJoinsTheList) {
    fakes::FakeRegistry reg;
    fakes::RecordingMessageBoxes boxes;
    ProfilesForm form(reg, boxes, nullptr);
    form.FormShow(); // the defaults, PuTTY first
    const auto fields = [](std::string program, std::string delay = "0", std::string title = "") {
        ProfileFields f;
        f.program = std::move(program);
        f.keyDelayMs = std::move(delay);
        f.titlePattern = std::move(title);
        return f;
    };
    const struct {
        ProfileFields typed;
        int editing;
        const char* result; // "name|program|title|delay", or the start of the message
    } cases[] = {
        {fields(" game.exe "), -1, "game|game.exe||0"},
        {fields("C:\\Games\\Game.EXE", " 25 "), -1, "Game|Game.EXE||25"},
        {fields("game.exe", ""), -1, "game|game.exe||0"},
        {fields(""), -1, "Type the program's file name"},
        {fields("C:\\Games\\"), -1, "Type the program's file name"},
        {fields("*.exe"), -1, "\"*.exe\" cannot be"},
        {fields("game.exe", "-1"), -1, "The delays are whole milliseconds"},
        {fields("game.exe", "10001"), -1, "The delays are whole milliseconds"},
        {fields("game.exe", "1e3"), -1, "The delays are whole milliseconds"},
        {fields("PUTTY.exe"), -1, "The profile \"PuTTY\" is already"},
        {fields("PUTTY.exe"), 0, "PUTTY|PUTTY.exe||0"},
        {fields("putty.exe", "0", "prod-*"), -1, "putty|putty.exe|prod-*|0"},
    };
    for (const auto& c : cases) {
        const auto checked = form.Check(c.typed, c.editing);
        std::string result;
        if (const auto* p = std::get_if<DeliveryProfile>(&checked)) {
            result = p->name + "|" + p->program + "|" + p->titlePattern + "|" +
                     std::to_string(p->keyDelayMs);
            EXPECT_EQ(result, c.result) << c.typed.program;
        } else {
            result = std::get<std::string>(checked);
            EXPECT_EQ(0u, result.find(c.result)) << c.typed.program << ": " << result;
        }
    }
    // A picked window gives its program and a name; what was typed for the rest stays.
    ProfileFields typed = fields("old.exe", "40");
    typed.windowClass = "Typed";
    const ProfileFields picked =
        ProfilesForm::FromWindow({"mstsc.exe", "TscShellContainerClass", "Remote", {}, {}}, typed);
    EXPECT_EQ("mstsc", picked.name);
    EXPECT_EQ("mstsc.exe", picked.program);
    EXPECT_EQ("Typed", picked.windowClass);
    EXPECT_EQ("40", picked.keyDelayMs);
    EXPECT_EQ(typed, ProfilesForm::FromWindow({}, typed)) << "a window of unknown program";
}

// A view that plays the user: each edit dialog answers with the next scripted fields.
class ScriptedProfilesView : public ProfilesView {
public:
    void ShowRows(const std::vector<ProfileRow>& shown, int selected) override {
        rows = shown;
        selectedRow = selected;
    }
    int SelectedRow() override { return selectedRow; }
    std::optional<ProfileFields> EditProfile(const ProfileFields& fields, bool) override {
        opened.push_back(fields);
        if (answers.empty()) {
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<ProfileRow> rows;
    int selectedRow = -1;
    std::deque<std::optional<ProfileFields>> answers;
    std::vector<ProfileFields> opened;
};

class NoOptionsView : public OptionsView {
public:
    bool IsChecked(OptionsBox) override { return false; }
    void SetChecked(OptionsBox, bool) override {}
    void CloseDialog(bool) override {}
    int PickerHotKey() override { return 0; }
    void SetPickerHotKey(int) override {}
};

class NoTopmost : public TopmostPort {
public:
    void MakeMainWindowTopmost() override {}
};

TEST(ProfilesPage, OkWritesTheEditedListAndHandsItOnCancelAndUnchangedListsWriteNothing) {
    fakes::FakeRegistry reg;
    fakes::RecordingMessageBoxes boxes;
    std::vector<std::vector<DeliveryProfile>> handed;
    ProfilesForm page(reg, boxes, [&](const auto& profiles) { handed.push_back(profiles); });
    ScriptedProfilesView view;
    page.AttachView(&view);
    NoOptionsView optionsView;
    NoTopmost topmost;
    TFormOptions options(reg, boxes, topmost, "C:\\tw.exe");
    options.AttachView(&optionsView);
    options.AddPage(page);

    options.FormShow();
    options.ButtonOkClick();
    EXPECT_FALSE(reg.KeyExists(kProfilesKey)) << "the built-in defaults stay built in";
    EXPECT_TRUE(handed.empty());

    // Add: refused once (no program), then the user fixes it; edit the new row's pause; remove
    // the first default; Cancel leaves the settings alone.
    ProfileFields deaf;
    deaf.name = "Deaf";
    deaf.paste = PasteMethod::TypeOut;
    ProfileFields fixed = deaf;
    fixed.program = "nopaste.exe";
    view.answers = {deaf, fixed};
    options.FormShow();
    const std::size_t defaults = view.rows.size();
    page.ButtonAddClick();
    ASSERT_EQ(2u, view.opened.size());
    EXPECT_EQ(deaf, view.opened[1]) << "the dialog opens again with what was typed";
    EXPECT_EQ(1u, boxes.shown.size());
    ASSERT_EQ(defaults + 1, view.rows.size());
    EXPECT_EQ(static_cast<int>(defaults), view.selectedRow);
    EXPECT_EQ((ProfileRow{"nopaste.exe", "any", "any", "Typed out", "none", "on"}),
              view.rows.back());
    fixed.pauseBeforePasteMs = "150";
    view.answers = {fixed};
    page.ButtonEditClick();
    EXPECT_EQ("0 ms, pause 150 ms", view.rows.back()[4]);
    view.selectedRow = 0;
    page.ButtonRemoveClick();
    EXPECT_EQ(defaults, view.rows.size());
    options.ButtonCancelClick();
    EXPECT_FALSE(reg.KeyExists(kProfilesKey));

    // Again, then OK: the list is saved, in its order, and handed to the delivery.
    options.FormShow();
    view.answers = {fixed};
    page.ButtonAddClick();
    view.selectedRow = 0;
    page.ButtonRemoveClick();
    EXPECT_EQ(0, view.selectedRow) << "the next row is selected";
    options.ButtonOkClick();
    const std::vector<DeliveryProfile> saved = LoadDeliveryProfiles(reg, kSettingsKey);
    ASSERT_EQ(1u, handed.size());
    EXPECT_EQ(saved, handed[0]);
    EXPECT_EQ(defaults, saved.size());
    EXPECT_EQ("KiTTY", saved.front().name);
    EXPECT_EQ((DeliveryProfile{"Deaf", "nopaste.exe", "", "", PasteMethod::TypeOut, 0, 150, true}),
              saved.back());

    // Reset brings the defaults back; OK writes them over the edited list.
    options.FormShow();
    page.ButtonResetClick();
    options.ButtonOkClick();
    EXPECT_EQ(DefaultProfiles(), LoadDeliveryProfiles(reg, kSettingsKey));
    EXPECT_EQ(2u, handed.size());
}

} // namespace
} // namespace tw::testing
