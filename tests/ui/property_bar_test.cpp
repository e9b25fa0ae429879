// User stories of the property bar: Name, Macro, the hot-key controls and the index lists.
#include "ui/editing_fakes.h"

namespace tw::fakes {
namespace {

class PropertyBarStory : public EditingStory {
protected:
    // Top-level replies One (1.rep, macro sig, hot key 0A), Two (2.rep, nothing), Three
    // (3.rep, macro addr(Name,City), hot key 1B).
    void SetUp() override {
        Library({{"index.sub", "REPLY_1?One\r\nREPLY_2?Two\r\nREPLY_3?Three\r\n"},
                 {"1.rep", "sig\r\n0A\r\n{\\rtf1 one}\r\n"},
                 {"2.rep", "\r\n\r\n{\\rtf1 two}\r\n"},
                 {"3.rep", "addr(Name,City)\r\n1B\r\n{\\rtf1 three}\r\n"}});
    }
};

TEST_F(PropertyBarStory, MacroFieldLetsOnlyTypableKeysThrough) {
    struct Case {
        char key;
        bool passes;
    };
    const Case cases[] = {
        {'a', true},
        {'Z', true},
        {'0', true},
        {'(', true},
        {')', true},
        {',', true},
        {'"', true},
        {'~', true},
        {'\\', true},
        {'\b', true},
        {' ', false},
        {'\t', false},
        {'\xE9', false},
        {'\x01', false},
        {'\0', false},
        // Ctrl+V, Ctrl+C, Ctrl+X, Ctrl+Z: editing shortcuts, not typed characters.
        {'\x16', true},
        {'\x03', true},
        {'\x18', true},
        {'\x1A', true},
    };
    Select("Two");
    for (const Case& c : cases) {
        EXPECT_EQ(editing.EditMacroKeyPress(c.key), c.passes) << int(c.key);
    }
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Get("2.rep"), "\r\n\r\n{\\rtf1 two}\r\n");
}

TEST_F(PropertyBarStory, TypedMacroWithEnterBecomesTheFilesFirstLine) {
    Select("Two");
    TypeMacro("hi there"); // the space is swallowed
    EXPECT_EQ(bar.macro, "hithere");
    EXPECT_FALSE(Enter()); // Enter never reaches the field
    EXPECT_EQ(Get("2.rep"), "hithere\r\n\r\n{\\rtf1 two}\r\n");
    EXPECT_EQ(macroBox.Item(macroBox.Selected()).text, "hithere");
    EXPECT_FALSE(editing.Flags().ContentModified);
}

TEST_F(PropertyBarStory, EnterInAnEmptyMacroFieldRemovesTheMacro) {
    Select("One");
    bar.SetMacroText("");
    Enter();
    EXPECT_EQ(Get("1.rep"), "\r\n0A\r\n{\\rtf1 one}\r\n");
    EXPECT_EQ(list.FindMacro("sig"), -1);
}

TEST_F(PropertyBarStory, AnotherRepliesMacroInOtherCaseIsRefusedWithAMessage) {
    for (const std::string macro : {"SIG", "addr(x)", "ADDR(Other)"}) {
        boxes.shown.clear();
        Select("Two");
        TypeMacro(macro);
        Enter();
        EXPECT_EQ(boxes.shown,
                  (std::vector<RecordingMessageBoxes::Shown>{{"info", kDuplicateMacroText}}))
            << macro;
        EXPECT_EQ(Get("2.rep"), "\r\n\r\n{\\rtf1 two}\r\n") << macro;
        EXPECT_TRUE(editing.Flags().ContentModified) << macro;
    }
}

TEST_F(PropertyBarStory, AReplyMayChangeTheCaseOrParametersOfItsOwnMacro) {
    Select("Three");
    TypeMacro("ADDR(Name,Town)");
    Enter();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Get("3.rep"), "ADDR(Name,Town)\r\n1B\r\n{\\rtf1 three}\r\n");
}

TEST_F(PropertyBarStory, ChoosingKeysInTheDropDown) {
    Select("One"); // hot key 0A shown
    // Its own combination: nothing happens.
    editing.ComboBoxKeyChange();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(editing.Flags().ContentModified);

    // Another reply's (Three holds Shift+B): refused, nothing written, the choice stays.
    bar.shift = true;
    bar.key = KeyTableIndexOf('B');
    editing.ComboBoxKeyChange();
    EXPECT_EQ(boxes.shown.at(0).text, kDuplicateHotKeyText);
    EXPECT_EQ(Get("1.rep"), "sig\r\n0A\r\n{\\rtf1 one}\r\n");
    EXPECT_EQ(bar.KeyChar(), 'B');

    // A free one is written at once.
    bar.key = KeyTableIndexOf('7');
    editing.ComboBoxKeyChange();
    EXPECT_EQ(Get("1.rep"), "sig\r\n17\r\n{\\rtf1 one}\r\n");
    EXPECT_EQ(hotKeyBox.Item(hotKeyBox.Selected()).text, "<CTRL>+<ALT>+<SHIFT>+7");
}

TEST_F(PropertyBarStory, CheckingHotKeyMovesToTheFirstFreeKeyAndAssignsIt) {
    Select("Two"); // no hot key
    EXPECT_FALSE(bar.hotKey);
    bar.shift = false;
    bar.key = KeyTableIndexOf('A'); // Ctrl+Alt+A belongs to One
    bar.hotKey = true;
    editing.CheckBoxHotKeyMouseUp(true);
    EXPECT_EQ(bar.KeyChar(), 'B');
    EXPECT_EQ(Get("2.rep"), "\r\n0B\r\n{\\rtf1 two}\r\n");

    // Unchecking removes it.
    bar.hotKey = false;
    editing.CheckBoxHotKeyMouseUp(true);
    EXPECT_EQ(Get("2.rep"), "\r\n\r\n{\\rtf1 two}\r\n");
    EXPECT_EQ(list.FindHotKey("0B"), -1);
}

TEST_F(PropertyBarStory, TogglingShiftCountsTheRepliesOwnCombinationAsTaken) {
    Select("One"); // 0A
    bar.shift = true;
    editing.CheckBoxShiftMouseUp(true); // 1A is free: kept
    EXPECT_EQ(Get("1.rep"), "sig\r\n1A\r\n{\\rtf1 one}\r\n");
    bar.key = KeyTableIndexOf('B'); // 1B is Three's
    bar.shift = true;
    editing.CheckBoxShiftMouseUp(true);
    EXPECT_EQ(bar.KeyChar(), 'C'); // 1A is its own now, counted as taken; 1B is Three's
    EXPECT_EQ(Get("1.rep"), "sig\r\n1C\r\n{\\rtf1 one}\r\n");
}

TEST_F(PropertyBarStory, OtherMouseButtonsOnTheBoxesDoNothing) {
    Select("Two");
    bar.hotKey = true;
    editing.CheckBoxHotKeyMouseUp(false);
    editing.CheckBoxShiftMouseUp(false);
    EXPECT_FALSE(editing.Flags().ContentModified);
    EXPECT_EQ(Get("2.rep"), "\r\n\r\n{\\rtf1 two}\r\n");
}

TEST_F(PropertyBarStory, WhenEveryKeyIsTakenTheChoiceStays) {
    // A library in memory where every combination without Shift is taken.
    ReplyTree t2;
    ListModel h2, m2;
    TRepList full(t2, h2, m2);
    for (int i = 0; i < kKeyTableSize; ++i) {
        TRep* rep = full.At(full.AddItem("r" + std::to_string(i), nullptr));
        rep->FileName = std::to_string(i + 1) + ".rep";
        ASSERT_EQ(full.SetHotKey(rep, std::string("0") + KeyTableChar(i)), Assignment::Assigned);
    }
    FakePropertyBar b;
    FakeRichEditor e;
    PendingEdits flags;
    ReplyCommitter committer(full, b, e, flags, boxes);
    FakeNavigationView v;
    NavigationCommands nav(full, {b, e, v, boxes, errors}, flags, committer);
    PropertyBar propertyBar(full, b, boxes, errors, flags, committer, nav);
    b.key = KeyTableIndexOf('Q');
    propertyBar.SelectFreeKey();
    EXPECT_EQ(b.KeyChar(), 'Q');
    b.shift = true; // every Shift combination is free
    propertyBar.SelectFreeKey();
    EXPECT_EQ(b.KeyChar(), 'Q');
    b.key = -1;
    propertyBar.SelectFreeKey();
    EXPECT_EQ(b.KeyChar(), 'A');
}

TEST_F(PropertyBarStory, NameEnterRenamesAndAnEmptyNameIsDropped) {
    Select("Two");
    TypeName("Second");
    EXPECT_FALSE(editing.EditNameKeyPress('\r'));
    EXPECT_EQ(Get("index.sub"), "REPLY_1?One\r\nREPLY_2?Second\r\nREPLY_3?Three\r\n");
    EXPECT_EQ(Node("Second"), tree.Selected());

    TypeName("");
    EXPECT_TRUE(editing.Flags().NameModified);
    editing.EditNameKeyPress('\r');
    EXPECT_FALSE(editing.Flags().NameModified);
    EXPECT_EQ(tree.Selected()->Caption(), "Second");
    EXPECT_EQ(bar.name, ""); // the field shows the empty text until the next load
    EXPECT_TRUE(editing.EditNameKeyPress('x'));
}

TEST_F(PropertyBarStory, ListClicksSelectTheirReplyAfterCommittingTheOldOne) {
    Select("Two");
    editor.Type("{\\rtf1 two edited}");
    const int row = list.MacroIndexOf(Node("Three")->Data());
    editing.ListMacrosClick(row);
    EXPECT_EQ(tree.Selected(), Node("Three"));
    EXPECT_EQ(Get("2.rep"), "\r\n\r\n{\\rtf1 two edited}\r\n");
    EXPECT_EQ(bar.macro, "addr(Name,City)");

    editing.ListHotKeysClick(list.HotKeyIndexOf(Node("One")->Data()));
    EXPECT_EQ(tree.Selected(), Node("One"));
    editing.ListHotKeysClick(-1);
    editing.ListMacrosClick(99);
    EXPECT_EQ(tree.Selected(), Node("One"));
}

} // namespace
} // namespace tw::fakes
