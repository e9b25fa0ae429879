// A reply edited in the window whose file another program changed meanwhile: the user's choice
// decides, and nothing either side wrote is lost unless the user drops it.
#include "ui/editing_fakes.h"

#include <filesystem>

namespace tw::fakes {
namespace {

const std::string kTheirs = "other\r\n\r\n{\\rtf1 theirs, on disk}\r\n";

class ChangedElsewhere : public EditingStory {
protected:
    void SetUp() override {
        Library({{"index.sub", "REPLY_1?First\r\nREPLY_2?Second\r\n"},
                 {"1.rep", "m\r\n\r\n{\\rtf1 old}\r\n"},
                 {"2.rep", "\r\n\r\n"}});
    }
};

TEST_F(ChangedElsewhere, TheUsersChoiceDecidesWhatIsWritten) {
    using A = MessageBoxes::Answer;
    using M = CommitMoment;
    struct Case {
        const char* what;
        std::vector<M> moments; // commits, in order, after the edit and the change on disk
        std::vector<A> choices; // the answers given, in order
        int asked;              // questions shown
        std::string file;       // 1.rep afterwards
        bool copy;              // theirs kept as "First (changed elsewhere)" in 3.rep
        std::string editor;     // what the editor shows
        bool stillPending;      // the edit waits for the next commit
    };
    const std::string mine = "m\r\n\r\n{\\rtf1 mine}\r\n";
    const Case cases[] = {
        {"yes keeps both", {M::Save}, {A::Yes}, 1, mine, true, "{\\rtf1 mine}", false},
        {"no takes theirs",
         {M::Save},
         {A::No},
         1,
         kTheirs,
         false,
         "{\\rtf1 theirs, on disk}",
         false},
        {"cancel writes nothing", {M::Save}, {A::Cancel}, 1, kTheirs, false, "{\\rtf1 mine}", true},
        {"a background commit asks too",
         {M::Background},
         {A::Yes},
         1,
         mine,
         true,
         "{\\rtf1 mine}",
         false},
        {"after cancel, background commits wait",
         {M::Save, M::Background, M::Background},
         {A::Cancel},
         1,
         kTheirs,
         false,
         "{\\rtf1 mine}",
         true},
        {"after cancel, a save asks again",
         {M::Background, M::Background, M::Save},
         {A::Cancel, A::Yes},
         2,
         mine,
         true,
         "{\\rtf1 mine}",
         false},
        {"leaving keeps both unasked", {M::Leave}, {}, 0, mine, true, "{\\rtf1 mine}", false},
        {"leaving after cancel keeps both",
         {M::Save, M::Leave},
         {A::Cancel},
         1,
         mine,
         true,
         "{\\rtf1 mine}",
         false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(temp.Path() / "3.rep");
        SetUp();
        boxes.shown.clear();
        Select("First");
        editor.Type("{\\rtf1 mine}");
        temp.Put("1.rep", kTheirs);
        boxes.choices = {c.choices.begin(), c.choices.end()};
        // The question's own message loop moves the focus: the commits it causes ask nothing.
        boxes.whileAsking = [&] { EXPECT_TRUE(editing.CommitCurrentReply(M::Save).Ok()); };
        for (M moment : c.moments) {
            EXPECT_TRUE(editing.CommitCurrentReply(moment).Ok()) << c.what;
        }
        ASSERT_EQ(boxes.shown.size(), static_cast<std::size_t>(c.asked)) << c.what;
        if (c.asked > 0) {
            EXPECT_NE(boxes.shown[0].text.find("\"First\" was changed by another program"),
                      std::string::npos)
                << c.what;
        }
        EXPECT_EQ(Get("1.rep"), c.file) << c.what;
        EXPECT_EQ(Exists("3.rep") ? Get("3.rep") : "", c.copy ? kTheirs : "") << c.what;
        EXPECT_EQ(Get("index.sub").find("REPLY_3?First (changed elsewhere)") != std::string::npos,
                  c.copy)
            << c.what;
        EXPECT_EQ(editor.lines, std::vector<std::string>{c.editor}) << c.what;
        EXPECT_EQ(editing.Flags().ContentModified, c.stillPending) << c.what;
        EXPECT_TRUE(errors.reports.empty()) << c.what;
    }
}

} // namespace
} // namespace tw::fakes
