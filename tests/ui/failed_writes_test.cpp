// A write the disk refuses, whichever command made it: the user is told once, and the library
// on disk and in the tree is as it was before.
#include "editing_fakes.h"

#include "platform/files.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include <unistd.h>

namespace tw::fakes {
namespace {

namespace fs = std::filesystem;

class FailedWrites : public EditingStory {
public:
    // Tests run as root, so permissions cannot stop a write; a directory standing where the
    // temporary file of an atomic write goes does.
    void Block(const std::string& relative) {
        blocker_ = temp.Path() / (relative + ".~tw" + std::to_string(::getpid()));
        fs::create_directory(blocker_);
    }
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> out;
        for (const auto& entry : fs::recursive_directory_iterator(temp.Path())) {
            if (entry.is_regular_file()) {
                out[fs::relative(entry.path(), temp.Path()).string()] =
                    Get(fs::relative(entry.path(), temp.Path()).string());
            }
        }
        return out;
    }

private:
    fs::path blocker_;
};

TEST_F(FailedWrites, EachRefusedWriteIsShownOnceAndChangesNothing) {
    const struct {
        const char* what;
        const char* blocked;
        std::function<void(FailedWrites&)> run;
    } cases[] = {
        {"save the text", "2.rep",
         [](FailedWrites& s) {
             s.editor.Type("{\\rtf1 changed}");
             s.editing.EditorForceSaveExecute();
         }},
        {"rename in the tree", "index.sub",
         [](FailedWrites& s) { s.editing.NavigationEdited(s.Node("Second"), "Renamed"); }},
        {"rename in the Name field", "index.sub",
         [](FailedWrites& s) {
             s.TypeName("Renamed");
             s.editing.EditNameKeyPress('\r');
         }},
        {"add a reply", "index.sub", [](FailedWrites& s) { s.editing.NavAddReplyExecute(); }},
        {"add a folder", "index.sub", [](FailedWrites& s) { s.editing.NavAddFolderExecute(); }},
        {"delete", "index.sub",
         [](FailedWrites& s) {
             s.boxes.answers.push_back(true);
             s.editing.NavDeleteExecute();
         }},
        {"move by dragging", "index.sub",
         [](FailedWrites& s) { s.editing.NavigationDragDrop(s.Node("First")); }},
        {"move into another folder", "1/index.sub",
         [](FailedWrites& s) { s.editing.NavigationDragDrop(s.Node("Inner")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(temp.Path());
        fs::create_directories(temp.Path());
        Library({{"index.sub", "REPLY_1?First\r\nREPLY_2?Second\r\nFOLDER_1?Folder\r\n"},
                 {"1.rep", "one\r\n\r\n{\\rtf1 one}\r\n"},
                 {"2.rep", "two\r\n0T\r\n{\\rtf1 two}\r\n"},
                 {"1/index.sub", "REPLY_1?Inner\r\n"},
                 {"1/1.rep", "\r\n\r\n"}});
        Select("Second");
        const std::map<std::string, std::string> before = Files();
        const std::vector<std::string> captions = Captions();
        errors.reports.clear();
        boxes.shown.clear();

        Block(c.blocked);
        c.run(*this);

        ASSERT_EQ(errors.reports.size(), 1u);
        std::string blocked = c.blocked;
        std::replace(blocked.begin(), blocked.end(), '/', kPathSep);
        EXPECT_NE(errors.reports[0].find(blocked), std::string::npos) << errors.reports[0];
        EXPECT_TRUE(boxes.Errors().empty());
        EXPECT_EQ(Files(), before);
        EXPECT_EQ(Captions(), captions);
        EXPECT_EQ(tree.Selected(), Node("Second"));
    }
}

} // namespace
} // namespace tw::fakes
