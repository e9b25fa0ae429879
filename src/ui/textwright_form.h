#pragma once
// The main window's state and handlers, free of any window system. The Win32 main window turns
// each window message into one call here; each concern lives in a class of its own.
#include "app/common_routines.h"
#include "app/error_report.h"
#include "app/startup.h"
#include "delivery/reply_delivery.h"
#include "delivery/reply_drag.h"
#include "expansion/expansion_editor.h"
#include "expansion/predefined_insertions.h"
#include "platform/message_boxes.h"
#include "platform/raw_registry.h"
#include "ui/formatting_toolbar.h"
#include "ui/toolbar_following_editor.h"
#include "ui/form_delivery_host.h"
#include "ui/library_editing.h"
#include "ui/library_host.h"
#include "ui/main_commands.h"
#include "ui/main_form_ports.h"
#include "ui/reply_working_copy.h"
#include "ui/tip_of_day.h"
#include "ui/window_lifecycle.h"
#include "ui/window_modes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

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
    TimerPort& fixTimer;
    KeyStatePort& keyState;
    KeyInputPort& keyInput;
    WindowPort& targetWindows;
    SleepPort& sleep;
    LocalClock& clock;
    InsertionsDialogPort& insertionsDialog;
    InputTrace& inputTrace;
    // A reply dragged out of the tree: the pointer, the windows under it, the no-drop cursor.
    PointerPort& pointer;
    DesktopWindowPort& desktop;
    DropCursorPort& dropCursor;
    // The keyboard layout of the window in front; without it typed words follow a US keyboard.
    KeyboardLayoutPort* keyboard = nullptr;
};

// The controls that edit the library: the property bar, the editor, the tree view's editing
// side and the command states. Attached by the window before FormCreate; without them the
// library is shown but not editable.
struct EditingViews {
    PropertyBarView& bar;
    RichEditorPort& editor;
    NavigationView& navigation;
    CommandStateView& states;
    // The editor's formats and edit commands and the formatting toolbar; without them the
    // editor has no toolbar.
    RichFormattingPort* formats = nullptr;
    EditorCommandsPort* editorCommands = nullptr;
    FormattingToolbarView* toolbar = nullptr;
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
    void TipTimerTimer();
    void TipDialogClose(bool showAtStartup) { tips_.TipDialogClose(showAtStartup); }
    // The user selected a node in the tree view (null: nothing selected).
    void NavigationChange(TreeNode* node);

    // Runs a menu command under the standard error report; false when it ended with an error.
    // A command that is not available now does nothing.
    bool ExecuteCommand(MainCommand command);
    // The program becomes the active application again, or stops being it; leaving writes the
    // pending edits and starts watching the keyboard for macros and hot keys.
    void ApplicationEventsActivate();
    void ApplicationEventsDeactivate();

    // The hook components' events, taken from FormCreate on, and FixTimer's tick.
    // Every key of the desktop, with what the hook's message says of it.
    void KeyHookKeyAction(const KeyAction& key);
    // KeyHook's raw event: the hook library says when its hooks are gone for good.
    void KeyHookUnfiltered(std::uint32_t code);
    void MouseHookMouseClick();
    void ShellHookWindowActivated(HookWindow sourceWindow);
    void ShellHookWindowDestroyed(HookWindow sourceWindow);
    void FixTimerTimer();
    // The tree's drag of its selected node, and MouseHook's pointer moves that follow it
    // outside the window; the end point in screen coordinates.
    void NavigationStartDrag() { drag_.NavigationStartDrag(); }
    void MouseHookMouseMove(HookWindow sourceWindow, int x, int y);
    void NavigationEndDrag(int X, int Y);

    void AttachEditingViews(EditingViews views) { editingViews_.emplace(views); }
    // PopupMenuPreDefParams, filled during FormCreate; attached by the window before it.
    void AttachInsertionsMenu(InsertionsMenu& menu) { insertionsMenu_ = &menu; }
    // The window's modes and sizes; attached by the window before FormCreate. Without it the
    // window stays in full mode at its layout size.
    void AttachModesView(WindowModesView& view) { modes_.emplace(ports_.registry, view); }
    WindowModes* Modes() { return modes_ ? &*modes_ : nullptr; }
    // The window's clipboard, which every delivery writes, and its keeper of the user's content,
    // used with the RestoreClipboard setting by every delivery that pastes; attached before
    // FormCreate. Without them deliveries copy nothing.
    void AttachClipboard(ClipboardPort& clipboard, UserClipboardKeeper& keeper) {
        deliveryHost_.AttachClipboard(clipboard, keeper);
    }
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
    // The toolbar's handlers; null before FormCreate and without the toolbar's views.
    FormattingToolbar* Formatting() { return formatting_.get(); }
    // Idle time: which commands and controls are available now.
    void ActionMainFormUpdate();

    void EnsureDefaultSettings();
    void LoadReplyLibrary();

    WindowState State() const { return lifecycle_.State(); }
    DeliveryState& Delivery() { return delivery_.State(); }
    const DragState& Drag() const { return drag_.State(); }
    LibraryHost& Library() { return library_; }
    const StartupGlobals& Globals() const { return globals_; }

private:
    void RunCommand(MainCommand command);
    void CommitCurrentReply();
    void MarkEditorChanged();
    void TakeHookEvents();
    // Runs a handler under the standard error report.
    template <class Handler> void Reported(Handler&& handler) {
        RunReported(ports_.errorReport, std::forward<Handler>(handler));
    }

    StartupGlobals globals_;
    MainFormPorts ports_;
    WindowLifecycle lifecycle_;
    FixTimerOverTimer fixTimer_;
    FormDeliveryHost deliveryHost_;
    ReplyDelivery delivery_;
    ReplyDrag drag_;
    TipOfDay tips_;
    LibraryHost library_;
    std::optional<EditingViews> editingViews_;
    std::optional<WindowModes> modes_;
    InsertionsMenu* insertionsMenu_ = nullptr;
    bool hookLossTold_ = false;
    // The editing handlers use these two: they go last.
    std::unique_ptr<FormattingToolbar> formatting_;
    std::unique_ptr<ToolbarFollowingEditor> followingEditor_;
    std::unique_ptr<LibraryEditing> editing_;
    std::unique_ptr<ReplyWorkingCopy> workingCopy_;
};

} // namespace tw
