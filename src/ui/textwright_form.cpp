#include "ui/textwright_form.h"

#include "app/settings.h"

#include <utility>

namespace tw {

TFormTextwright::TFormTextwright(StartupGlobals globals, MainFormPorts ports)
    : globals_(std::move(globals)), ports_(ports),
      lifecycle_(ports.window, ports.tray, ports.application),
      tips_(ports.registry, ports.tipTimer, ports.tipDialog, delivery_) {}

void TFormTextwright::FormCreate() {
    ports_.hooks.StartHooks();
    EnsureDefaultSettings();
    delivery_.Reset();
    PrepareEditorSeam();
    PrepareLayoutSeam();
    library_.Create(globals_.LibraryRoot, ports_.boxes);
    LoadReplyLibrary();
    RefreshFormattingSeam();
}

void TFormTextwright::FormShow() {
    if (SettingIsOn(ports_.registry, kAlwaysOnTop)) {
        ports_.window.MakeMainWindowTopmost();
    }
}

void TFormTextwright::FormDestroy() {
    ports_.hooks.StopHooks();
    // Each step runs even when the one before failed: the library must still be freed.
    RunReported(ports_.errorReport, [this] { CommitCurrentReplySeam(); });
    RunReported(ports_.errorReport, [this] { SaveLayoutSeam(); });
    library_.Free();
}

void TFormTextwright::EnsureDefaultSettings() {
    tw::EnsureDefaultSettings(ports_.registry);
}

void TFormTextwright::LoadReplyLibrary() {
    ports_.window.SetBusyCursor(true);
    ports_.window.BeginBulkLoad();
    RunReported(ports_.errorReport, [this] { library_.Load(); });
    ports_.window.EndBulkLoad();
    ports_.window.SetBusyCursor(false);
}

void TFormTextwright::NavigationChange(TreeNode* node) {
    library_.Tree().SetSelected(node);
    LoadSelectedReplySeam();
}

bool TFormTextwright::ExecuteCommand(MainCommand command) {
    return RunReported(ports_.errorReport, [&] { RunCommand(command); });
}

void TFormTextwright::RunCommand(MainCommand command) {
    switch (command) {
    case MainCommand::Exit:
        MIExitClick();
        break;
    case MainCommand::TrayExit:
        TrayExitClick();
        break;
    case MainCommand::TrayShow:
        TrayShowClick();
        break;
    case MainCommand::Options:
        ports_.dialogs.ShowOptionsDialog();
        break;
    case MainCommand::About:
        ports_.dialogs.ShowAboutBox();
        break;
    case MainCommand::TipOfTheDay:
        tips_.ShowFromMenu();
        break;
    case MainCommand::HelpTopics:
        OpenHelpFile(ports_.shell, globals_);
        break;
    case MainCommand::Tutorials:
        OpenTutorialsFile(ports_.shell, globals_);
        break;
    case MainCommand::ProductHomePage:
        ports_.shell.OpenDocument(kProductHomePage);
        break;
    case MainCommand::PhrasesCollection:
        ports_.shell.OpenDocument(kPhrasesPage);
        break;
    case MainCommand::MakerHomePage:
        ports_.shell.OpenDocument(kMakerHomePage);
        break;
    case MainCommand::ChangeMode:
        ToggleModeSeam();
        break;
    }
}

} // namespace tw
