#include "ui/textwright_form.h"

#include "app/settings.h"
#include "expansion/apply_replacements.h"

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
    if (insertionsMenu_) {
        BuildPredefinedInsertionsMenu(*insertionsMenu_);
    }
    library_.Create(globals_.LibraryRoot, ports_.boxes);
    LoadReplyLibrary();
    if (editingViews_ && library_.Replies()) {
        const EditingViews& v = *editingViews_;
        editing_ = std::make_unique<LibraryEditing>(
            *library_.Replies(), LibraryEditingPorts{v.bar, v.editor, v.navigation, ports_.boxes,
                                                     ports_.errorReport, v.states});
        workingCopy_ = std::make_unique<ReplyWorkingCopy>(v.editor, *editing_);
    }
}

void TFormTextwright::FormShow() {
    if (SettingIsOn(ports_.registry, kAlwaysOnTop)) {
        ports_.window.MakeMainWindowTopmost();
    }
}

void TFormTextwright::FormDestroy() {
    ports_.hooks.StopHooks();
    // A failed write is reported and the library is freed all the same.
    RunReported(ports_.errorReport, [this] { CommitCurrentReply(); });
    workingCopy_.reset();
    editing_.reset();
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
    if (editing_) {
        editing_->NavigationChange(node);
    } else {
        library_.Tree().SetSelected(node);
    }
}

void TFormTextwright::PredefinedInsertionClick(int tag) {
    if (!editing_) {
        return;
    }
    if (const auto name = PredefinedInsertionText(tag)) {
        editing_->EditorReplaceSelection(*name);
    }
}

void TFormTextwright::ApplyReplacements(const std::string& names, const std::string& values) {
    if (workingCopy_) {
        tw::ApplyReplacements(*workingCopy_, names, values);
    }
}

void TFormTextwright::CommitCurrentReply() {
    if (editing_) {
        editing_->CommitCurrentReply();
    }
}

void TFormTextwright::ApplicationEventsActivate() {
    delivery_.WatchingInput = false;
}

void TFormTextwright::ApplicationEventsDeactivate() {
    delivery_.WatchingInput = true;
    if (editing_) {
        editing_->ApplicationDeactivate();
    }
}

void TFormTextwright::ActionMainFormUpdate(bool lastActiveWindowAlive) {
    if (editing_) {
        // Compact mode arrives with the mode switch; until then the window is always full.
        editing_->ActionMainFormUpdate(true, lastActiveWindowAlive);
    }
}

bool TFormTextwright::ExecuteCommand(MainCommand command) {
    if (editing_ && !editing_->CommandAvailable(command)) {
        return true;
    }
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
        break; // the window has one mode until the mode switch exists
    case MainCommand::NavAddFolder:
    case MainCommand::NavAddReply:
    case MainCommand::NavDelete:
    case MainCommand::EditorForceSave:
        RunEditingCommand(command);
        break;
    }
}

void TFormTextwright::RunEditingCommand(MainCommand command) {
    if (!editing_) {
        return;
    }
    // Each reports its own failure.
    switch (command) {
    case MainCommand::NavAddFolder:
        editing_->NavAddFolderExecute();
        break;
    case MainCommand::NavAddReply:
        editing_->NavAddReplyExecute();
        break;
    case MainCommand::NavDelete:
        editing_->NavDeleteExecute();
        break;
    case MainCommand::EditorForceSave:
        editing_->EditorForceSaveExecute();
        break;
    default:
        break;
    }
}

} // namespace tw
