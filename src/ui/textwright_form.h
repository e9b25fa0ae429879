#pragma once
// The main window's state and handlers, free of any window system. The Win32 main window turns
// each window message into one call here; each concern lives in a class of its own.
#include "app/common_routines.h"
#include "app/error_report.h"
#include "app/startup.h"
#include "platform/message_boxes.h"
#include "platform/raw_registry.h"
#include "ui/delivery_state.h"
#include "ui/library_host.h"
#include "ui/main_commands.h"
#include "ui/main_form_ports.h"
#include "ui/tip_of_day.h"
#include "ui/window_lifecycle.h"

#include <utility>

namespace tw {

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
    bool ExecuteCommand(MainCommand command);
    // Any other handler call from the window system goes through here, so that no error
    // escapes into the window system: it ends the handler and is shown.
    template <class Handler> bool Guarded(Handler&& handler) {
        return RunReported(ports_.errorReport, std::forward<Handler>(handler));
    }

    void EnsureDefaultSettings();
    void LoadReplyLibrary();

    WindowState State() const { return lifecycle_.State(); }
    DeliveryState& Delivery() { return delivery_; }
    LibraryHost& Library() { return library_; }
    const StartupGlobals& Globals() const { return globals_; }

private:
    void RunCommand(MainCommand command);

    // Steps of the start and the end that later work fills in; empty until then.
    void PrepareEditorSeam() {}      // editor paragraph spacing
    void PrepareLayoutSeam() {}      // MacroListRatio, KeyTable, colours, menus, mode and layout
    void RefreshFormattingSeam() {}  // formatting toolbar from the editor
    void CommitCurrentReplySeam() {} // pending edits of the selected reply
    void SaveLayoutSeam() {}         // sizes of the current mode
    void ToggleModeSeam() {}         // the mode switch
    void LoadSelectedReplySeam() {}  // commit the previous reply, show the selected one

    StartupGlobals globals_;
    MainFormPorts ports_;
    DeliveryState delivery_;
    WindowLifecycle lifecycle_;
    TipOfDay tips_;
    LibraryHost library_;
};

} // namespace tw
