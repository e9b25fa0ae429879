// The formatting toolbar's handlers over a recording editor and toolbar: what each control
// writes and where, what the refresh shows, and what it never does.
#include "ui/edit_commands.h"
#include "ui/formatting_toolbar.h"
#include "ui/word_at_caret.h"

#include "ui/editing_fakes.h"
#include "ui/formatting_fakes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tw::fakes {
namespace {

class FormattingToolbarTest : public ::testing::Test {
protected:
    FakeRichEditor editor;
    FakeFormats formats;
    FakeToolbar view;
    RecordingReport report;
    FormattingToolbar toolbar{editor, formats, view, report};

    FormattingToolbarTest() {
        view.onSizeChange = [this](const std::string& t) { toolbar.FontSizeChange(t); };
        view.onNameChange = [this](const std::string& t) { toolbar.FontNameChange(t); };
    }
};

TEST_F(FormattingToolbarTest, RefreshShowsTheSelectionsAttributesAndNeverWrites) {
    struct Case {
        const char* name;
        CharAttributes at;
        ParagraphAlignment alignment;
        ParagraphAlignment shownBefore;
        ParagraphAlignment shown;
    };
    CharAttributes boldArial{true, false, false, 12, "Arial", TextColor::Automatic()};
    CharAttributes italicUnderlined{false, true,          true,
                                    100,   "Courier New", TextColor::Of({255, 0, 0})};
    const Case cases[] = {
        {"bold, centred", boldArial, ParagraphAlignment::Center, ParagraphAlignment::Left,
         ParagraphAlignment::Center},
        {"italic, right", italicUnderlined, ParagraphAlignment::Right, ParagraphAlignment::Center,
         ParagraphAlignment::Right},
        // Justified has no button: the group keeps what it showed.
        {"justified", boldArial, ParagraphAlignment::Other, ParagraphAlignment::Right,
         ParagraphAlignment::Right},
    };
    for (const Case& c : cases) {
        formats.selection = c.at;
        formats.alignment = c.alignment;
        view.down = c.shownBefore;
        toolbar.SelectionChange();
        EXPECT_EQ(view.bold, c.at.bold) << c.name;
        EXPECT_EQ(view.italic, c.at.italic) << c.name;
        EXPECT_EQ(view.underline, c.at.underline) << c.name;
        EXPECT_EQ(view.size, std::to_string(c.at.sizePoints)) << c.name;
        EXPECT_EQ(view.name, c.at.faceName) << c.name;
        EXPECT_EQ(view.down, c.shown) << c.name;
        EXPECT_FALSE(toolbar.UpdatingToolbar()) << c.name;
    }
    // The size and name boxes ran their change handlers: nothing was applied.
    EXPECT_TRUE(formats.writes.empty());
    EXPECT_TRUE(formats.alignmentsSet.empty());
    EXPECT_TRUE(formats.indentsSet.empty());
    EXPECT_EQ(view.checked, -2); // the colour menu is left alone
}

TEST_F(FormattingToolbarTest, EachControlWritesOneAttributeWhereCurrentAttributesPoint) {
    struct Case {
        const char* name;
        int selectionLength;
        std::function<void()> act;
        AttributeScope scope;
        unsigned fields;
        std::function<bool(const CharAttributes&)> wrote;
    };
    const auto ws = AttributeScope::WordAtCaret;
    const auto sel = AttributeScope::Selection;
    const Case cases[] = {
        {"bold at the caret", 0, [&] { toolbar.BoldButClick(true); }, ws, kBoldField,
         [](auto& a) { return a.bold; }},
        {"bold off on a selection", 4, [&] { toolbar.BoldButClick(false); }, sel, kBoldField,
         [](auto& a) { return !a.bold; }},
        {"italic", 1, [&] { toolbar.ItalicButClick(true); }, sel, kItalicField,
         [](auto& a) { return a.italic; }},
        {"underline", 0, [&] { toolbar.UnderlineButClick(true); }, ws, kUnderlineField,
         [](auto& a) { return a.underline; }},
        {"font chosen in the list", 2, [&] { toolbar.FontNameChange("Tahoma"); }, sel, kFaceField,
         [](auto& a) { return a.faceName == "Tahoma"; }},
        {"size typed", 0, [&] { toolbar.FontSizeChange("14"); }, ws, kSizeField,
         [](auto& a) { return a.sizePoints == 14; }},
        {"size with blanks and sign", 3, [&] { toolbar.FontSizeChange(" +7"); }, sel, kSizeField,
         [](auto& a) { return a.sizePoints == 7; }},
        {"red", 0, [&] { toolbar.ColorItemClick(9); }, ws, kColorField,
         [](auto& a) {
             return a.color == TextColor::Of({255, 0, 0});
         }},
        {"automatic", 5, [&] { toolbar.ColorItemClick(16); }, sel, kColorField,
         [](auto& a) { return a.color.automatic; }},
    };
    for (const Case& c : cases) {
        formats.writes.clear();
        editor.selectionLength = c.selectionLength;
        c.act();
        ASSERT_EQ(formats.writes.size(), 1u) << c.name;
        EXPECT_EQ(formats.writes[0].scope, c.scope) << c.name;
        EXPECT_EQ(formats.writes[0].fields, c.fields) << c.name;
        EXPECT_TRUE(c.wrote(formats.writes[0].attributes)) << c.name;
    }
}

TEST_F(FormattingToolbarTest, InputsThatNameNothingChangeNothing) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"typed font name that selects no entry", [&] { toolbar.FontNameChange(std::nullopt); }},
        {"size 0 on the way to 05", [&] { toolbar.FontSizeChange("0"); }},
        {"negative size", [&] { toolbar.FontSizeChange("-3"); }},
        {"size beyond what text can have", [&] { toolbar.FontSizeChange("1639"); }},
        {"colour entry outside the menu", [&] { toolbar.ColorItemClick(17); }},
        {"unknown alignment tag", [&] { toolbar.AlignClick(3); }},
    };
    for (const auto& [name, act] : cases) {
        act();
        EXPECT_TRUE(formats.writes.empty()) << name;
        EXPECT_TRUE(formats.alignmentsSet.empty()) << name;
    }
}

TEST_F(FormattingToolbarTest, SizeThatIsNoWholeNumberIsReportedAndNotApplied) {
    std::vector<std::string> expected;
    for (const std::string text : {"", "abc", "12a", "1 2", "1.5", "+", "99999999999", "12 "}) {
        toolbar.FontSizeChange(text);
        expected.push_back("'" + text + "' is not a valid integer value.");
    }
    EXPECT_EQ(report.shown, expected);
    EXPECT_TRUE(formats.writes.empty());
    EXPECT_EQ(ParseWholeNumber("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseWholeNumber("007"), 7);
}

TEST_F(FormattingToolbarTest, IndentMovesInStepsOfTenPointsNeverLeftOfTheMargin) {
    struct Case {
        int from;
        bool increase;
        int to;
    };
    const Case cases[] = {
        {600, false, 400}, // 30 points to 20
        {0, false, 0},     {100, false, 0}, {-200, false, 0}, {0, true, 200}, {610, true, 810},
    };
    for (const Case& c : cases) {
        formats.indentsSet.clear();
        formats.indent = c.from;
        c.increase ? toolbar.IncIndentButClick() : toolbar.DecIndentButClick();
        EXPECT_EQ(formats.indentsSet, std::vector<int>{c.to}) << c.from << " " << c.increase;
    }
}

TEST_F(FormattingToolbarTest, AlignmentButtonsSetTheirTagsAlignment) {
    for (int tag : {0, 1, 2}) {
        toolbar.AlignClick(tag);
    }
    EXPECT_EQ(formats.alignmentsSet,
              (std::vector<ParagraphAlignment>{ParagraphAlignment::Left, ParagraphAlignment::Right,
                                               ParagraphAlignment::Center}));
}

TEST_F(FormattingToolbarTest, ColourMenuChecksTheEntryOfTheTextsColour) {
    struct Case {
        TextColor color;
        int checked;
        std::string caption;
    };
    const Case cases[] = {
        {TextColor::Automatic(), 16, "Automatic"},
        {TextColor::Of({0, 0, 0}), 0, "Black"}, // explicit black is not automatic
        {TextColor::Of({255, 0, 255}), 13, "Fuchsia"},
        {TextColor::Of({1, 2, 3}), -1, "#010203"},
    };
    for (const Case& c : cases) {
        formats.word.color = c.color;
        toolbar.ColorPopupPopup();
        EXPECT_EQ(view.checked, c.checked) << c.caption;
        EXPECT_EQ(ColorCaption(c.color), c.caption);
    }
}

TEST_F(FormattingToolbarTest, StartUpPreparesTheEditorAndFillsBothLists) {
    toolbar.PrepareEditor();
    view.screenFonts = {"Tahoma", "arial", "Arial", "@MS Gothic", "Courier New", "tahoma"};
    toolbar.FillLists();
    EXPECT_EQ(formats.spaceBefore, 12);
    EXPECT_EQ(view.fonts,
              (std::vector<std::string>{"@MS Gothic", "arial", "Courier New", "Tahoma"}));
    ASSERT_EQ(view.colors.size(), 17u);
    EXPECT_EQ(view.colors.back(), "Automatic");
}

TEST(WordAtCaret, ReachesBothWaysFromTheCaretUpToBlanksAndPunctuation) {
    struct Case {
        std::u16string text;
        std::size_t caret, start, end;
    };
    const Case cases[] = {
        {u"hello world", 2, 0, 5},                // inside
        {u"hello world", 5, 0, 5},                // right after
        {u"hello world", 6, 6, 11},               // right before
        {u"hello world", 11, 6, 11},              // at the end of the text
        {u"a  b", 2, 2, 2},                       // between two blanks: no word
        {u"don't stop", 1, 0, 5},                 // an apostrophe belongs to the word
        {u"(x1_y2), z", 3, 1, 6},                 // brackets and commas do not
        {u"caf\u00e9 \u00bbnoir\u00ab", 1, 0, 4}, // accented letters do, guillemets not
        {u"one\rtwo", 4, 4, 7},                   // a paragraph end
        {u"end", 9, 0, 3},                        // a caret past the text counts as at its end
        {u"", 0, 0, 0},
    };
    for (const Case& c : cases) {
        const WordSpan w = WordAtCaret(c.text, c.caret);
        EXPECT_EQ(w.start, c.start) << c.caret;
        EXPECT_EQ(w.end, c.end) << c.caret;
    }
}

TEST(EditCommands, ShortcutKeysRunTheirCommandsOnTheEditor) {
    struct Case {
        char key;
        bool ctrl, shift, alt;
        const char* ran; // nullptr: the key is no edit command
    };
    const Case cases[] = {
        {'x', true, false, false, "cut"},    {'C', true, false, false, "copy"},
        {'v', true, false, false, "paste"},  {'z', true, false, false, "undo"},
        {'Z', true, true, false, "redo"},    {'a', true, false, false, "select all"},
        {'x', false, false, false, nullptr}, {'x', true, true, false, nullptr},
        {'z', true, false, true, nullptr},   {'y', true, false, false, nullptr},
        {'A', true, true, false, nullptr},   {'n', true, false, false, nullptr},
    };
    for (const Case& c : cases) {
        RecordingEditorCommands editor;
        const auto command = EditCommandOfKey(c.key, c.ctrl, c.shift, c.alt);
        ASSERT_EQ(command.has_value(), c.ran != nullptr) << c.key;
        if (!command) {
            continue;
        }
        EXPECT_TRUE(RunEditCommand(*command, editor));
        EXPECT_EQ(editor.ran, std::vector<std::string>{c.ran});
    }
    RecordingEditorCommands editor;
    EXPECT_FALSE(RunEditCommand(MainCommand::NavDelete, editor));
    EXPECT_TRUE(editor.ran.empty());
}

} // namespace
} // namespace tw::fakes
