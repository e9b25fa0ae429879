// The search picker's hot key: which values the setting may hold, what the options dialog
// accepts, and registering it while the program runs.
#include "app/options_dialog.h"
#include "app/picker_hot_key.h"
#include "app/settings.h"
#include "fakes/fake_registry.h"
#include "fakes/recording_message_boxes.h"
#include "settings/reg_proc.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tw {
namespace {

constexpr int kCtrlAlt = kHotKeyCtrl | kHotKeyAlt;

struct Case {
    const char* name;
    std::optional<int> stored; // nothing: the value is absent
    HotKeyCheck check;
    int reads; // what the program uses
};

const Case kCases[] = {
    {"absent", std::nullopt, HotKeyCheck::Off, kDefaultPickerHotKey},
    {"the default", kDefaultPickerHotKey, HotKeyCheck::Valid, kDefaultPickerHotKey},
    {"off", 0, HotKeyCheck::Off, 0},
    {"ctrl+shift+f", kHotKeyCtrl | kHotKeyShift | 'F', HotKeyCheck::Valid,
     kHotKeyCtrl | kHotKeyShift | 'F'},
    {"alt+f12", kHotKeyAlt | 0x7B, HotKeyCheck::Valid, kHotKeyAlt | 0x7B},
    {"ctrl+alt+insert, extended", kCtrlAlt | kHotKeyExtended | 0x2D, HotKeyCheck::Valid,
     kCtrlAlt | kHotKeyExtended | 0x2D},
    {"ctrl+alt+k is a reply's", kCtrlAlt | 'K', HotKeyCheck::TakenByReplies, kDefaultPickerHotKey},
    {"ctrl+alt+shift+7 is a reply's", kCtrlAlt | kHotKeyShift | '7', HotKeyCheck::TakenByReplies,
     kDefaultPickerHotKey},
    {"shift+space types", kHotKeyShift | 0x20, HotKeyCheck::NoCtrlOrAlt, kDefaultPickerHotKey},
    {"a plain key", 'Q', HotKeyCheck::NoCtrlOrAlt, kDefaultPickerHotKey},
    {"ctrl alone", kHotKeyCtrl | 0x11, HotKeyCheck::NotAKey, kDefaultPickerHotKey},
    {"modifiers without a key", kCtrlAlt, HotKeyCheck::NotAKey, kDefaultPickerHotKey},
    {"unknown bits", 0x10000 | kCtrlAlt | 0x20, HotKeyCheck::NotAKey, kDefaultPickerHotKey},
    {"negative", -1, HotKeyCheck::NotAKey, kDefaultPickerHotKey},
};

TEST(PickerHotKey, TheSettingFallsBackToTheDefaultForAValueItCannotHave) {
    for (const Case& c : kCases) {
        fakes::FakeRegistry reg;
        EnsureDefaultSettings(reg);
        if (c.stored) {
            RegWriteInteger(reg, kSettingsKey, kPickerHotKey, *c.stored);
            EXPECT_EQ(c.check, CheckPickerHotKey(*c.stored)) << c.name;
        }
        EXPECT_EQ(c.reads, PickerHotKeySetting(reg)) << c.name;
    }
    EXPECT_EQ("Ctrl+Alt+Space", HotKeyName(kDefaultPickerHotKey));
    EXPECT_EQ("Alt+Shift+F12", HotKeyName(kHotKeyAlt | kHotKeyShift | 0x7B));
}

struct FakeOptions : OptionsView {
    bool IsChecked(OptionsBox) override { return false; }
    void SetChecked(OptionsBox, bool) override {}
    void CloseDialog(bool ok) override { closed.push_back(ok); }
    int PickerHotKey() override { return hotKey; }
    void SetPickerHotKey(int value) override { hotKey = value; }
    int hotKey = -1;
    std::vector<bool> closed;
};

struct NoTopmost : TopmostPort {
    void MakeMainWindowTopmost() override {}
};

TEST(PickerHotKey, OptionsStoreAKeyThePickerCanHaveAndKeepTheDialogOpenOtherwise) {
    for (const Case& c : kCases) {
        if (!c.stored) {
            continue;
        }
        fakes::FakeRegistry reg;
        EnsureDefaultSettings(reg);
        fakes::RecordingMessageBoxes boxes;
        NoTopmost topmost;
        FakeOptions view;
        TFormOptions form(reg, boxes, topmost, "C:\\Textwright.exe");
        form.AttachView(&view);
        form.FormShow();
        EXPECT_EQ(kDefaultPickerHotKey, view.hotKey) << c.name;
        view.hotKey = *c.stored;
        form.ButtonOkClick();
        const bool accepted = c.check == HotKeyCheck::Valid || c.check == HotKeyCheck::Off;
        EXPECT_EQ(accepted ? std::vector<bool>{true} : std::vector<bool>{}, view.closed) << c.name;
        EXPECT_EQ(accepted ? 0u : 1u, boxes.shown.size()) << c.name;
        EXPECT_EQ(accepted ? *c.stored : kDefaultPickerHotKey, PickerHotKeySetting(reg)) << c.name;
    }
}

struct FakeHotKeys : GlobalHotKeyPort {
    std::vector<std::string> calls;
    bool taken = false;
    bool RegisterHotKey(const HotKeyChord& chord) override {
        calls.push_back(std::string("register ") + (chord.ctrl ? "ctrl+" : "") +
                        (chord.alt ? "alt+" : "") + (chord.shift ? "shift+" : "") +
                        std::to_string(chord.key));
        return !taken;
    }
    void UnregisterHotKey() override { calls.push_back("unregister"); }
};

TEST(PickerHotKey, RegisteredFromTheSettingAgainOnChangeAndATakenKeyIsToldOnce) {
    fakes::FakeRegistry reg;
    EnsureDefaultSettings(reg);
    fakes::RecordingMessageBoxes boxes;
    FakeHotKeys keys;
    PickerHotKeyRegistration registration(reg, keys, boxes);

    registration.Apply();
    RegWriteInteger(reg, kSettingsKey, kPickerHotKey, kHotKeyCtrl | kHotKeyShift | 'F');
    registration.Apply();
    RegWriteInteger(reg, kSettingsKey, kPickerHotKey, 0);
    registration.Apply();
    registration.Stop();
    EXPECT_EQ((std::vector<std::string>{"register ctrl+alt+32", "unregister",
                                        "register ctrl+shift+70", "unregister"}),
              keys.calls);
    EXPECT_TRUE(boxes.shown.empty());

    keys.calls.clear();
    keys.taken = true;
    RegWriteInteger(reg, kSettingsKey, kPickerHotKey, kDefaultPickerHotKey);
    registration.Apply();
    registration.Apply();
    registration.Stop();
    EXPECT_EQ((std::vector<std::string>{"register ctrl+alt+32", "register ctrl+alt+32"}),
              keys.calls)
        << "a key never registered is not unregistered";
    ASSERT_EQ(1u, boxes.shown.size()) << "told once, not at every try";
    EXPECT_EQ("warning", boxes.shown[0].kind);
    EXPECT_NE(std::string::npos, boxes.shown[0].text.find("Ctrl+Alt+Space"));
}

} // namespace
} // namespace tw
