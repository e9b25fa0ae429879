#include "expansion/apply_replacements.h"
#include "expansion/command_expansion.h"
#include "expansion/local_clock.h"
#include "expansion/placeholders.h"
#include "expansion/rtf_plain_text.h"
#include "rtf_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace tw {
namespace {

class FakeEditor : public ExpansionEditor {
public:
    explicit FakeEditor(std::string source) : source_(std::move(source)) {}
    std::string GetRtfSource() override {
        ++reads;
        return source_;
    }
    void LoadRtfSource(const std::string& source) override {
        source_ = source;
        modified = true; // a load counts as a change until the flag is cleared
        ++loads;
    }
    void ClearContentModified() override { modified = false; }
    const std::string& Source() const { return source_; }
    int reads = 0;
    int loads = 0;
    bool modified = true;

private:
    std::string source_;
};

class FixedClock : public LocalClock {
public:
    LocalDateTime Now() override {
        ++reads;
        return {2026, 1, 5, 0, 7, 0};
    }
    int reads = 0;
};

TEST(ApplyReplacements, ReplacesReloadsAndClearsTheModifiedFlag) {
    FakeEditor editor(testing::RtfDocument("Dear Name"));
    ApplyReplacements(editor, "Name", "Ann");
    EXPECT_EQ(editor.loads, 1);
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(RtfToPlainText(editor.Source()), "Dear Ann\r\n");
}

TEST(ApplyReplacements, AReplyWithoutNamesIsStillReloaded) {
    const std::string doc = testing::RtfDocument("nothing here");
    FakeEditor editor(doc);
    ApplyReplacements(editor, GetPlaceholderNames(), GetPlaceholderValues(FixedClock().Now()));
    EXPECT_EQ(editor.loads, 1);
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(editor.Source(), doc);
}

TEST(ApplyReplacements, DoesNothingForEmptyOrEqualLists) {
    const struct {
        const char* names;
        const char* values;
    } cases[] = {{"", "x"}, {"Name", ""}, {"Name", "NAME"}};
    for (const auto& c : cases) {
        FakeEditor editor(testing::RtfDocument("Name"));
        ApplyReplacements(editor, c.names, c.values);
        EXPECT_EQ(editor.reads, 0);
        EXPECT_EQ(editor.loads, 0);
        EXPECT_TRUE(editor.modified);
    }
}

TEST(ExpandReply, FieldsFirstThenPlaceholdersFromOneClockReading) {
    // The answer for the field holds a placeholder: it is expanded too, since fields go first.
    FakeEditor editor(testing::RtfDocument("Hi Name, at %ShortTime"));
    FixedClock clock;
    ExpandReply(editor, "Name", "Ann (%Day)", clock);
    EXPECT_EQ(clock.reads, 1);
    EXPECT_EQ(RtfToPlainText(editor.Source()), "Hi Ann (Monday), at 0:07\r\n");
    EXPECT_FALSE(editor.modified);
}

TEST(ExpandReply, WithoutValuesTheFieldNamesStay) {
    FakeEditor editor(testing::RtfDocument("Hi Name on %Day"));
    FixedClock clock;
    ExpandReply(editor, "Name", "", clock);
    EXPECT_EQ(RtfToPlainText(editor.Source()), "Hi Name on Monday\r\n");
}

class ScriptedDialog : public FieldValuesDialog {
public:
    std::optional<std::string> Ask(const std::string& fieldList) override {
        asked.push_back(fieldList);
        return answer;
    }
    std::optional<std::string> answer;
    std::vector<std::string> asked;
};

TEST(ExpandForCommandDelivery, AcceptedAnswersGoIntoTheFieldsBeforeThePlaceholders) {
    FakeEditor editor(testing::RtfDocument("Dear Name of Company, %Day"));
    ScriptedDialog dialog;
    dialog.answer = std::string("John\x01"
                                "ACME, Inc.");
    FixedClock clock;
    EXPECT_EQ(ExpandForCommandDelivery(editor, 1, "Name,Company", dialog, clock),
              CommandExpansion::Expanded);
    EXPECT_EQ(dialog.asked, (std::vector<std::string>{"Name,Company"}));
    EXPECT_EQ(RtfToPlainText(editor.Source()), "Dear John of ACME, Inc., Monday\r\n");
}

TEST(ExpandForCommandDelivery, ACancelledDialogLeavesTheEditorUntouched) {
    const std::string doc = testing::RtfDocument("Dear Name, %Day");
    FakeEditor editor(doc);
    ScriptedDialog dialog;
    FixedClock clock;
    EXPECT_EQ(ExpandForCommandDelivery(editor, 1, "Name", dialog, clock),
              CommandExpansion::Cancelled);
    EXPECT_EQ(editor.loads, 0);
    EXPECT_EQ(editor.Source(), doc);
    EXPECT_EQ(clock.reads, 0);
}

TEST(ExpandForCommandDelivery, WithoutTheSettingOrFieldsOnlyThePlaceholdersAreExpanded) {
    const struct {
        int setting;
        const char* fields;
    } cases[] = {{0, "Name"}, {2, "Name"}, {1, ""}};
    for (const auto& c : cases) {
        FakeEditor editor(testing::RtfDocument("Dear Name, %Day"));
        ScriptedDialog dialog;
        dialog.answer = "never used";
        FixedClock clock;
        EXPECT_EQ(ExpandForCommandDelivery(editor, c.setting, c.fields, dialog, clock),
                  CommandExpansion::Expanded);
        EXPECT_TRUE(dialog.asked.empty());
        EXPECT_EQ(RtfToPlainText(editor.Source()), "Dear Name, Monday\r\n");
    }
}

TEST(ExpandForCommandDelivery, AcceptingUntouchedNamesGivesTheNamesAsWrittenInTheMacro) {
    FakeEditor editor(testing::RtfDocument("NAME and COMPANY"));
    ScriptedDialog dialog;
    dialog.answer = std::string("Name\x01"
                                "Company");
    FixedClock clock;
    ExpandForCommandDelivery(editor, 1, "Name,Company", dialog, clock);
    EXPECT_EQ(RtfToPlainText(editor.Source()), "Name and Company\r\n");
}

} // namespace
} // namespace tw
