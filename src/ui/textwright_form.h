#pragma once
// The main window's state and handlers, free of any window system. The Win32 main window turns
// each window message into one call here; each concern lives in a class of its own.
#include "app/common_routines.h"
#include "app/error_report.h"
#include "app/startup.h"
#include "expansion/expansion_editor.h"
#include "expansion/predefined_insertions.h"
#include "platform/message_boxes.h"
#include "platform/raw_registry.h"
#include "ui/delivery_state.h"
#include "ui/library_editing.h"
#include "ui/library_host.h"
#include "ui/main_commands.h"
#include "ui/main_form_ports.h"
#include "ui/reply_working_copy.h"
#include "ui/tip_of_day.h"
#include "ui/window_lifecycle.h"

#include <memory>
#include <optional>

namespace tw {

// Built with named fields, one line per port.
struct MainFormPorts {
    RawRegistry& registry;
    MessageBoxes& boxes;
    ErrorReportPort& errorReport;
    ShellPort& shell;
    MainWindowView& window;
    TrayIconPort& tray;
    TimerPort& tipTimer;
    TipDialogPort& tipDialog;
    ApplicationPort& application;
    DialogsPort& dialogs;
    HookComponents& hooks;
};

// The controls that edit the library: the property bar, the editor, the tree view's editing
// side and the command states. Attached by the window before FormCreate; without them the
// library is shown but not editable.
struct EditingViews {
    PropertyBarView& bar;
    RichEditorPort& editor;
    NavigationView& navigation;
    CommandStateView& states;
};

class TFormTextwright {
public:
    TFormTextwright(StartupGlobals globals, MainFormPorts ports);

    void FormCreate();
    void FormShow();
    // False: the window never closes, it hides to the tray.
    bool FormClose() { return lifecycle_.FormClose(); }
    void FormDestroy();

    void MIExitClick() { lifecycle_.MIExitClick(); }
    void TrayShowClick() { lifecycle_.TrayShowClick(); }
    void TrayExitClick() { lifecycle_.TrayExitClick(); }
    void TrayIconClick(MouseButton button) { lifecycle_.TrayIconClick(button); }
    void TipTimerTimer() { tips_.TipTimerTimer(); }
    void TipDialogClose(bool showAtStartup) { tips_.TipDialogClose(showAtStartup); }
    // The user selected a node in the tree view (null: nothing selected).
    void NavigationChange(TreeNode* node);

    // Runs a menu command under the standard error report; false when it ended with an error.
    // A command that is not available now does nothing.
    bool ExecuteCommand(MainCommand command);
    // The program becomes the active application again, or stops being it; leaving writes the
    // pending edits first.
    void ApplicationEventsActivate();
    void ApplicationEventsDeactivate();

    void AttachEditingViews(EditingViews views) { editingViews_.emplace(views); }
    // PopupMenuPreDefParams, filled during FormCreate; attached by the window before it.
    void AttachInsertionsMenu(InsertionsMenu& menu) { insertionsMenu_ = &menu; }
    // An item of PopupMenuPreDefParams was chosen: its placeholder name replaces the editor's
    // selection as typed text would.
    void PredefinedInsertionClick(int tag);
    // Replaces each name of the names list by its value in the reply shown in Editor; the
    // expanded copy is never saved. Nothing happens while the library cannot be edited. Edits
    // still pending are written first; when that fails it throws and nothing is expanded.
    void ApplyReplacements(const std::string& names, const std::string& values);
    // The same working copy for the deliveries' expansion; null while there is none.
    ExpansionEditor* ReplyExpansion() { return workingCopy_.get(); }
    // Null until the library exists and after it is freed.
    LibraryEditing* Editing() { return editing_.get(); }
    // Idle time: which commands and controls are available now. `lastActiveWindowAlive`: the
    // remembered previously active window still exists.
    void ActionMainFormUpdate(bool lastActiveWindowAlive);

    void EnsureDefaultSettings();
    void LoadReplyLibrary();

    WindowState State() const { return lifecycle_.State(); }
    DeliveryState& Delivery() { return delivery_; }
    LibraryHost& Library() { return library_; }
    const StartupGlobals& Globals() const { return globals_; }

private:
    void RunCommand(MainCommand command);
    void RunEditingCommand(MainCommand command);
    void CommitCurrentReply();

    StartupGlobals globals_;
    MainFormPorts ports_;
    DeliveryState delivery_;
    WindowLifecycle lifecycle_;
    TipOfDay tips_;
    LibraryHost library_;
    std::optional<EditingViews> editingViews_;
    InsertionsMenu* insertionsMenu_ = nullptr;
    std::unique_ptr<LibraryEditing> editing_;
    std::unique_ptr<ReplyWorkingCopy> workingCopy_;
};

} // namespace tw
