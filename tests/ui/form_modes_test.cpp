// The main window's start, mode switch and exit keep each mode's sizes.
#include "app/settings.h"
#include "fakes/fake_registry.h"
#include "fakes/temp_dir.h"
#include "ui/editing_fakes.h"
#include "ui/fake_modes_window.h"
#include "ui/form_fakes.h"
#include "ui/textwright_form.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct RunningForm : testing::MainFormFakes {
    RunningForm(RawRegistry& registry, const StartupGlobals& globals)
        : form(globals, Ports(registry)) {
        form.AttachEditingViews({bar, editor, view, states});
        form.AttachModesView(modesWindow);
        modesWindow.modes = form.Modes();
        form.FormCreate();
    }
    fakes::FakePropertyBar bar;
    fakes::FakeRichEditor editor;
    fakes::FakeNavigationView view;
    fakes::RecordingCommandStates states;
    testing::FakeModesWindow modesWindow;
    TFormTextwright form;
};

TEST(FormModes, StartSwitchAndExitKeepEachModesSizes) {
    fakes::TempDir temp;
    fakes::FakeRegistry registry;
    const StartupGlobals globals = MakeStartupGlobals((temp.Path() / "Textwright.exe").string());
    {
        RunningForm app(registry, globals);
        EXPECT_EQ(kCompactModeCaption, app.modesWindow.caption);
        ASSERT_TRUE(app.form.ExecuteCommand(MainCommand::ChangeMode));
        EXPECT_FALSE(app.modesWindow.full);
        EXPECT_TRUE(registry.Read(kSettingsKey, "MainFormSettings"));
        app.modesWindow.SetWindowSize({333, 444});
        app.form.FormDestroy();
    }
    RunningForm again(registry, globals);
    EXPECT_EQ(kFullModeCaption, again.modesWindow.caption);
    EXPECT_EQ((Size{333, 444}), again.modesWindow.outer);
    ASSERT_TRUE(again.form.ExecuteCommand(MainCommand::ChangeMode));
    EXPECT_EQ((Size{740, 497}), again.modesWindow.outer);
}

TEST(FormModes, TreeCommandsWorkInFullModeOnly) {
    for (const MainCommand command :
         {MainCommand::NavAddFolder, MainCommand::NavAddReply, MainCommand::NavDelete}) {
        fakes::TempDir temp;
        temp.Put("Replies/index.sub", "REPLY_1?Thanks\r\n");
        temp.Put("Replies/1.rep", "\r\n\r\n{\\rtf1 Thanks}\r\n");
        fakes::FakeRegistry registry;
        RunningForm app(registry, MakeStartupGlobals((temp.Path() / "Textwright.exe").string()));
        TFormTextwright& form = app.form;
        form.NavigationChange(form.Library().Tree().FirstNode());
        const std::string before = temp.Get("Replies/index.sub");

        for (const bool full : {false, true}) {
            form.ExecuteCommand(MainCommand::ChangeMode);
            ASSERT_EQ(full, form.Modes()->FullMode());
            form.ActionMainFormUpdate();
            form.ExecuteCommand(command);
            EXPECT_EQ(full, temp.Get("Replies/index.sub") != before)
                << static_cast<int>(command) << (full ? " in full mode" : " in compact mode");
        }
        form.FormDestroy();
    }
}

} // namespace
} // namespace tw
