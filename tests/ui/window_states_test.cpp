// Shown, Hidden and Ending through the handlers; the tip of the day; the menu commands.
#include "settings/reg_proc.h"
#include "app/settings.h"
#include "fakes/form_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace tw {
namespace {

using testing::Log;

struct Registry {
    fakes::FakeRegistry registry;
};

class Handlers : public ::testing::Test, protected Registry, protected testing::FormHarness {
protected:
    Handlers()
        : FormHarness(registry, MakeStartupGlobals("C:\\Tools\\Textwright\\Textwright.exe")) {}
    void SetUp() override { EnsureDefaultSettings(registry); }
};

// One step of the state table: the handler, then where the window, the tray and the state are.
struct Step {
    const char* what;
    void (*act)(TFormTextwright&);
    WindowState state;
    bool windowVisible;
    bool trayVisible;
};

TEST_F(Handlers, StateTableOfWindowAndTrayIcon) {
    const Step steps[] = {
        {"close hides to the tray", [](TFormTextwright& f) { EXPECT_FALSE(f.FormClose()); },
         WindowState::Hidden, false, true},
        {"right click only opens the menu",
         [](TFormTextwright& f) { f.TrayIconClick(MouseButton::Right); }, WindowState::Hidden,
         false, true},
        {"left click shows", [](TFormTextwright& f) { f.TrayIconClick(MouseButton::Left); },
         WindowState::Shown, true, false},
        {"close again", [](TFormTextwright& f) { f.FormClose(); }, WindowState::Hidden, false,
         true},
        {"Show in the tray menu", [](TFormTextwright& f) { f.TrayShowClick(); }, WindowState::Shown,
         true, false},
        {"Exit ends", [](TFormTextwright& f) { f.MIExitClick(); }, WindowState::Ending, true,
         false},
        {"a close while ending changes nothing", [](TFormTextwright& f) { f.FormClose(); },
         WindowState::Ending, true, false},
        {"nor does the tray", [](TFormTextwright& f) { f.TrayShowClick(); }, WindowState::Ending,
         true, false},
    };
    EXPECT_EQ(WindowState::Shown, form.State());
    for (const auto& s : steps) {
        s.act(form);
        EXPECT_EQ(s.state, form.State()) << s.what;
        EXPECT_EQ(s.windowVisible, window.visible) << s.what;
        EXPECT_EQ(s.trayVisible, tray.visible) << s.what;
    }
    EXPECT_EQ(1u, Count("terminate")) << "the application is told to end once";
}

TEST_F(Handlers, HiddenStartThenTrayClickRestoresTheApplication) {
    form.FormClose(); // what a start with "-hidden" does
    log.clear();
    form.TrayIconClick(MouseButton::Left);
    EXPECT_EQ((Log{"window show", "window restore", "tray hide"}), log);
}

TEST_F(Handlers, TrayExitEndsFromTheHiddenState) {
    form.FormClose();
    form.TrayExitClick();
    EXPECT_EQ(WindowState::Ending, form.State());
    EXPECT_EQ(1u, Count("terminate"));
    EXPECT_FALSE(window.visible) << "the window is destroyed, not shown first";
}

TEST_F(Handlers, TipTimerFiresOnceEnablesDeliveryAndShowsTheTip) {
    tipDialog.boxAtClose = true;
    form.TipTimerTimer();
    EXPECT_FALSE(timer.enabled);
    EXPECT_TRUE(form.Delivery().DeliveryEnabled);
    EXPECT_EQ(Log{"tip dialog checked"}, log);
    EXPECT_EQ(1, RegReadInteger(registry, kSettingsKey, kShowTips));
}

TEST_F(Handlers, UncheckingTheTipBoxTurnsTipsOff) {
    tipDialog.boxAtClose = false;
    form.TipTimerTimer();
    EXPECT_EQ(0, RegReadInteger(registry, kSettingsKey, kShowTips));
    log.clear();
    form.ExecuteCommand(MainCommand::TipOfTheDay);
    EXPECT_EQ(Log{"tip dialog unchecked"}, log) << "the menu shows it with the stored state";
}

TEST_F(Handlers, NoTipWhenShowTipsIsNotOneButDeliveryStillStarts) {
    for (int stored : {0, 5}) {
        RegWriteInteger(registry, kSettingsKey, kShowTips, stored);
        form.Delivery().DeliveryEnabled = false;
        form.TipTimerTimer();
        EXPECT_TRUE(form.Delivery().DeliveryEnabled);
        EXPECT_EQ(0u, Count("tip dialog checked") + Count("tip dialog unchecked")) << stored;
        EXPECT_EQ(stored, RegReadInteger(registry, kSettingsKey, kShowTips));
    }
}

TEST_F(Handlers, MenuCommandsReachTheirPorts) {
    const std::pair<MainCommand, std::string> cases[] = {
        {MainCommand::Options, "options dialog"},
        {MainCommand::About, "about box"},
        {MainCommand::HelpTopics, "open C:\\Tools\\Textwright\\Textwright.chm"},
        {MainCommand::Tutorials, "open C:\\Tools\\Textwright\\TextwrightTutors.chm"},
        {MainCommand::ProductHomePage, std::string("open ") + kProductHomePage},
        {MainCommand::PhrasesCollection, std::string("open ") + kPhrasesPage},
        {MainCommand::MakerHomePage, std::string("open ") + kMakerHomePage},
        {MainCommand::Exit, "terminate"},
    };
    for (const auto& [command, entry] : cases) {
        log.clear();
        EXPECT_TRUE(form.ExecuteCommand(command)) << entry;
        EXPECT_EQ(Log{entry}, log);
    }
}

TEST_F(Handlers, AnUnhandledErrorEndsTheCommandAndTheProgramGoesOn) {
    dialogs.failOptions = true;
    EXPECT_FALSE(form.ExecuteCommand(MainCommand::Options));
    EXPECT_EQ((Log{"options dialog", "error report: Access denied."}), log);
    log.clear();
    EXPECT_TRUE(form.ExecuteCommand(MainCommand::About));
    EXPECT_EQ(Log{"about box"}, log);
    EXPECT_EQ(WindowState::Shown, form.State());
}

} // namespace
} // namespace tw
