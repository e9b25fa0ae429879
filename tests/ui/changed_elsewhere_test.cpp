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
    struct Case {
        MessageBoxes::Answer answer;
        std::string file;   // 1.rep afterwards
        std::string copy;   // 3.rep afterwards, empty: none
        std::string index;  // index.sub afterwards
        std::string editor; // what the editor shows
        bool stillPending;  // the edit waits for the next commit
    };
    const std::string mine = "m\r\n\r\n{\\rtf1 mine}\r\n";
    const Case cases[] = {
        {MessageBoxes::Answer::Yes, mine, kTheirs,
         "REPLY_1?First\r\nREPLY_2?Second\r\nREPLY_3?First (changed elsewhere)\r\n",
         "{\\rtf1 mine}", false},
        {MessageBoxes::Answer::No, kTheirs, "", "REPLY_1?First\r\nREPLY_2?Second\r\n",
         "{\\rtf1 theirs, on disk}", false},
        {MessageBoxes::Answer::Cancel, kTheirs, "", "REPLY_1?First\r\nREPLY_2?Second\r\n",
         "{\\rtf1 mine}", true},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(temp.Path() / "3.rep");
        SetUp();
        const auto row = static_cast<int>(c.answer);
        boxes.shown.clear();
        Select("First");
        editor.Type("{\\rtf1 mine}");
        temp.Put("1.rep", kTheirs);
        boxes.choices = {c.answer};
        EXPECT_TRUE(editing.CommitCurrentReply().Ok()) << row;
        ASSERT_EQ(boxes.shown.size(), 1u) << row;
        EXPECT_NE(boxes.shown[0].text.find("\"First\" was changed by another program"),
                  std::string::npos)
            << row;
        EXPECT_EQ(Get("1.rep"), c.file) << row;
        EXPECT_EQ(Exists("3.rep") ? Get("3.rep") : "", c.copy) << row;
        EXPECT_EQ(Get("index.sub"), c.index) << row;
        EXPECT_EQ(editor.lines, std::vector<std::string>{c.editor}) << row;
        EXPECT_EQ(editing.Flags().ContentModified, c.stillPending) << row;
        EXPECT_TRUE(errors.reports.empty()) << row;
    }
}

} // namespace
} // namespace tw::fakes
