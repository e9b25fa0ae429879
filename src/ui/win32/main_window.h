#pragma once
// The main window "Textwright": owns the real controls, implements the ports of
// TFormTextwright, and turns each window message into one handler call.
#include "app/options_dialog.h"
#include "app/tips.h"
#include "app/win32/common_routines_win32.h"
#include "app/win32/options_dialog_view.h"
#include "app/win32/tip_dialog_view.h"
#include "app/win32/tray_icon.h"
#include "expansion/win32/macro_inserts_window.h"
#include "ui/textwright_form.h"
#include "ui/win32/editing_pane.h"
#include "ui/win32/list_box_mirror.h"
#include "ui/win32/tree_view_mirror.h"

#include <memory>

#include <windows.h>

namespace tw::win32 {

inline constexpr const wchar_t* kMainWindowClass = L"TFormTextwright";
// Mouse events on the tray icon.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;
// A registered message that ends the program as Exit does (edits written, hooks stopped), for
// the installer: WM_CLOSE only hides to the tray. The installer script spells the same name.
inline constexpr const wchar_t* kExitRequestMessageName = L"Textwright2ExitRequest";
// Control ids of the tree and the two index lists.
inline constexpr int kNavigationId = 300;
inline constexpr int kListMacrosId = 301;
inline constexpr int kListHotKeysId = 302;

class MainWindow : public MainWindowView,
                   public TrayIconPort,
                   public TimerPort,
                   public TipDialogPort,
                   public ApplicationPort,
                   public DialogsPort {
public:
    MainWindow(StartupGlobals globals, RawRegistry& registry, Win32MessageBoxes& boxes,
               ShellPort& shell, HookComponents& hooks);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window hidden, 740 x 497 at 96 dpi, centred; FormCreate runs inside.
    bool Create();
    // TFormMacroInserts, made once after the main window and reused for every delivery.
    void CreateInsertionsDialog();
    MacroInsertsWindow* InsertionsDialog() { return insertions_.get(); }
    // The editing controls; null before the window exists.
    EditingPane* Editing() { return editing_.get(); }
    HWND Handle() const { return hwnd_; }
    HACCEL Accelerators() const { return accelerators_; }
    TFormTextwright& Form() { return form_; }
    // The message loop calls this whenever its queue has become empty.
    void OnIdle();
    // True when a message must reach its control without the accelerators seeing it.
    bool WantsKeysItself() const { return editing_ && editing_->WantsKeysItself(); }

    void ShowMainWindow() override;
    void HideMainWindow() override;
    bool IsMainWindowVisible() override;
    void RestoreApplication() override;
    void MakeMainWindowTopmost() override;
    void SetBusyCursor(bool busy) override;
    void BeginBulkLoad() override;
    void EndBulkLoad() override;
    void SetTrayIconVisible(bool visible) override;
    void SetTimerEnabled(bool enabled) override;
    bool ShowTipDialog(bool showAtStartup) override;
    void Terminate() override;
    void ShowOptionsDialog() override;
    void ShowAboutBox() override;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnCreate();
    void OnDestroy();
    void OnCommand(int id);
    void OnControlCommand(WPARAM wp, LPARAM lp);
    LRESULT OnNotify(const NMHDR& header);
    void OnTrayMessage(LPARAM mouseMessage);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void CreateControls();
    void ApplyFont();
    void LayoutControls();

    StartupGlobals globals_;
    RawRegistry& registry_;
    Win32MessageBoxes& boxes_;
    TFormTextwright form_;
    TFormOptions options_;
    OptionsDialogView optionsView_;
    SystemRandom random_;
    TipPicker tipPicker_;

    HWND hwnd_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HFONT font_ = nullptr;
    UINT dpi_ = 96;
    bool busy_ = false;
    UINT taskbarCreated_ = 0;
    UINT exitRequest_ = 0;

    HWND panelNavButs_ = nullptr;
    HWND navigation_ = nullptr;
    HWND splitterVert1_ = nullptr;
    HWND listMacros_ = nullptr;
    HWND splitterVert2_ = nullptr;
    HWND listHotKeys_ = nullptr;
    HWND splitterHorz_ = nullptr;
    HWND panelBottomBar_ = nullptr;
    HWND panelEditor_ = nullptr;

    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<TipDialogView> tipView_;
    std::unique_ptr<TreeViewMirror> treeMirror_;
    std::unique_ptr<ListBoxMirror> macrosMirror_;
    std::unique_ptr<ListBoxMirror> hotKeysMirror_;
    std::unique_ptr<EditingPane> editing_;
    std::unique_ptr<MacroInsertsWindow> insertions_;
};

} // namespace tw::win32
