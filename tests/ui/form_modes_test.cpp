// The main window's start, mode switch and exit keep each mode's sizes.
#include "app/settings.h"
#include "fakes/form_harness.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

// One run of the program over `home`, created.
struct RunningForm : testing::FormHarness {
    explicit RunningForm(testing::FormHome& home) : FormHarness(home.registry, home.Globals()) {
        form.FormCreate();
    }
};

TEST(FormModes, StartSwitchAndExitKeepEachModesSizes) {
    testing::FormHome home;
    fakes::FakeRegistry& registry = home.registry;
    {
        RunningForm app(home);
        EXPECT_EQ(kCompactModeCaption, app.modesWindow.caption);
        ASSERT_TRUE(app.form.ExecuteCommand(MainCommand::ChangeMode));
        EXPECT_FALSE(app.modesWindow.full);
        EXPECT_TRUE(registry.Read(kSettingsKey, "MainFormSettings"));
        app.modesWindow.SetWindowSize({333, 444});
        app.form.FormDestroy();
    }
    RunningForm again(home);
    EXPECT_EQ(kFullModeCaption, again.modesWindow.caption);
    EXPECT_EQ((Size{333, 444}), again.modesWindow.outer);
    ASSERT_TRUE(again.form.ExecuteCommand(MainCommand::ChangeMode));
    EXPECT_EQ((Size{740, 497}), again.modesWindow.outer);
}

TEST(FormModes, TreeCommandsWorkInFullModeOnly) {
    for (const MainCommand command :
         {MainCommand::NavAddFolder, MainCommand::NavAddReply, MainCommand::NavDelete}) {
        testing::FormHome home;
        fakes::TempDir& temp = home.temp;
        temp.Put("Replies/index.sub", "REPLY_1?Thanks\r\n");
        temp.Put("Replies/1.rep", "\r\n\r\n{\\rtf1 Thanks}\r\n");
        RunningForm app(home);
        TFormTextwright& form = app.form;
        form.NavigationChange(app.library.Tree().FirstNode());
        const std::string before = temp.Get("Replies/index.sub");

        for (const bool full : {false, true}) {
            form.ExecuteCommand(MainCommand::ChangeMode);
            ASSERT_EQ(full, form.FullMode());
            ASSERT_EQ(full, app.modesWindow.full);
            form.ActionMainFormUpdate();
            form.ExecuteCommand(command);
            EXPECT_EQ(full, temp.Get("Replies/index.sub") != before)
                << static_cast<int>(command) << (full ? " in full mode" : " in compact mode");
        }
        form.FormDestroy();
    }
}

// Each splitter's drag, forwarded by the window, resizes its own pane and moves the panes.
TEST(FormModes, EachSplitterDragResizesItsOwnPane) {
    struct Case {
        const char* splitter;
        void (*drag)(TFormTextwright&, int);
        int MainLayoutSizes::*pane;
    };
    const Case cases[] = {
        {"SplitterVert1", [](TFormTextwright& f, int to) { f.SplitterVert1Drag(to); },
         &MainLayoutSizes::chooseByWidth},
        {"SplitterVert2", [](TFormTextwright& f, int to) { f.SplitterVert2Drag(to); },
         &MainLayoutSizes::macrosListWidth},
        {"SplitterHorz", [](TFormTextwright& f, int to) { f.SplitterHorzDrag(to); },
         &MainLayoutSizes::bottomHeight},
    };
    for (const Case& c : cases) {
        testing::FormHome home;
        RunningForm app(home);
        const int wanted = app.form.Panes().*c.pane - 20;
        const int layouts = app.modesWindow.layouts;
        c.drag(app.form, wanted);
        EXPECT_EQ(app.form.Panes().*c.pane, wanted) << c.splitter;
        EXPECT_EQ(app.modesWindow.layouts, layouts + 1) << c.splitter;
        EXPECT_FALSE(app.Logged("error report")) << c.splitter;
        app.form.FormDestroy();
    }
}

} // namespace
} // namespace tw
