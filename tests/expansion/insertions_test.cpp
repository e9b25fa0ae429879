#include "expansion/field_lists.h"
#include "expansion/insertions_dialog.h"
#include "expansion/insertions_settings.h"
#include "expansion/macro_inserts_form.h"
#include "expansion/predefined_insertions.h"
#include "fake_macro_inserts_view.h"
#include "fakes/fake_registry.h"
#include "fakes/recording_insertions_menu.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using testing::FakeMacroInsertsView;

class InsertionsForm : public ::testing::Test {
protected:
    InsertionsForm() { view.form = &form; }

    void StoreSize(std::vector<std::uint8_t> bytes, RegType type = RegType::Binary) {
        registry.CreateKey(kSettingsKey);
        registry.Write(kSettingsKey, kMacroInsFormSettingsValue, RegValue{type, bytes});
    }

    std::optional<DialogSize> StoredSize() { return ReadInsertionsSize(registry); }

    fakes::FakeRegistry registry;
    FakeMacroInsertsView view;
    TFormMacroInserts form{view, registry};
};

TEST(FieldLists, TakeTheTextBetweenTheFirstParentheses) {
    const struct {
        const char* macro;
        const char* fields;
    } cases[] = {{"sig(Name,Company)", "Name,Company"},
                 {"sig", ""},
                 {"sig(Name", ""},
                 {"sig)Name(", ""},
                 {"sig()", ""},
                 {"a(x)(y)", "x"},
                 {"a( Name , b )", " Name , b "},
                 {"a(x,,y)", "x,,y"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FieldListOfMacro(c.macro), c.fields) << c.macro;
    }
    EXPECT_EQ(FieldListOfCurrentReply(std::nullopt), "");
    EXPECT_EQ(FieldListOfCurrentReply(std::string("addr(Name,City)")), "Name,City");
}

TEST(FieldLists, TheDialogIsAskedForOnlyWhenTheSettingIsOneAndThereAreFields) {
    EXPECT_TRUE(ShouldAskForFieldValues(1, "Name"));
    EXPECT_FALSE(ShouldAskForFieldValues(0, "Name"));
    EXPECT_FALSE(ShouldAskForFieldValues(2, "Name"));
    EXPECT_FALSE(ShouldAskForFieldValues(1, ""));
}

TEST(InsertionsSizeRecord, IsHeightThenWidthAsSigned16BitLittleEndian) {
    const auto bytes = EncodeInsertionsSize(DialogSize{392, 0x1234});
    EXPECT_EQ((std::vector<std::uint8_t>(bytes.begin(), bytes.end())),
              (std::vector<std::uint8_t>{0x34, 0x12, 0x88, 0x01}));
    const auto decoded = DecodeInsertionsSize(RegValue{RegType::Binary, {0xfe, 0xff, 0x00, 0x80}});
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->height, -2);
    EXPECT_EQ(decoded->width, -32768);
    // Only the low 16 bits are kept.
    const auto wide = EncodeInsertionsSize(DialogSize{70000, 5});
    EXPECT_EQ(DecodeInsertionsSize(RegValue{RegType::Binary, {wide.begin(), wide.end()}}),
              (DialogSize{70000 - 65536, 5}));
}

TEST(InsertionsSizeRecord, AnythingButFourBinaryBytesIsIgnored) {
    EXPECT_FALSE(DecodeInsertionsSize(RegValue{RegType::Binary, {1, 2, 3}}));
    EXPECT_FALSE(DecodeInsertionsSize(RegValue{RegType::Binary, {1, 2, 3, 4, 5}}));
    EXPECT_FALSE(DecodeInsertionsSize(RegValue{RegType::Binary, {}}));
    EXPECT_FALSE(DecodeInsertionsSize(RegValue{RegType::Integer, {1, 2, 3, 4}}));
    EXPECT_FALSE(DecodeInsertionsSize(RegValue{RegType::String, {'a', 'b', 'c', 'd'}}));
}

TEST_F(InsertionsForm, PrepareFieldsMakesOneBoxPerNameHoldingTheName) {
    form.PrepareFields("Name,Company");
    ASSERT_EQ(form.Rows().size(), 2u);
    EXPECT_EQ(form.Rows()[0].first, "Name");
    const auto ids = view.BoxIds();
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(view.boxes[ids[0]].text, "Name");
    EXPECT_EQ(view.boxes[ids[1]].text, "Company");
    EXPECT_EQ(view.boxes[ids[0]].left, 5);
    EXPECT_EQ(view.boxes[ids[0]].top, 5);
    EXPECT_EQ(view.boxes[ids[1]].top, 5 + 21 + 10);
    EXPECT_EQ(view.boxes[ids[0]].width, view.ScrollPanelClientWidth() - 10);
    EXPECT_EQ(view.maxSize, view.screen);
    // Accepting untouched answers gives the names back as a values list.
    EXPECT_EQ(form.GetAnswers(), std::string("Name\x01"
                                             "Company"));
}

TEST_F(InsertionsForm, NamesAreTakenExactlyAsWritten) {
    form.PrepareFields(" Name,,x ");
    ASSERT_EQ(form.Rows().size(), 3u);
    EXPECT_EQ(form.Rows()[0].first, " Name");
    EXPECT_EQ(form.Rows()[1].first, "");
    EXPECT_EQ(form.Rows()[2].first, "x ");
}

TEST_F(InsertionsForm, EditedAnswersComeBackInRowOrderAndMayHoldCommas) {
    form.PrepareFields("Name,Company,City");
    const auto ids = view.BoxIds();
    view.boxes[ids[0]].text = "John";
    view.boxes[ids[1]].text = "ACME, Inc.";
    view.boxes[ids[2]].text = "";
    EXPECT_EQ(form.GetAnswers(), std::string("John\x01"
                                             "ACME, Inc.\x01"));
}

TEST_F(InsertionsForm, PreparingAgainReplacesTheRows) {
    form.PrepareFields("a,b,c");
    form.PrepareFields("x");
    EXPECT_EQ(form.Rows().size(), 1u);
    EXPECT_EQ(view.boxes.size(), 1u);
    form.FormDestroy();
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(form.GetAnswers(), "");
}

TEST_F(InsertionsForm, RestoresTheStoredSizeAndSavesItAgain) {
    StoreSize({200, 0, 0x2c, 0x01}); // height 200, width 300
    form.PrepareFields("Name");
    EXPECT_EQ(view.size, (DialogSize{300, 200}));
    EXPECT_EQ(StoredSize(), (DialogSize{300, 200}));
    // The button sits centred left of the check box.
    EXPECT_EQ(view.buttonOkLeft, (300 - 16 - 97 - 5) / 2 - 75 / 2);
}

TEST_F(InsertionsForm, WithoutAStoredSizeTheLayoutSizeStays) {
    form.PrepareFields("Name");
    EXPECT_EQ(view.size, (DialogSize{408, 171}));
    EXPECT_FALSE(StoredSize());
}

TEST_F(InsertionsForm, AStoredRecordOfTheWrongLengthIsIgnored) {
    StoreSize({200, 0, 0x2c, 0x01, 0x00});
    form.PrepareFields("Name");
    EXPECT_EQ(view.size, (DialogSize{408, 171}));
}

TEST_F(InsertionsForm, AStoredSizeIsKeptWithinTheMinimumAndTheScreen) {
    StoreSize({0xfb, 0xff, 10, 0}); // height -5, width 10
    form.PrepareFields("Name");
    EXPECT_EQ(view.size, kMacroInsertsMinSize);
    StoreSize({0x00, 0x7f, 0x00, 0x7f}); // both 32512
    form.PrepareFields("Name");
    EXPECT_EQ(view.size, view.screen);
}

TEST_F(InsertionsForm, ManyFieldsKeepTheDialogSizeAndStackTheBoxes) {
    std::string names;
    for (int i = 0; i < 40; ++i) {
        names += (i ? "," : "") + std::string("F") + std::to_string(i);
    }
    form.PrepareFields(names);
    EXPECT_EQ(view.size, (DialogSize{408, 171}));
    const auto ids = view.BoxIds();
    ASSERT_EQ(ids.size(), 40u);
    EXPECT_EQ(view.boxes[ids[39]].top, 5 + 39 * 31);
}

TEST_F(InsertionsForm, ResizeCentresTheButtonAndSavesTheSize) {
    view.SetFormSize(DialogSize{500, 250});
    EXPECT_EQ(view.buttonOkLeft, (500 - 16 - 97 - 5) / 2 - 37);
    EXPECT_EQ(StoredSize(), (DialogSize{500, 250}));
}

TEST_F(InsertionsForm, EnterIsOkEscapeIsCancelBothConsumed) {
    EXPECT_EQ(form.FormKeyPress('\r').close, DialogClose::Ok);
    EXPECT_TRUE(form.FormKeyPress('\r').consumed);
    EXPECT_EQ(form.FormKeyPress('\x1b').close, DialogClose::Cancel);
    EXPECT_TRUE(form.FormKeyPress('\x1b').consumed);
    EXPECT_EQ(form.FormKeyPress('a').close, DialogClose::None);
    EXPECT_FALSE(form.FormKeyPress('a').consumed);
}

TEST_F(InsertionsForm, ShowTheDialogCheckBoxFollowsAndWritesTheSetting) {
    registry.CreateKey(kSettingsKey);
    const struct {
        const char* what;
        std::optional<RegValue> stored;
        bool shown;
        bool onAfterClick; // the click toggles the box
        RegType typeAfterClick;
    } cases[] = {
        {"dword 1", RegValue{RegType::Integer, {1, 0, 0, 0}}, true, false, RegType::Integer},
        {"dword 5", RegValue{RegType::Integer, {5, 0, 0, 0}}, false, true, RegType::Integer},
        {"4-byte binary 1", RegValue{RegType::Binary, {1, 0, 0, 0}}, true, false, RegType::Binary},
        {"a string is left alone", RegValue{RegType::String, {'1'}}, false, false, RegType::String},
        {"absent", std::nullopt, false, true, RegType::Integer},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        registry.Remove(kSettingsKey, kShowMacroIns);
        if (c.stored) {
            registry.Write(kSettingsKey, kShowMacroIns, *c.stored);
        }
        view.checkShow = !c.shown;
        form.FormShow();
        EXPECT_EQ(view.checkShow, c.shown);
        view.checkShow = !c.shown;
        form.CheckShowClick();
        EXPECT_EQ(SettingIsOn(registry, kShowMacroIns), c.onAfterClick);
        EXPECT_EQ(registry.Read(kSettingsKey, kShowMacroIns)->type, c.typeAfterClick);
    }
}

TEST_F(InsertionsForm, TheCheckBoxNeverCreatesTheSettingsKey) {
    view.checkShow = true;
    form.CheckShowClick();
    EXPECT_FALSE(registry.KeyExists(kSettingsKey));
}

TEST_F(InsertionsForm, FirstClickIntoABoxReachedFromAnotherSelectsItAll) {
    form.PrepareFields("Name,Company");
    const auto ids = view.BoxIds();
    // Right after creation the flag is set: the first box already had its text selected.
    form.ValueBoxMouseUp(ids[0]);
    EXPECT_FALSE(view.boxes[ids[0]].selectedAll);
    form.ValueBoxExit(ids[0]);
    form.ValueBoxMouseUp(ids[1]);
    EXPECT_TRUE(view.boxes[ids[1]].selectedAll);
    EXPECT_TRUE(form.SelectOnClickDone());
    // A later click in the same box places the caret normally.
    view.boxes[ids[1]].selectedAll = false;
    view.boxes[ids[1]].hasSelection = false;
    form.ValueBoxMouseUp(ids[1]);
    EXPECT_FALSE(view.boxes[ids[1]].selectedAll);
    // A box that already has a selection keeps it.
    form.ValueBoxExit(ids[1]);
    view.boxes[ids[0]].hasSelection = true;
    form.ValueBoxMouseUp(ids[0]);
    EXPECT_FALSE(view.boxes[ids[0]].selectedAll);
}

TEST(InsertionsPlacement, CentresOnTheButtonOrTheDropPointAndStaysOnScreen) {
    const DialogSize dialog{408, 171};
    const DialogSize screen{1024, 768};
    const ButtonAnchor button{400, 50, 400, 30, 8, 75, 25};
    const struct {
        const char* what;
        InsertionsAnchor anchor;
        ScreenPoint expected;
    } cases[] = {
        {"button", button, {400 + 30 + 37 - 204, 50 + 400 + 8 + 12 - 85}},
        {"drop point", DropPointAnchor{500, 300}, {500 - 204, 300 - 85}},
        {"odd halves truncate", DropPointAnchor{501, 301}, {501 - 204, 301 - 85}},
        {"off the left and top", DropPointAnchor{10, 10}, {0, 0}},
        {"off the right and bottom", DropPointAnchor{1020, 760}, {1024 - 408, 768 - 171}},
        {"right edge exactly", DropPointAnchor{1024 - 204, 300}, {1024 - 408, 215}},
        {"button near the right edge",
         ButtonAnchor{900, 600, 100, 60, 8, 75, 25},
         {1024 - 408, 768 - 171}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PlaceInsertionsDialog(c.anchor, dialog, screen), c.expected);
    }
}

TEST(InsertionsPlacement, PointerGoesToTheTopCentre) {
    EXPECT_EQ(TFormMacroInserts::PointerTarget({100, 200}, {409, 171}), (ScreenPoint{304, 220}));
}

class RecordingHost : public InsertionsDialogHost {
public:
    void BringMainWindowToFront() override { steps.push_back("front"); }
    void Wait(int ms) override { steps.push_back("wait " + std::to_string(ms)); }
    DialogSize DialogOuterSize() override { return {408, 171}; }
    DialogSize ScreenSize() override { return {1024, 768}; }
    void MoveDialog(ScreenPoint p) override {
        steps.push_back("move " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    bool RunModal() override {
        steps.push_back("modal");
        return result;
    }
    std::vector<std::string> steps;
    bool result = true;
};

TEST_F(InsertionsForm, ShowInsertionsDialogRaisesTheWindowOnlyForADrop) {
    RecordingHost host;
    EXPECT_TRUE(ShowInsertionsDialog(host, form, "A,B", DropPointAnchor{500, 300}));
    EXPECT_EQ(host.steps, (std::vector<std::string>{"front", "wait 50", "move 296,215", "modal"}));
    EXPECT_EQ(form.Rows().size(), 2u);

    host.steps.clear();
    host.result = false;
    EXPECT_FALSE(ShowInsertionsDialog(host, form, "A", ButtonAnchor{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(host.steps, (std::vector<std::string>{"move 0,0", "modal"}));
}

TEST(PredefinedInsertions, ElevenItemsAndThreeSeparatorsNeverOneAtTheEnd) {
    fakes::RecordingMenu menu;
    menu.items.push_back({"stale", 99});
    BuildPredefinedInsertionsMenu(menu);
    BuildPredefinedInsertionsMenu(menu);
    ASSERT_EQ(menu.items.size(), 14u);
    const std::vector<int> tags = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11};
    for (std::size_t i = 0; i < tags.size(); ++i) {
        EXPECT_EQ(menu.items[i].tag, tags[i]);
        EXPECT_EQ(menu.items[i].separator, tags[i] == 0);
        EXPECT_EQ(menu.items[i].enabled, tags[i] != 0);
    }
    EXPECT_EQ(menu.items[0].caption, "%Date - Today (date in full)");
    EXPECT_EQ(menu.items[3].caption, "-");
    EXPECT_EQ(menu.items[6].caption, "%YDay - Yesterday (day of the week)");
    EXPECT_EQ(menu.items[13].caption, "%ShortTime - Current Time (short)");
}

} // namespace
} // namespace tw
