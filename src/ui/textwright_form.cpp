#include "ui/textwright_form.h"

#include "app/settings.h"
#include "expansion/apply_replacements.h"
#include "ui/edit_commands.h"

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
    if (editingViews_ && editingViews_->formats && editingViews_->toolbar) {
        formatting_ = std::make_unique<FormattingToolbar>(
            editingViews_->editor, *editingViews_->formats, *editingViews_->toolbar,
            ports_.errorReport, [this] { MarkEditorChanged(); });
        formatting_->PrepareEditor();
    }
    if (insertionsMenu_) {
        BuildPredefinedInsertionsMenu(*insertionsMenu_);
    }
    if (formatting_) {
        formatting_->FillLists();
    }
    library_.Create(globals_.LibraryRoot, ports_.boxes);
    LoadReplyLibrary();
    if (editingViews_ && library_.Replies()) {
        const EditingViews& v = *editingViews_;
        RichEditorPort* editor = &v.editor;
        if (formatting_) {
            followingEditor_ = std::make_unique<ToolbarFollowingEditor>(v.editor, *formatting_);
            editor = followingEditor_.get();
        }
        editing_ = std::make_unique<LibraryEditing>(
            *library_.Replies(), LibraryEditingPorts{v.bar, *editor, v.navigation, ports_.boxes,
                                                     ports_.errorReport, v.states});
        workingCopy_ = std::make_unique<ReplyWorkingCopy>(*editor, *editing_);
    }
    if (formatting_) {
        formatting_->SelectionChange();
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

void TFormTextwright::MarkEditorChanged() {
    if (editing_) {
        editing_->EditorChange();
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
    case MainCommand::EditorCut:
    case MainCommand::EditorCopy:
    case MainCommand::EditorPaste:
    case MainCommand::EditorUndo:
    case MainCommand::EditorRedo:
    case MainCommand::EditorSelectAll:
        if (editingViews_ && editingViews_->editorCommands) {
            RunEditCommand(command, *editingViews_->editorCommands);
            // Undo and redo of a format change are no text change to the control.
            if (command != MainCommand::EditorCopy && command != MainCommand::EditorSelectAll) {
                MarkEditorChanged();
            }
        }
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
