#include "ui/win32/search_picker_window.h"

#include "app/dpi_scale.h"
#include "app/win32/code_dialog.h"
#include "platform/win32/ansi_path.h"

#include <algorithm>

namespace tw::win32 {
namespace {

constexpr int kWidth96 = 680, kHeight96 = 340;
constexpr int kMargin96 = 8, kBoxHeight96 = 23, kLabelWidth96 = 34, kListWidth96 = 420;
constexpr UINT_PTR kReadTimerId = 1;
// The rows beyond those that fit come a few frames after an opening: a key typed at once goes
// first, and the list it shows replaces them anyway.
constexpr UINT_PTR kMoreRowsTimerId = 2;
constexpr UINT kMoreRowsDelayMs = 50;
// Texts checked per tick: a tick stays far below a frame while typing goes on between ticks.
constexpr std::size_t kTextsPerTick = 10;
constexpr int kPageRows = 10;

// The edit control breaks lines at CR LF only.
std::wstring WithCrLf(const std::u16string& text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = static_cast<wchar_t>(text[i]);
        if (c == L'\r' || c == L'\n') {
            out += L"\r\n";
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
        } else {
            out += c;
        }
    }
    return out;
}

std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

SearchPickerWindow::SearchPickerWindow() {
    WNDCLASSEXW wc{};
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kPickerWindowClass;
    RegisterWindowClass(wc);
    const SIZE size = SizeFor(GetDpiForSystem());
    // Without a caption: a window manager need not place it, so the keyboard focus moves to it
    // at once, and it stays where the caret is.
    CreateWindowFor(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT, kPickerWindowClass,
                    kPickerCaption, WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN,
                    RECT{0, 0, size.cx, size.cy}, nullptr, nullptr);
    if (hwnd_) {
        CreateControls();
        ApplyDpi(DpiOfWindow(hwnd_));
    }
}

SearchPickerWindow::~SearchPickerWindow() {
    parts_ = {};
    if (hwnd_) {
        DestroyWindow(hwnd_);
    }
}

SIZE SearchPickerWindow::SizeFor(UINT dpi) {
    return {ScaleForDpi(kWidth96, static_cast<int>(dpi)),
            ScaleForDpi(kHeight96, static_cast<int>(dpi))};
}

bool SearchPickerWindow::Contains(HWND window) const {
    return hwnd_ && window && (window == hwnd_ || IsChild(hwnd_, window));
}

void SearchPickerWindow::CreateControls() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle) {
        return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, hwnd_,
                               nullptr, instance, nullptr);
    };
    // The label comes first: a screen reader names the box after it.
    label_ = child(L"STATIC", L"&Find:", SS_LEFT, 0);
    search_ = child(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
    list_ = child(L"LISTBOX", L"Replies",
                  LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                  WS_EX_CLIENTEDGE);
    // No scroll bar: drawn with the window it cost more than the rest of the preview; the wheel
    // and the keys still scroll a long one.
    preview_ = child(L"EDIT", L"", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_TABSTOP,
                     WS_EX_CLIENTEDGE);
    const auto keys = [this](HWND, UINT msg, WPARAM wp, LPARAM) {
        return OnControlKey(msg, wp, GetKeyState(VK_CONTROL) < 0);
    };
    searchKeys_ = Subclass(search_, keys);
    listKeys_ = Subclass(list_, keys);
    searchChanged_ = ReflectCommand(search_, [this](WPARAM wp, LPARAM) {
        if (HIWORD(wp) == EN_CHANGE && parts_.picker) {
            parts_.picker->QueryChanged(WideToUtf8(TextOf(search_)));
        }
        return true;
    });
    listClicked_ = ReflectCommand(list_, [this](WPARAM wp, LPARAM) {
        if (!parts_.picker || filling_) {
            return true;
        }
        if (HIWORD(wp) == LBN_SELCHANGE) {
            const int row = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
            if (row >= 0) {
                parts_.picker->Move(row - highlighted_);
            }
        } else if (HIWORD(wp) == LBN_DBLCLK) {
            parts_.picker->Accept(false, parts_.showMacroIns ? parts_.showMacroIns() : 0);
        }
        return true;
    });
}

void SearchPickerWindow::ApplyDpi(UINT dpi) {
    dpi_ = dpi;
    UniqueFont font = CreateUiFont(dpi_);
    for (HWND control : {label_, search_, list_, preview_}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    font_ = std::move(font);
    // Name, folder, then the macro or hot key; in dialog units, which follow the font.
    INT stops[] = {100, 170};
    SendMessageW(list_, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops));
    Layout();
}

void SearchPickerWindow::Layout() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const auto s = [this](int pixels96) { return ScaleForDpi(pixels96, static_cast<int>(dpi_)); };
    const int m = s(kMargin96), box = s(kBoxHeight96);
    const int listWidth = std::min<int>(s(kListWidth96), client.right - 3 * m);
    const int previewLeft = 2 * m + listWidth;
    MoveWindow(label_, m, m + s(3), s(kLabelWidth96), box - s(3), TRUE);
    MoveWindow(search_, m + s(kLabelWidth96), m, listWidth - s(kLabelWidth96), box, TRUE);
    MoveWindow(list_, m, 2 * m + box, listWidth, client.bottom - 3 * m - box, TRUE);
    MoveWindow(preview_, previewLeft, m, client.right - previewLeft - m, client.bottom - 2 * m,
               TRUE);
}

void SearchPickerWindow::ShowAt(const ScreenRect& place, HWND target) {
    target_ = target;
    heldState_.fill(0);
    heldState_[VK_CAPITAL] = static_cast<BYTE>(GetKeyState(VK_CAPITAL) & 1);
    SetWindowTextW(search_, L"");
    SetWindowPos(hwnd_, HWND_TOPMOST, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Step("painted");
    if (rowsInList_ < shownRows_.size()) {
        SetTimer(hwnd_, kMoreRowsTimerId, kMoreRowsDelayMs, nullptr);
    }
    SetForegroundWindow(hwnd_);
    SetFocus(search_);
    ReadTextsWhileIdle(true);
}

void SearchPickerWindow::ShowRows(const std::vector<PickerRow>& rows, int highlighted) {
    if (rows == shownRows_) {
        // Filled ahead while hidden: at most the highlight is new.
        if (highlighted != highlighted_) {
            HighlightRow(highlighted);
        }
        return;
    }
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    shownRows_ = rows;
    rowsInList_ = 0;
    // Hidden, only the rows that fit: a list without a scroll bar shows in a third of the time
    // under Wine, and the rest follow once the window is up.
    AddRows(IsWindowVisible(hwnd_) ? rows.size() : RowsThatFit());
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(highlighted), 0);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    highlighted_ = highlighted;
}

void SearchPickerWindow::AddRows(std::size_t upTo) {
    filling_ = true;
    for (; rowsInList_ < std::min(upTo, shownRows_.size()); ++rowsInList_) {
        const PickerRow& row = shownRows_[rowsInList_];
        const std::wstring text =
            AnsiToWide(row.name) + L"\t" + AnsiToWide(row.folder) + L"\t" + AnsiToWide(row.trigger);
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    filling_ = false;
}

void SearchPickerWindow::AddRemainingRows() {
    if (rowsInList_ >= shownRows_.size()) {
        return;
    }
    // Row by row, a shown list box redraws its scroll bar each time.
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    AddRows(shownRows_.size());
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

std::size_t SearchPickerWindow::RowsThatFit() const {
    RECT client{};
    GetClientRect(list_, &client);
    const LRESULT row = SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0);
    return row > 0 ? static_cast<std::size_t>(client.bottom / row) : shownRows_.size();
}

void SearchPickerWindow::FillAhead(SearchPicker& picker) {
    parts_.picker = &picker;
    // Highlighted as an opening highlights them.
    ShowRows(picker.PreparedRows(), picker.PreparedRows().empty() ? -1 : 0);
    ShowPreview(picker.PreparedPreview());
    ReadTextsWhileIdle(true);
}

void SearchPickerWindow::HighlightRow(int row) {
    if (row >= 0 && static_cast<std::size_t>(row) >= rowsInList_) {
        AddRemainingRows();
    }
    filling_ = true;
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    highlighted_ = row;
    filling_ = false;
}

void SearchPickerWindow::ShowPreview(const std::u16string& text) {
    previewWanted_ = WithCrLf(text);
    // Shown, the edit control repaints itself at once, which takes longer than the list: it
    // comes after the list, and once for keys typed in a burst.
    if (!IsWindowVisible(hwnd_) ||
        (!previewPosted_ && !PostMessageW(hwnd_, kShowPreviewMessage, 0, 0))) {
        PutPreview();
        return;
    }
    previewPosted_ = true;
}

void SearchPickerWindow::PutPreview() {
    previewPosted_ = false;
    if (previewWanted_ == previewShown_) {
        return;
    }
    previewShown_ = previewWanted_;
    SetWindowTextW(preview_, previewShown_.c_str());
}

void SearchPickerWindow::Step(const char* name) const {
    if (parts_.step) {
        parts_.step(name);
    }
}

void SearchPickerWindow::ClosePicker() {
    ReadTextsWhileIdle(false);
    // Another window that took the focus keeps it; otherwise it goes back where it was, before
    // the picker hides, so no other window comes to the front in between.
    if (!losingFocus_ && target_ && IsWindow(target_)) {
        SetForegroundWindow(target_);
    }
    ShowWindow(hwnd_, SW_HIDE);
}

void SearchPickerWindow::ReadTextsWhileIdle(bool on) {
    // Timer messages come only when no other message waits: typing goes first.
    if (on) {
        SetTimer(hwnd_, kReadTimerId, 1, nullptr);
    } else {
        KillTimer(hwnd_, kReadTimerId);
    }
}

void SearchPickerWindow::TypeAhead(const std::vector<KeyAction>& keys, HKL layout) {
    BYTE* state = heldState_.data();
    for (const KeyAction& key : keys) {
        if (!parts_.picker || !parts_.picker->IsOpen()) {
            return; // Enter or Esc among them closed the picker
        }
        const UINT vk = key.virtualKey & 0xFF;
        const BYTE down = key.pressed ? 0x80 : 0;
        state[vk] = static_cast<BYTE>((state[vk] & 1) | down);
        for (const auto& [side, both] : {std::pair{VK_LSHIFT, VK_SHIFT},
                                         {VK_RSHIFT, VK_SHIFT},
                                         {VK_LCONTROL, VK_CONTROL},
                                         {VK_RCONTROL, VK_CONTROL},
                                         {VK_LMENU, VK_MENU},
                                         {VK_RMENU, VK_MENU}}) {
            if (vk == static_cast<UINT>(side)) {
                state[both] = down;
            }
        }
        if (!key.pressed || OnControlKey(WM_KEYDOWN, vk, (state[VK_CONTROL] & 0x80) != 0)) {
            continue;
        }
        wchar_t chars[8] = {};
        const int n = ToUnicodeEx(vk, key.scanCode, state, chars, 8, 0, layout);
        if (n == 0) {
            // Left, Right, Home, End, Delete: the box moves its caret or deletes itself.
            SendMessageW(search_, WM_KEYDOWN, vk, 0);
        }
        for (int i = 0; i < n; ++i) {
            SendMessageW(search_, WM_CHAR, chars[i], 0);
        }
    }
}

std::optional<LRESULT> SearchPickerWindow::OnControlKey(UINT msg, WPARAM wp, bool ctrl) {
    if (!parts_.picker) {
        return std::nullopt;
    }
    if (msg == WM_CHAR && (wp == L'\r' || wp == L'\n' || wp == 0x1B)) {
        return 0; // acted on at the key's press; no beep
    }
    if (msg != WM_KEYDOWN) {
        return std::nullopt;
    }
    switch (wp) {
    case VK_RETURN:
        parts_.picker->Accept(ctrl, parts_.showMacroIns ? parts_.showMacroIns() : 0);
        return 0;
    case VK_ESCAPE:
        parts_.picker->Cancel();
        return 0;
    case VK_UP:
    case VK_DOWN:
        parts_.picker->Move(wp == VK_UP ? -1 : 1);
        return 0;
    case VK_PRIOR:
    case VK_NEXT:
        parts_.picker->Move(wp == VK_PRIOR ? -kPageRows : kPageRows);
        return 0;
    default:
        return std::nullopt;
    }
}

LRESULT SearchPickerWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            if (parts_.picker && IsWindowVisible(hwnd_)) {
                losingFocus_ = true;
                parts_.picker->Cancel();
                losingFocus_ = false;
            }
        } else {
            SetFocus(search_);
        }
        return 0;
    case kShowPreviewMessage:
        PutPreview();
        return 0;
    case kKeysHeldMessage:
        if (parts_.typeHeldKeys) {
            parts_.typeHeldKeys();
        }
        return 0;
    case WM_CLOSE:
        if (parts_.picker) {
            parts_.picker->Cancel();
        }
        return 0;
    case WM_TIMER:
        if (wp == kMoreRowsTimerId) {
            KillTimer(hwnd_, kMoreRowsTimerId);
            AddRemainingRows();
        }
        if (wp == kReadTimerId && (!parts_.picker || !parts_.picker->ReadTexts(kTextsPerTick))) {
            ReadTextsWhileIdle(false);
        }
        return 0;
    case WM_SIZE:
        Layout();
        return 0;
    case WM_DPICHANGED: {
        const RECT& r = *reinterpret_cast<const RECT*>(lp);
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ApplyDpi(HIWORD(wp));
        return 0;
    }
    default:
        return DefaultMessage(msg, wp, lp);
    }
}

} // namespace tw::win32
