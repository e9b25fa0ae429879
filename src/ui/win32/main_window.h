#pragma once
// The main window "Textwright": owns the real controls and one adapter per port of
// TFormTextwright, and turns each window message into one handler call.
#include "app/tips.h"
#include "app/win32/common_routines_win32.h"
#include "app/win32/tip_dialog_view.h"
#include "app/win32/tray_icon.h"
#include "delivery/clipboard_keeper.h"
#include "delivery/win32/clipboard_window.h"
#include "delivery/win32/keyboard_layouts.h"
#include "delivery/win32/system_input.h"
#include "delivery/win32/delivery_trace.h"
#include "expansion/win32/macro_inserts_window.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_base.h"
#include "ui/textwright_form.h"
#include "ui/win32/delivery_adapters.h"
#include "ui/win32/drag_adapters.h"
#include "ui/win32/editing_pane.h"
#include "ui/win32/library_watcher.h"
#include "ui/win32/list_box_mirror.h"
#include "ui/win32/main_dialogs.h"
#include "ui/win32/main_window_frame.h"
#include "ui/win32/search_picker_host.h"
#include "ui/win32/tree_view_mirror.h"
#include "ui/win32/window_modes_view.h"
#include "ui/win32/window_timer.h"

#include <memory>
#include <optional>

#include <windows.h>

namespace tw::win32 {

inline constexpr const wchar_t* kMainWindowClass = L"TFormTextwright";
// Mouse events on the tray icon.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;
// Posted at creation: the picker's hot key is registered once the message loop runs, so a key
// another program holds is told over a running program.
inline constexpr UINT kApplyPickerHotKeyMessage = WM_APP + 2;
// A registered message that ends the program as Exit does (edits written, hooks stopped), for
// the installer: WM_CLOSE only hides to the tray. The installer script spells the same name.
inline constexpr const wchar_t* kExitRequestMessageName = L"Textwright2ExitRequest";
// Control ids of the tree and the two index lists.
inline constexpr int kNavigationId = 300;
inline constexpr int kListMacrosId = 301;
inline constexpr int kListHotKeysId = 302;
inline constexpr UINT_PTR kTipTimerId = 1;
inline constexpr UINT kTipTimerInterval = 100;
inline constexpr UINT_PTR kFixTimerId = 2;
inline constexpr UINT kFixTimerInterval = 50;

// What the main window's ports reach beyond the window itself.
struct SystemPorts {
    RawRegistry& registry;
    Win32MessageBoxes& boxes;
    ShellPort& shell;
    HookComponents& hooks;
    // Records nothing, except in the measuring build.
    DeliveryTrace& trace;
};

class MainWindow : public WindowBase {
public:
    MainWindow(StartupGlobals globals, SystemPorts system);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window hidden, 740 x 497 at 96 dpi, centred; FormCreate runs inside.
    bool Create();
    // TFormMacroInserts, made once after the main window and reused for every delivery.
    void CreateInsertionsDialog();
    MacroInsertsWindow* InsertionsDialog() { return insertions_.get(); }
    // The editing controls; null before the window exists.
    EditingPane* Editing() { return editing_.get(); }
    HACCEL Accelerators() const { return accelerators_.get(); }
    // The form exists from WM_CREATE on, once the controls it composes do.
    TFormTextwright& Form() { return *form_; }
    LibraryHost& Library() { return library_; }
    // The message loop calls this whenever its queue has become empty.
    void OnIdle();
    // True when a message for `target` must reach it without the accelerators seeing it.
    bool WantsKeysItself(HWND target) const {
        return (editing_ && editing_->WantsKeysItself()) || (picker_ && picker_->Contains(target));
    }

private:
    // What no control claims of the messages the window gets.
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // Each true, or a result, when the message was its own.
    bool OnPickerMessage(UINT msg, WPARAM wp);
    bool OnShellMessage(UINT msg, LPARAM lp);
    std::optional<LRESULT> OnLifeMessage(UINT msg, WPARAM wp);
    std::optional<LRESULT> OnFrameMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnMinMaxInfo(MINMAXINFO& info) const;
    bool OnTimer(WPARAM id);
    void OnCreate();
    void CreateEditingPane();
    void OnDestroy();
    void OnCommand(int id);
    void OnControlCommand(WPARAM wp, LPARAM lp);
    void OnTrayMessage(LPARAM mouseMessage);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void CreateControls();
    void CreateSplitters();
    // Builds the form over the ports and the controls, which exist by then.
    void ComposeForm();
    // False while a dialog, an in-place rename or the picker holds on to the library.
    bool TakeLibraryChanges();
    void ApplyFont();
    void LayoutControls();
    // Where the insertions dialog centres for a delivery button or a drop point.
    InsertionsAnchor AnchorOf(const DialogAnchor& anchor);

    StartupGlobals globals_;
    // The adapters hold a reference to the window's handle, which the base owns.
    SystemPorts system_;

    MainWindowFrame frame_{hwnd_};
    TrayIcon tray_{hwnd_, kTrayCallbackMessage};
    WindowTimer tipTimer_{hwnd_, kTipTimerId, kTipTimerInterval};
    WindowTimer fixTimer_{hwnd_, kFixTimerId, kFixTimerInterval};
    KeyTrace keyTrace_{system_.trace};
    Win32KeyInput keyInput_{system_.trace};
    Win32KeyState keyState_{[this] {
        return reinterpret_cast<HWND>(system_.hooks.Components().KeyHook.ListenerWindow());
    }};
    Win32TargetWindows targetWindows_;
    Win32KeyboardLayouts keyboard_;
    Win32Sleep sleep_;
    SystemLocalClock clock_;
    std::unique_ptr<MacroInsertsWindow> insertions_;
    Win32Pointer pointer_;
    Win32Desktop desktop_{hwnd_};
    DropCursorSlot dropCursor_;
    MainInsertionsDialog insertionsPort_{insertions_,
                                         [this](const DialogAnchor& a) { return AnchorOf(a); }};
    SystemRandom random_;
    TipPicker tipPicker_{StandardTips(), random_};
    TipDialogView tipDialog_{hwnd_, tipPicker_};
    Win32Application application_;
    MainDialogs dialogs_;
    // Outlives the form, so Exit can still restore the user's clipboard.
    ClipboardWindow clipboard_;
    UserClipboardKeeper clipboardKeeper_{clipboard_, clipboard_};
    // Shown by the mirrors; filled and freed by the form.
    LibraryHost library_;

    UniqueAccelerators accelerators_;
    UniqueFont font_;
    UINT dpi_ = 96;
    UINT taskbarCreated_ = 0;
    UINT exitRequest_ = 0;

    HWND panelNavButs_ = nullptr;
    HWND navigation_ = nullptr;
    HWND splitterVert1_ = nullptr;
    HWND labelMacros_ = nullptr;
    HWND listMacros_ = nullptr;
    HWND splitterVert2_ = nullptr;
    HWND labelHotKeys_ = nullptr;
    HWND listHotKeys_ = nullptr;
    HWND splitterHorz_ = nullptr;
    // The pane size a splitter drag started from.
    int dragStart_ = 0;
    // Set when the window starts going: no tree event reaches the form after.
    bool closing_ = false;
    bool following_ = false; // taking the library's changes in
    HWND panelBottomBar_ = nullptr;
    HWND panelEditor_ = nullptr;

    std::unique_ptr<Win32WindowModesView> modesView_;
    std::unique_ptr<TreeViewMirror> treeMirror_;
    std::unique_ptr<ListBoxMirror> macrosMirror_;
    std::unique_ptr<ListBoxMirror> hotKeysMirror_;
    std::unique_ptr<EditingPane> editing_;
    std::optional<TFormTextwright> form_;
    // From WM_CREATE to WM_DESTROY, over the form.
    std::unique_ptr<SearchPickerHost> picker_;
    // Changes others make to the library, taken in between the user's actions.
    LibraryWatcher watcher_{hwnd_, [this] { return TakeLibraryChanges(); }};
};

} // namespace tw::win32
