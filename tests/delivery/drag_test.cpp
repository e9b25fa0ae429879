// A reply dragged out of the tree: pointer paths reported by the mouse hook, the cursor and
// pointer calls they cause, and what the end of the drag delivers.
#include "delivery/delivery_plan.h"
#include "delivery/reply_drag.h"
#include "delivery_fakes.h"
#include "library/model_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tw::testing {
namespace {

// The main window (1) spans 100..499 x 100..399 with its tree (2) inside; Notepad (7) and its
// edit control (70) lie right of x = 600; window 9 is everywhere else; nothing below y = 1000.
class RecordingDesktop : public PointerPort, public DesktopWindowPort, public DropCursorPort {
public:
    explicit RecordingDesktop(std::vector<std::string>& log) : log_(log) {}
    PointerPoint pointer;

    PointerPoint PointerPosition() override { return pointer; }
    void MovePointer(PointerPoint to) override {
        pointer = to;
        log_.push_back("pointer to " + Text(to));
    }
    void ClickLeftButton(PointerPoint at) override { log_.push_back("click " + Text(at)); }
    WindowHandle MainWindow() override { return 2; } // its top-level window is 1
    WindowBounds MainWindowBounds() override { return {100, 100, 400, 300}; }
    WindowHandle WindowAt(PointerPoint at) override {
        if (at.y >= 1000) {
            return 0;
        }
        if (at.x >= 100 && at.x < 500 && at.y >= 100 && at.y < 400) {
            return PointInMainWindow(MainWindowBounds(), at.x, at.y) ? 2 : 1;
        }
        return at.x >= 600 ? 70 : 9;
    }
    WindowHandle ParentOf(WindowHandle w) override { return w == 2 ? 1 : w == 70 ? 7 : 0; }
    void ShowReplyDropCursorForNoDrop() override { log_.push_back("cursor reply-drop"); }
    void RestoreNoDropCursor() override { log_.push_back("cursor no-drop"); }

private:
    static std::string Text(PointerPoint p) {
        return std::to_string(p.x) + "," + std::to_string(p.y);
    }
    std::vector<std::string>& log_;
};

// One drag from a fresh main window: the recording ports, the drag and a log of both.
struct Session {
    RecordingDelivery fake;
    RecordingDesktop desktop{fake.log};
    ReplyDelivery delivery{fake.Ports(), fake, &desktop};
    ReplyDrag drag{{desktop, desktop, desktop}, fake, delivery};

    explicit Session(const TRepList& list, TreeNode* selected) {
        fake.library = &list;
        fake.selected = selected;
        fake.windows = {7};
        fake.answers = "Ann\x01Lee";
    }

    // Words: "x,y" the pointer moves there and the hook reports it; "~x,y" it moves unreported
    // (MouseHook not running); "start", "end" the tree's drag starts or ends at the pointer.
    std::string Run(const std::string& script) {
        std::istringstream in(script);
        for (std::string word; in >> word;) {
            if (word == "start") {
                drag.NavigationStartDrag();
            } else if (word == "end") {
                drag.NavigationEndDrag(desktop.pointer.x, desktop.pointer.y);
                EXPECT_FALSE(drag.State().DraggingReply) << script;
            } else {
                const bool reported = word[0] != '~';
                int x = 0;
                int y = 0;
                char comma = 0;
                std::istringstream(word.substr(reported ? 0 : 1)) >> x >> comma >> y;
                desktop.pointer = {x, y};
                if (reported) {
                    drag.MouseHookMouseMove(0, x, y);
                }
            }
        }
        std::string log;
        for (const std::string& line : fake.log) {
            log += (log.empty() ? "" : "; ") + line;
        }
        return log;
    }
};

struct Dragging : ModelFixture {
    TRep* hello = Reply("Hello", nullptr, "1", "hello");
    TRep* sig = Reply("Sig", nullptr, "2", "sig(first,last)");
    TRep* box = Folder("Box", nullptr, "1");
    TRep* inner = Reply("Inner", box, "1");
};

TEST_F(Dragging, OnlyTheInnerPartOfTheWindowIsInsideAndAnExitPullsThePointerToItsEdge) {
    const struct {
        int x, y;
        std::string pulledTo; // empty: the point is inside
    } cases[] = {
        {101, 200, "101,200"},   {102, 200, ""},         {498, 200, ""},
        {499, 200, "499,200"},   {300, 101, "300,101"},  {300, 102, ""},
        {300, 398, ""},          {300, 399, "300,399"},  {40, 20, "101,20"},
        {900, 900, "499,900"},   {300, 5000, "300,399"}, {65535, 200, "101,200"},
        {300, 65500, "300,101"},
    };
    for (const auto& c : cases) {
        Session fresh(list, hello->Node);
        fresh.Run("start " + std::to_string(c.x) + "," + std::to_string(c.y));
        const bool inside = c.pulledTo.empty();
        EXPECT_EQ(inside, fresh.drag.State().PointerInMainWindow) << c.x << "," << c.y;
        EXPECT_EQ(!inside, fresh.drag.State().DragOutside) << c.x << "," << c.y;
        const std::vector<std::string> expected =
            inside ? std::vector<std::string>{}
                   : std::vector<std::string>{"cursor reply-drop", "pointer to " + c.pulledTo};
        EXPECT_EQ(expected, fresh.fake.log) << c.x << "," << c.y;
    }
}

TEST_F(Dragging, PointerPathsDecideTheCursorAndWhatTheDropDelivers) {
    const std::string paste = "Keys Ctrlv Vv V^ Ctrl^";
    const std::string dropHello = "commit; click 650,220; copy Hello first last 14:07; sleep 50; " +
                                  paste + "; select (none); select Hello";
    const std::string askSig = "commit; click 650,220; dialog first,last at 650,220";
    const std::string expandSig = "copy Sig Ann Lee 14:07; select (none); select Sig";
    // Setup words: "folder" drags the folder, "sig" the parametric reply with the dialog on,
    // "off" with it off; "cancel" cancels the dialog, "vanish" closes Notepad meanwhile;
    // "terminal" makes window 7 one that pastes with Shift+Insert, "admin" one that runs
    // above us.
    const struct {
        const char* setup;
        std::string script;
        std::string log;
    } cases[] = {
        {"leave, re-enter, leave again",
         "start 300,200 700,200 720,210 300,200 50,200 40,200 650,220 end 660,220 670,220",
         "cursor reply-drop; pointer to 499,200; cursor no-drop; cursor reply-drop; "
         "pointer to 101,200; " +
             dropHello + "; cursor no-drop"},
        {"moves without a drag", "700,200 300,200 650,220", ""},
        {"back inside before the end", "start 700,200 300,250 end",
         "cursor reply-drop; pointer to 499,200; cursor no-drop"},
        {"folder", "start 700,200 650,220 end 660,220", "pointer to 499,200; cursor no-drop"},
        {"on the ring", "start 700,200 499,250 end", "cursor reply-drop; pointer to 499,200"},
        {"unhooked onto Notepad", "start ~650,220 end", dropHello},
        {"unhooked onto the own window", "start ~300,200 end", ""},
        {"unhooked onto the ring", "start ~100,250 end", ""},
        {"unhooked onto nothing", "start ~300,1200 end", ""},
        {"unhooked onto the desktop", "start ~50,50 end",
         "commit; click 50,50; copy Hello first last 14:07; sleep 50; " + paste +
             "; select (none); select Hello"},
        {"sig", "start ~650,220 end", askSig + "; " + expandSig + "; foreground 7; " + paste},
        {"sig cancel", "start ~650,220 end", askSig},
        {"sig vanish", "start ~650,220 end", askSig + "; " + expandSig},
        {"terminal", "start ~650,220 end",
         "commit; click 650,220; copy Hello first last 14:07; sleep 50; "
         "Keys Shiftv Insv Ins^ Shift^; select (none); select Hello"},
        {"admin", "start ~650,220 end",
         "commit; sleep 50; select (none); select Hello; "
         "tell su.exe offering {\\rtf1 Hello first last 14:07}"},
        {"sig off", "start ~650,220 end",
         "commit; click 650,220; copy Sig first last 14:07; sleep 50; " + paste +
             "; select (none); select Sig"},
    };
    for (const auto& c : cases) {
        Session fresh(list, hello->Node);
        const std::string setup = c.setup;
        const auto has = [&](const char* word) { return setup.find(word) != std::string::npos; };
        if (has("folder")) {
            fresh.fake.selected = box->Node;
        }
        if (has("sig")) {
            fresh.fake.selected = sig->Node;
            fresh.fake.showMacroIns = has("off") ? 0 : 1;
        }
        if (has("cancel")) {
            fresh.fake.answers.reset();
        }
        fresh.delivery.SetProfiles({{"t", "term.exe", "", "", PasteMethod::ShiftInsert}});
        if (has("terminal")) {
            fresh.fake.described[7] = {"term.exe", "", "", {}, {}};
        }
        if (has("admin")) {
            fresh.fake.described[7] = {"su.exe", "", "", {0x3000}, {0x2000}};
        }
        fresh.fake.duringDialog = [&] {
            if (has("vanish")) {
                fresh.fake.windows.clear();
            }
        };
        EXPECT_EQ(c.log, fresh.Run(c.script)) << c.setup;
    }
}

TEST_F(Dragging, AClickWithoutAPointerEndsTheDeliveryBeforeThePaste) {
    Session s(list, hello->Node);
    StepExecutor(s.fake.Ports(), s.fake).Run({step::Click{5, 5}, step::Keys{CtrlVEvents()}});
    StepExecutor(s.fake.Ports(), s.fake, &s.desktop).Run({step::Click{5, 5}});
    EXPECT_EQ(std::vector<std::string>{"click 5,5"}, s.fake.log);
}

} // namespace
} // namespace tw::testing
