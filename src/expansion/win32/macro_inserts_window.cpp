#include "expansion/win32/macro_inserts_window.h"

#include "platform/dpi_scale.h"

namespace tw::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"TwMacroInsertsForm";
constexpr wchar_t kPanelClass[] = L"TwMacroInsertsPanel";
constexpr wchar_t kCaption[] = L"Textwright - Do Macro Insertions and Replacements ";
constexpr int kClientWidth = 392;
constexpr int kClientHeight = 132;
constexpr int kPanelBotHeight = 41;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 8;
constexpr int kCheckWidth = 97;
constexpr int kCheckHeight = 17;
constexpr int kCheckTop = 13;
constexpr int kCheckRightGap = kClientWidth - 289; // anchored to the right edge
constexpr int kBoxHeight = 21;

void RegisterClasses(HINSTANCE instance) {
    static bool done = false;
    if (done) {
        return;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
    wc.lpszClassName = kPanelClass;
    RegisterClassExW(&wc);
    done = true;
}

// The dialog font at the screen's dpi: the system's GUI font is made for 96 dpi.
UniqueFont ScaledGuiFont(UINT dpi) {
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfHeight = ScaleForDpi(font.lfHeight, static_cast<int>(dpi));
    return UniqueFont(CreateFontIndirectW(&font));
}

} // namespace

MacroInsertsWindow::MacroInsertsWindow(HINSTANCE instance, RawRegistry& settings, HWND mainWindow)
    : form_(*this, settings), mainWindow_(mainWindow) {
    RegisterClasses(instance);
    CreateControls(instance);
    ready_ = true;
}

MacroInsertsWindow::~MacroInsertsWindow() {
    form_.FormDestroy();
    // The main window destroys the windows it owns when it goes first.
    if (IsWindow(formHwnd_)) {
        DestroyWindow(formHwnd_);
    }
}

void MacroInsertsWindow::CreateControls(HINSTANCE instance) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_TOPMOST | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    formHwnd_ = CreateWindowExW(exStyle, kFormClass, kCaption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                0, 0, mainWindow_, nullptr, instance, nullptr);
    const UINT dpi = formHwnd_ ? GetDpiForWindow(formHwnd_) : 0;
    dpi_ = dpi ? dpi : GetDpiForSystem();
    RECT frame{0, 0, Px(kClientWidth), Px(kClientHeight)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi_);
    SetWindowPos(formHwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    formHook_ = Subclass(formHwnd_, [this](HWND, UINT msg, WPARAM wp, LPARAM lp) {
        return std::optional<LRESULT>(OnFormMessage(msg, wp, lp));
    });
    font_ = ScaledGuiFont(dpi_);

    // The scroll panel comes first in the tab order, so the first value box gets the focus.
    scrollPanel_ = CreateWindowExW(WS_EX_STATICEDGE | WS_EX_CONTROLPARENT, kPanelClass, L"",
                                   WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN, 0, 0,
                                   Px(kClientWidth), Px(kClientHeight - kPanelBotHeight), formHwnd_,
                                   nullptr, instance, nullptr);
    panelBot_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"", WS_CHILD | WS_VISIBLE, 0,
                                Px(kClientHeight - kPanelBotHeight), Px(kClientWidth),
                                Px(kPanelBotHeight), formHwnd_, nullptr, instance, nullptr);
    int hook = 0;
    for (HWND panel : {scrollPanel_, panelBot_}) {
        panelHooks_[hook++] = Subclass(panel, [this](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
            return std::optional<LRESULT>(OnPanelMessage(hwnd, msg, wp, lp));
        });
    }
    buttonOk_ = CreateWindowExW(
        0, L"BUTTON", L"Accept", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
        Px(kButtonTop), Px(kButtonWidth), Px(kButtonHeight), panelBot_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
    checkShow_ = CreateWindowExW(0, L"BUTTON", L"Show the Dialog",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                                 Px(kClientWidth - kCheckRightGap), Px(kCheckTop), Px(kCheckWidth),
                                 Px(kCheckHeight), panelBot_, nullptr, instance, nullptr);
    SendMessageW(buttonOk_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageW(checkShow_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageW(checkShow_, BM_SETCHECK, BST_CHECKED, 0);
    Layout();
}

LRESULT MacroInsertsWindow::OnFormMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        Layout();
        if (ready_) {
            form_.FormResize();
        }
        return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        info->ptMinTrackSize =
            POINT{Px(kMacroInsertsMinSize.width), Px(kMacroInsertsMinSize.height)};
        if (maxSize_.width > 0 && maxSize_.height > 0) {
            info->ptMaxTrackSize = POINT{maxSize_.width, maxSize_.height};
        }
        return 0;
    }
    case WM_CLOSE:
        result_ = DialogClose::Cancel; // the close box means Cancel; the window is reused
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE && IsChild(formHwnd_, GetFocus())) {
            lastFocus_ = GetFocus();
        }
        return DefWindowProcW(formHwnd_, msg, wp, lp);
    case WM_SETFOCUS:
        // As a dialog does: activated again, for instance by the window system once it has
        // caught up, the window hands the focus back to its control instead of keeping it.
        if (lastFocus_ != nullptr && IsChild(formHwnd_, lastFocus_)) {
            SetFocus(lastFocus_);
        }
        return 0;
    default:
        return DefWindowProcW(formHwnd_, msg, wp, lp);
    }
}

LRESULT MacroInsertsWindow::OnPanelMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        if (reinterpret_cast<HWND>(lp) == buttonOk_) {
            result_ = DialogClose::Ok;
        } else if (reinterpret_cast<HWND>(lp) == checkShow_) {
            form_.CheckShowClick();
        }
        return 0;
    }
    if (msg == WM_VSCROLL && hwnd == scrollPanel_) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        GetScrollInfo(hwnd, SB_VERT, &si);
        int pos = si.nPos;
        switch (LOWORD(wp)) {
        case SB_LINEUP:
            pos -= Px(kBoxHeight);
            break;
        case SB_LINEDOWN:
            pos += Px(kBoxHeight);
            break;
        case SB_PAGEUP:
            pos -= static_cast<int>(si.nPage);
            break;
        case SB_PAGEDOWN:
            pos += static_cast<int>(si.nPage);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            pos = si.nTrackPos;
            break;
        default:
            break;
        }
        ScrollTo(pos);
        return 0;
    }
    if (msg == WM_MOUSEWHEEL && hwnd == scrollPanel_) {
        ScrollTo(scrollPos_ - GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA * 3 * Px(kBoxHeight));
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT MacroInsertsWindow::OnValueBoxMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const LRESULT result = Subclass::Original(hwnd, msg, wp, lp);
    if (msg == WM_LBUTTONUP) {
        form_.ValueBoxMouseUp(BoxId(hwnd));
    } else if (msg == WM_KILLFOCUS) {
        form_.ValueBoxExit(BoxId(hwnd));
    } else if (msg == WM_SETFOCUS) {
        ScrollIntoView(hwnd);
    }
    return result;
}

void MacroInsertsWindow::Layout() {
    RECT client;
    GetClientRect(formHwnd_, &client);
    const int width = client.right;
    const int height = client.bottom;
    const int panelBot = Px(kPanelBotHeight);
    MoveWindow(panelBot_, 0, height - panelBot, width, panelBot, TRUE);
    MoveWindow(scrollPanel_, 0, 0, width, height > panelBot ? height - panelBot : 0, TRUE);
    MoveWindow(checkShow_, width - Px(kCheckRightGap), Px(kCheckTop), Px(kCheckWidth),
               Px(kCheckHeight), TRUE);
    UpdateScrollRange();
    RECT panel;
    GetClientRect(scrollPanel_, &panel);
    const int boxWidth = panel.right - Px(10);
    for (const auto& [id, box] : boxes_) {
        SetWindowPos(box, nullptr, 0, 0, boxWidth, Px(kBoxHeight),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

int MacroInsertsWindow::BoxId(HWND box) const {
    for (const auto& [id, hwnd] : boxes_) {
        if (hwnd == box) {
            return id;
        }
    }
    return 0;
}

std::vector<HWND> MacroInsertsWindow::ValueBoxes() const {
    std::vector<HWND> list;
    for (const auto& [id, box] : boxes_) {
        list.push_back(box);
    }
    return list;
}

} // namespace tw::win32
