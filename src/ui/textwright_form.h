#pragma once
// The main window's state and handlers, free of any window system. The Win32 main window turns
// each window message into one call here; each concern lives in a class of its own.
#include "app/common_routines.h"
#include "app/error_report.h"
#include "app/startup.h"
#include "delivery/reply_delivery.h"
#include "delivery/reply_drag.h"
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
#include "ui/tip_of_day.h"
#include "ui/window_lifecycle.h"
#include "ui/window_modes.h"

#include <cstdint>
#include <memory>
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
    // The keyboard layout of the window in front, by which typed words are read.
    KeyboardLayoutPort& keyboard;
};

// The controls whose events the editing and formatting handlers take. Connected once the library
// can be edited and disconnected (nulls) before it goes, so no control event reaches a handler
// while the library is freed.
class EditingEventsView {
public:
    virtual ~EditingEventsView() = default;
    virtual void ConnectHandlers(LibraryEditing* editing, FormattingToolbar* formatting) = 0;
};

// The main window's controls and the library they show, all built before the form.
struct MainFormViews {
    // Shown in Navigation, ListMacros and ListHotKeys.
    LibraryHost& library;
    PropertyBarView& bar;
    RichEditorPort& editor;
    NavigationView& navigation;
    CommandStateView& states;
    RichFormattingPort& formats;
    EditorCommandsPort& editorCommands;
    FormattingToolbarView& toolbar;
    EditingEventsView& events;
    // PopupMenuPreDefParams, filled during FormCreate.
    InsertionsMenu& insertionsMenu;
    WindowModesView& modes;
    // The window's clipboard, which every delivery writes, and its keeper of the user's content,
    // used with the RestoreClipboard setting by every delivery that pastes.
    ClipboardPort& clipboard;
    UserClipboardKeeper& clipboardKeeper;
};

class TFormTextwright {
public:
    TFormTextwright(StartupGlobals globals, MainFormPorts ports, MainFormViews views);
    TFormTextwright(const TFormTextwright&) = delete;
    TFormTextwright& operator=(const TFormTextwright&) = delete;

    void FormCreate();
    void FormShow();
    // False: the window never closes, it hides to the tray.
    bool FormClose() { return lifecycle_.FormClose(); }
    void FormDestroy();

    void MIExitClick() { lifecycle_.MIExitClick(); }
    void TrayShowClick() { lifecycle_.TrayShowClick(); }
    void TrayExitClick() { lifecycle_.TrayExitClick(); }
    void TrayIconClick(MouseButton button) { lifecycle_.TrayIconClick(button); }
    // The options dialog wrote these: deliveries from now on go by them.
    void DeliveryProfilesSaved(const std::vector<DeliveryProfile>& profiles) {
        delivery_.SetProfiles(profiles);
    }
    // The user clicked the balloon that said a reply could not be typed: it is copied instead.
    void TrayBalloonClick() {
        Reported([this] { deliveryHost_.NoticeClicked(); });
    }
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
    // A reply picked in the search picker, planned there; `target` 0 when it only copies.
    void DeliverPicked(const DeliveryPlan& plan, WindowHandle target) {
        Reported([&] { delivery_.DeliverPicked(plan, target); });
    }
    // The replies delivered last, for the picker's ranking.
    const RecentReplies& Recent() const { return recent_.Replies(); }

    // An item of PopupMenuPreDefParams was chosen: its placeholder name replaces the editor's
    // selection as typed text would.
    void PredefinedInsertionClick(int tag);

    // The window was resized or moved to a monitor of another dpi.
    void FormResize() {
        Reported([this] { modes_.FormResize(); });
    }
    void FormDpiChanged(int dpi) {
        Reported([&] { modes_.DpiChanged(dpi); });
    }
    // One step of a splitter's live drag: the size the user drags its pane to.
    void SplitterVert1Drag(int listsWidth) {
        Reported([&] { modes_.SplitterVert1Drag(listsWidth); });
    }
    void SplitterVert2Drag(int macrosWidth) {
        Reported([&] { modes_.SplitterVert2Drag(macrosWidth); });
    }
    void SplitterHorzDrag(int bottomHeight) {
        Reported([&] { modes_.SplitterHorzDrag(bottomHeight); });
    }
    // What the window lays its panes out by.
    const MainLayoutSizes& Panes() const { return modes_.Panes(); }
    bool FullMode() const { return modes_.FullMode(); }
    // Idle time: which commands and controls are available now.
    void ActionMainFormUpdate();

    void EnsureDefaultSettings();
    void LoadReplyLibrary();
    // The library's folders changed on disk. Unless only this program changed them, the edits of
    // the moment are written and the library is loaded again, keeping the selection (or the
    // nearest folder still there) and the open folders (`expanded`); gives the folders to open
    // again. A failed write of the edits puts the reload off to the next change.
    std::vector<TreeNode*> FollowDisk(const std::vector<TreeNode*>& expanded);
    // No drag and no hot key waiting for its key to come up: they hold places in the library.
    bool CanFollowDisk() const {
        return !drag_.State().DraggingReply && delivery_.State().PendingHotKey < 0;
    }

    WindowState State() const { return lifecycle_.State(); }
    DeliveryState& Delivery() { return delivery_.State(); }
    const DragState& Drag() const { return drag_.State(); }
    const StartupGlobals& Globals() const { return globals_; }

private:
    void RunCommand(MainCommand command);
    void MarkEditorChanged();
    void TakeHookEvents();
    // Runs a handler under the standard error report.
    template <class Handler> void Reported(Handler&& handler) {
        RunReported(ports_.errorReport, std::forward<Handler>(handler));
    }

    StartupGlobals globals_;
    MainFormPorts ports_;
    MainFormViews views_;
    LibraryHost& library_;
    WindowLifecycle lifecycle_;
    FixTimerOverTimer fixTimer_;
    RecentDeliveries recent_;
    FormDeliveryHost deliveryHost_;
    ReplyDelivery delivery_;
    ReplyDrag drag_;
    TipOfDay tips_;
    WindowModes modes_;
    FormattingToolbar formatting_;
    // The editor as the editing handlers see it: the toolbar follows every reply loaded.
    ToolbarFollowingEditor followingEditor_;
    // From FormCreate, once the library exists, to FormDestroy.
    std::unique_ptr<LibraryEditing> editing_;
    bool hookLossTold_ = false;
    bool reloadOwed_ = false; // changed elsewhere, not reloaded yet
};

} // namespace tw
