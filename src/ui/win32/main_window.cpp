#include "ui/win32/main_window.h"

#include "app/product.h"
#include "app/win32/resource_ids.h"
#include "platform/win32/ansi_path.h"
#include "ui/main_layout.h"
#include "ui/win32/main_menu.h"

#include <commctrl.h>

#include <algorithm>

namespace tw::win32 {

namespace {

constexpr int kWidth96 = 740, kHeight96 = 497;
constexpr int kMinWidth96 = 740, kMinHeight96 = 450;

} // namespace

MainWindow::MainWindow(StartupGlobals globals, SystemPorts system)
    : globals_(std::move(globals)), system_(system),
      dialogs_(
          hwnd_, system.registry, system.boxes, frame_, globals_.ProgramPath,
          [this](const std::vector<DeliveryProfile>& profiles) {
              form_->DeliveryProfilesSaved(profiles);
          },
          [this] {
              if (picker_) {
                  picker_->ApplyHotKey();
              }
          }) {
    clipboard_.SetEvents({.replyRendered = [this] { clipboardKeeper_.ReplyRendered(); },
                          .restoreTimer = [this] { clipboardKeeper_.RestoreTimerTimer(); }});
}

MainWindow::~MainWindow() {
    if (hwnd_) {
        DestroyWindow(hwnd_);
    }
}

bool MainWindow::Create() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(TW_IDI_MAIN));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainWindowClass;
    RegisterWindowClass(wc);

    const int dpi = static_cast<int>(GetDpiForSystem());
    const int width = ScaleForDpi(kWidth96, dpi), height = ScaleForDpi(kHeight96, dpi);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    // Centred; on a screen smaller than the window its caption stays reachable.
    const int x = std::max<int>(work.left, work.left + (work.right - work.left - width) / 2);
    const int y = std::max<int>(work.top, work.top + (work.bottom - work.top - height) / 2);
    accelerators_ = BuildMainAccelerators();
    UniqueMenu menu = BuildMainMenu();
    if (CreateWindowFor(WS_EX_CONTROLPARENT, kMainWindowClass,
                        AnsiToWide(kApplicationTitle).c_str(),
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, RECT{x, y, x + width, y + height},
                        nullptr, menu.get())) {
        menu.release(); // the window's now
    }
    return hwnd_ != nullptr;
}

void MainWindow::CreateInsertionsDialog() {
    if (!insertions_) {
        insertions_ = std::make_unique<MacroInsertsWindow>(GetModuleHandleW(nullptr),
                                                           system_.registry, hwnd_);
    }
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    // Until WM_CREATE has built the controls and the form over them the window is a plain one.
    if (!form_ && msg != WM_CREATE && msg != WM_GETMINMAXINFO && msg != WM_NCDESTROY) {
        return DefWindowProcW(hwnd_, msg, wp, lp);
    }
    if (watcher_.OnMessage(msg, wp) || OnPickerMessage(msg, wp) || OnShellMessage(msg, lp)) {
        return 0;
    }
    if (const std::optional<LRESULT> handled = OnLifeMessage(msg, wp)) {
        return *handled;
    }
    if (const std::optional<LRESULT> handled = OnFrameMessage(msg, wp, lp)) {
        return *handled;
    }
    return DefaultMessage(msg, wp, lp);
}

bool MainWindow::OnPickerMessage(UINT msg, WPARAM wp) {
    switch (msg) {
    case kApplyPickerHotKeyMessage:
        picker_->ApplyHotKey();
        return true;
    case SearchPickerHost::kMakeNextWindowMessage:
        picker_->MakeNextWindow();
        return true;
    case WM_HOTKEY:
        if (wp == SearchPickerHost::kHotKeyId) {
            RunReported(system_.boxes, [this] { picker_->Open(); });
        }
        return true;
    default:
        return false;
    }
}

bool MainWindow::OnShellMessage(UINT msg, LPARAM lp) {
    if (msg == kTrayCallbackMessage) {
        OnTrayMessage(lp);
        return true;
    }
    if (taskbarCreated_ != 0 && msg == taskbarCreated_) {
        tray_.Restore();
        return true;
    }
    if (exitRequest_ != 0 && msg == exitRequest_) {
        RunReported(system_.boxes, [this] { form_->MIExitClick(); });
        return true;
    }
    return false;
}

std::optional<LRESULT> MainWindow::OnLifeMessage(UINT msg, WPARAM wp) {
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_SHOWWINDOW:
        if (wp) {
            RunReported(system_.boxes, [this] { form_->FormShow(); });
        }
        return std::nullopt;
    case WM_CLOSE:
        RunReported(system_.boxes,
                    [this] { form_->FormClose(); }); // hides to the tray; the window stays
        return 0;
    case WM_ENDSESSION:
        // Windows is ending the session: take the Exit path so pending edits are written.
        if (wp) {
            DestroyWindow(hwnd_);
        }
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_ACTIVATEAPP:
        RunReported(system_.boxes, [this, wp] {
            wp ? form_->ApplicationEventsActivate() : form_->ApplicationEventsDeactivate();
        });
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> MainWindow::OnFrameMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        LayoutControls();
        form_->FormResize();
        return 0;
    case WM_SETFOCUS:
        // The keyboard goes to the tree, so the library can be browsed at once.
        if (navigation_) {
            SetFocus(navigation_);
        }
        return 0;
    case WM_GETMINMAXINFO:
        OnMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lp));
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    case WM_SETCURSOR:
        if (!frame_.Busy()) {
            return std::nullopt;
        }
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
    case WM_TIMER:
        return OnTimer(wp) ? std::optional<LRESULT>(0) : std::nullopt;
    case WM_COMMAND:
        OnControlCommand(wp, lp);
        return 0;
    default:
        return std::nullopt;
    }
}

void MainWindow::OnMinMaxInfo(MINMAXINFO& info) const {
    // The layout's minimum until the modes decide theirs.
    const Size minimum = modesView_ ? modesView_->Minimum() : Size{};
    info.ptMinTrackSize.x =
        minimum.width > 0 ? minimum.width : ScaleForDpi(kMinWidth96, static_cast<int>(dpi_));
    info.ptMinTrackSize.y =
        minimum.height > 0 ? minimum.height : ScaleForDpi(kMinHeight96, static_cast<int>(dpi_));
}

bool MainWindow::OnTimer(WPARAM id) {
    if (tipTimer_.Fired(id)) {
        RunReported(system_.boxes, [this] { form_->TipTimerTimer(); });
        return true;
    }
    if (fixTimer_.Fired(id)) {
        form_->FixTimerTimer();
        return true;
    }
    return false;
}

void MainWindow::OnCreate() {
    dpi_ = DpiOfWindow(hwnd_);
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    exitRequest_ = RegisterWindowMessageW(kExitRequestMessageName);
    CreateControls();
    ApplyFont();
    const int iconSize = GetSystemMetricsForDpi(SM_CXSMICON, dpi_);
    tray_.SetIcon(
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TW_IDI_MAIN),
                                      IMAGE_ICON, iconSize, iconSize, LR_SHARED)));
    // The user's selection in the tree; a selection the model makes is only its echo.
    treeMirror_ = std::make_unique<TreeViewMirror>(navigation_, [this](TreeNode* node) {
        if (form_ && !closing_) {
            RunReported(system_.boxes, [this, node] { form_->NavigationChange(node); });
        }
    });
    macrosMirror_ = std::make_unique<ListBoxMirror>(listMacros_);
    hotKeysMirror_ = std::make_unique<ListBoxMirror>(listHotKeys_);
    treeMirror_->Attach(library_.Tree());
    macrosMirror_->Attach(library_.MacroList());
    hotKeysMirror_->Attach(library_.HotKeyList());
    frame_.AttachMirrors(treeMirror_.get(), macrosMirror_.get(), hotKeysMirror_.get());
    CreateEditingPane();
    modesView_ = std::make_unique<Win32WindowModesView>(
        ModesWindowParts{hwnd_, navigation_, [this] { LayoutControls(); }, nullptr});
    ComposeForm();
    // Fires once the message loop runs.
    tipTimer_.SetTimerEnabled(true);
    RunReported(system_.boxes, [this] { form_->FormCreate(); });
    LayoutControls();
    picker_ = std::make_unique<SearchPickerHost>(hwnd_, system_.registry, system_.boxes, library_,
                                                 clock_, *form_, system_.trace);
    PostMessageW(hwnd_, kApplyPickerHotKeyMessage, 0, 0);
    PostMessageW(hwnd_, SearchPickerHost::kMakeNextWindowMessage, 0, 0);
    watcher_.Start(globals_.LibraryRoot);
}

bool MainWindow::TakeLibraryChanges() {
    // A message box of the reload's own (a load problem) runs a message loop of its own.
    if (closing_ || following_ || !IsWindowEnabled(hwnd_) || TreeView_GetEditControl(navigation_) ||
        (picker_ && picker_->IsOpen()) || !form_->CanFollowDisk()) {
        return false;
    }
    following_ = true;
    std::vector<TreeNode*> reopen;
    RunReported(system_.boxes, [&] { reopen = form_->FollowDisk(treeMirror_->ExpandedNodes()); });
    treeMirror_->ExpandNodes(reopen);
    following_ = false;
    return true;
}

void MainWindow::OnDestroy() {
    tipTimer_.SetTimerEnabled(false);
    fixTimer_.SetTimerEnabled(false);
    watcher_.Stop();
    picker_.reset(); // before the library goes
    // No drag or selection may reach the form while the library goes; the form disconnects
    // the rest.
    closing_ = true;
    RunReported(system_.boxes, [this] { form_->FormDestroy(); });
    treeMirror_->Detach();
    macrosMirror_->Detach();
    hotKeysMirror_->Detach();
    tray_.SetTrayIconVisible(false);
    // Without its main window the program has nothing left to do; it must not linger holding
    // the single-instance mutex.
    PostQuitMessage(0);
}

void MainWindow::OnCommand(int id) {
    if (const auto command = CommandOfMenuId(id)) {
        form_->ExecuteCommand(*command);
    }
}

void MainWindow::OnControlCommand(WPARAM wp, LPARAM lp) {
    if (!lp && HIWORD(wp) == 0) {
        if (const auto tag = EditorToolbar::InsertionTagOf(LOWORD(wp))) {
            RunReported(system_.boxes, [this, tag] { form_->PredefinedInsertionClick(*tag); });
            return;
        }
    }
    OnCommand(LOWORD(wp));
}

void MainWindow::OnIdle() {
    if (!hwnd_ || !IsWindowVisible(hwnd_) || !IsWindowEnabled(hwnd_)) {
        return;
    }
    RunReported(system_.boxes, [this] { form_->ActionMainFormUpdate(); });
}

InsertionsAnchor MainWindow::AnchorOf(const DialogAnchor& anchor) {
    if (anchor.kind == DialogAnchor::Kind::DropPoint || !editing_) {
        return DropPointAnchor{anchor.x, anchor.y};
    }
    HWND button =
        anchor.kind == DialogAnchor::Kind::ButInCB ? editing_->ButInCB() : editing_->ButInLastWnd();
    RECT window{}, panel{}, b{};
    GetWindowRect(hwnd_, &window);
    // In client coordinates: the bottom bar's top is PanelBottomRoot's.
    GetWindowRect(panelBottomBar_, &panel);
    GetWindowRect(button, &b);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&panel), 2);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&b), 2);
    return ButtonAnchor{.mainLeft = window.left,
                        .mainTop = window.top,
                        .panelTop = panel.top,
                        .buttonLeft = b.left,
                        .buttonTop = b.top - panel.top,
                        .buttonWidth = b.right - b.left,
                        .buttonHeight = b.bottom - b.top};
}

void MainWindow::OnTrayMessage(LPARAM mouseMessage) {
    if (tray_.BalloonEnded(mouseMessage)) {
        if (static_cast<UINT>(mouseMessage) == NIN_BALLOONUSERCLICK) {
            form_->TrayBalloonClick();
        }
        return;
    }
    switch (static_cast<UINT>(mouseMessage)) {
    case WM_LBUTTONUP:
        RunReported(system_.boxes, [this] { form_->TrayIconClick(MouseButton::Left); });
        break;
    case WM_RBUTTONUP: {
        auto item = [](MainCommand command) {
            const CommandRow& row = RowOf(command);
            return TrayIcon::MenuItem{row.id, AnsiToWide(row.caption)};
        };
        const int chosen =
            tray_.TrackMenu(item(MainCommand::TrayShow), item(MainCommand::TrayExit));
        if (chosen != 0) {
            OnCommand(chosen);
        }
        break;
    }
    default:
        break;
    }
}

} // namespace tw::win32
