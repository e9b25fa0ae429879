// The options dialog against an in-memory registry and a scripted view.
#include "app/options_dialog.h"
#include "settings/reg_proc.h"
#include "app/settings.h"
#include "fakes/fake_registry.h"
#include "fakes/recording_message_boxes.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace tw {
namespace {

class FakeOptionsView : public OptionsView {
public:
    bool IsChecked(OptionsBox box) override { return boxes[box]; }
    void SetChecked(OptionsBox box, bool checked) override { boxes[box] = checked; }
    void CloseDialog(bool ok) override { closed.push_back(ok); }
    int PickerHotKey() override { return hotKey; }
    void SetPickerHotKey(int value) override { hotKey = value; }
    std::map<OptionsBox, bool> boxes;
    int hotKey = -1;
    std::vector<bool> closed;
};

class FakeTopmost : public TopmostPort {
public:
    void MakeMainWindowTopmost() override { ++calls; }
    int calls = 0;
};

const std::string kPath = "C:\\Program Files\\Textwright\\Textwright.exe";

class OptionsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureDefaultSettings(reg);
        reg.CreateKey(kAutorunKey);
        form.AttachView(&view);
    }
    fakes::FakeRegistry reg;
    fakes::RecordingMessageBoxes boxes;
    FakeTopmost topmost;
    FakeOptionsView view;
    TFormOptions form{reg, boxes, topmost, kPath};
};

TEST_F(OptionsDialog, ShowReadsEveryBoxFromTheRegistry) {
    RegWriteInteger(reg, kSettingsKey, kShowTips, 0);
    RegWriteInteger(reg, kSettingsKey, kShowMacroIns, 5);
    RegWriteInteger(reg, kSettingsKey, kAlwaysOnTop, 1);
    RegWriteString(reg, kAutorunKey, kAutorunValue, "anything at all");
    form.FormShow();
    EXPECT_FALSE(view.boxes[OptionsBox::TipOfDay]);
    EXPECT_TRUE(view.boxes[OptionsBox::AutoRun]) << "existence is enough";
    EXPECT_FALSE(view.boxes[OptionsBox::ShowMacroIns]) << "5 behaves like 0";
    EXPECT_TRUE(view.boxes[OptionsBox::AlwaysOnTop]);
}

TEST_F(OptionsDialog, OkWritesAllFourAndClosesWithOk) {
    form.FormShow();
    view.boxes[OptionsBox::TipOfDay] = false;
    view.boxes[OptionsBox::AutoRun] = true;
    view.boxes[OptionsBox::ShowMacroIns] = false;
    view.boxes[OptionsBox::AlwaysOnTop] = true;
    form.ButtonOkClick();
    EXPECT_EQ(0, RegReadInteger(reg, kSettingsKey, kShowTips));
    EXPECT_EQ(0, RegReadInteger(reg, kSettingsKey, kShowMacroIns));
    EXPECT_EQ(1, RegReadInteger(reg, kSettingsKey, kAlwaysOnTop));
    EXPECT_EQ("\"" + kPath + "\" -hidden", RegReadString(reg, kAutorunKey, kAutorunValue));
    EXPECT_EQ(1, topmost.calls) << "checking Always on Top takes effect at once";
    EXPECT_EQ(std::vector<bool>{true}, view.closed);
}

// The clipboard box is off unless the stored value reads exactly 1, and OK stores 1 or 0 as an
// integer whatever was there before.
TEST_F(OptionsDialog, RestoreClipboardBoxShowsTheSettingAndOkStoresTheBox) {
    const struct {
        const char* name;
        std::optional<int> stored; // none: the value does not exist
        bool shown;
        bool ticked;
    } cases[] = {
        {"absent, left off", std::nullopt, false, false},
        {"absent, ticked", std::nullopt, false, true},
        {"off, ticked", 0, false, true},
        {"on, left on", 1, true, true},
        {"on, unticked", 1, true, false},
        {"5 behaves like 0", 5, false, false},
    };
    for (const auto& c : cases) {
        RegRemoveValue(reg, kSettingsKey, kRestoreClipboard);
        if (c.stored) {
            RegWriteInteger(reg, kSettingsKey, kRestoreClipboard, *c.stored);
        }
        view.boxes.clear();
        form.FormShow();
        EXPECT_EQ(c.shown, view.boxes[OptionsBox::RestoreClipboard]) << c.name;
        view.boxes[OptionsBox::RestoreClipboard] = c.ticked;
        form.ButtonOkClick();
        EXPECT_EQ(c.ticked ? 1 : 0, RegReadInteger(reg, kSettingsKey, kRestoreClipboard)) << c.name;
        form.FormShow();
        EXPECT_EQ(c.ticked, view.boxes[OptionsBox::RestoreClipboard]) << c.name;
    }
}

TEST_F(OptionsDialog, TurningAutorunOffDeletesTheValue) {
    RegWriteString(reg, kAutorunKey, kAutorunValue, "x");
    form.FormShow();
    view.boxes[OptionsBox::AutoRun] = false;
    form.ButtonOkClick();
    EXPECT_FALSE(RegValueExists(reg, kAutorunKey, kAutorunValue));
}

TEST_F(OptionsDialog, AutorunWithoutTheRunKeyHasNoEffect) {
    fakes::FakeRegistry bare;
    EnsureDefaultSettings(bare);
    TFormOptions other{bare, boxes, topmost, kPath};
    other.AttachView(&view);
    other.FormShow();
    view.boxes[OptionsBox::AutoRun] = true;
    other.ButtonOkClick();
    EXPECT_FALSE(bare.KeyExists(kAutorunKey));
    EXPECT_EQ(std::vector<bool>{true}, view.closed);
}

TEST_F(OptionsDialog, UncheckingAlwaysOnTopWarnsAndTakesEffectOnlyAtRestart) {
    RegWriteInteger(reg, kSettingsKey, kAlwaysOnTop, 1);
    form.FormShow();
    view.boxes[OptionsBox::AlwaysOnTop] = false;
    form.CheckBoxAlwaysOnTopClick();
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ((fakes::RecordingMessageBoxes::Shown{"warning", kAlwaysOnTopRestartWarning}),
              boxes.shown[0]);
    EXPECT_EQ(1, RegReadInteger(reg, kSettingsKey, kAlwaysOnTop)) << "nothing written yet";
    form.ButtonOkClick();
    EXPECT_EQ(0, RegReadInteger(reg, kSettingsKey, kAlwaysOnTop));
    EXPECT_EQ(0, topmost.calls);
}

TEST_F(OptionsDialog, NoWarningWhenTheStoredValueWasOff) {
    form.FormShow();
    view.boxes[OptionsBox::AlwaysOnTop] = true;
    form.CheckBoxAlwaysOnTopClick();
    view.boxes[OptionsBox::AlwaysOnTop] = false;
    form.CheckBoxAlwaysOnTopClick();
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(OptionsDialog, CancelWritesNothingAndTheNextShowReloads) {
    form.FormShow();
    const int writesBefore = reg.writes;
    view.boxes[OptionsBox::TipOfDay] = false;
    view.boxes[OptionsBox::AutoRun] = true;
    view.boxes[OptionsBox::AlwaysOnTop] = true;
    view.boxes[OptionsBox::RestoreClipboard] = true;
    form.ButtonCancelClick();
    EXPECT_EQ(writesBefore, reg.writes);
    EXPECT_EQ(std::vector<bool>{false}, view.closed);
    form.FormShow();
    EXPECT_TRUE(view.boxes[OptionsBox::TipOfDay]);
    EXPECT_FALSE(view.boxes[OptionsBox::AutoRun]);
    EXPECT_FALSE(view.boxes[OptionsBox::AlwaysOnTop]);
    EXPECT_FALSE(view.boxes[OptionsBox::RestoreClipboard]);
    EXPECT_FALSE(RegValueExists(reg, kSettingsKey, kRestoreClipboard));
}

} // namespace
} // namespace tw
