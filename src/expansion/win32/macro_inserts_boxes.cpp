// The value boxes, the scrolling of their panel and the other view operations.
#include "expansion/win32/macro_inserts_window.h"

#include "platform/win32/ansi_path.h"

#include <algorithm>

namespace tw::win32 {

namespace {

constexpr int kBoxHeight = 21;

DialogSize SizeOf(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

int ClientWidth(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return r.right;
}

} // namespace

int MacroInsertsWindow::CreateValueBox(const std::string& text) {
    HWND box = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", AnsiToWide(text).c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, Px(5), Px(5), Px(100), Px(kBoxHeight),
        scrollPanel_, nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(formHwnd_, GWLP_HINSTANCE)), nullptr);
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    const int id = nextBox_++;
    boxHooks_[id] = Subclass(box, [this](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        return std::optional<LRESULT>(OnValueBoxMessage(hwnd, msg, wp, lp));
    });
    boxes_[id] = box;
    boxTops_[id] = Px(5);
    return id;
}

void MacroInsertsWindow::DestroyValueBox(int box) {
    const auto it = boxes_.find(box);
    if (it == boxes_.end()) {
        return;
    }
    boxHooks_.erase(box);
    DestroyWindow(it->second);
    boxes_.erase(it);
    boxTops_.erase(box);
    if (boxes_.empty()) {
        scrollPos_ = 0;
    }
    UpdateScrollRange();
}

void MacroInsertsWindow::PlaceValueBox(int box, int left, int top, int width) {
    const auto it = boxes_.find(box);
    if (it == boxes_.end()) {
        return;
    }
    boxTops_[box] = Px(top);
    MoveWindow(it->second, Px(left), Px(top) - scrollPos_, Px(width), Px(kBoxHeight), TRUE);
    UpdateScrollRange();
}

int MacroInsertsWindow::ValueBoxHeight(int) {
    return kBoxHeight;
}

std::string MacroInsertsWindow::ValueBoxText(int box) {
    const auto it = boxes_.find(box);
    if (it == boxes_.end()) {
        return std::string();
    }
    const int length = GetWindowTextLengthW(it->second);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(it->second, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return WideToUtf8(text);
}

bool MacroInsertsWindow::ValueBoxHasSelection(int box) {
    const auto it = boxes_.find(box);
    if (it == boxes_.end()) {
        return false;
    }
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(it->second, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return end > start;
}

void MacroInsertsWindow::SelectAllOfValueBox(int box) {
    const auto it = boxes_.find(box);
    if (it != boxes_.end()) {
        SendMessageW(it->second, EM_SETSEL, 0, -1);
    }
}

DialogSize MacroInsertsWindow::FormSize() {
    return Logical(SizeOf(formHwnd_));
}

void MacroInsertsWindow::SetFormSize(DialogSize size) {
    SetWindowPos(formHwnd_, nullptr, 0, 0, Px(size.width), Px(size.height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The screen's size and the largest size, which the logic sets to it, stay in screen pixels:
// the placement against real controls uses the same measure.
void MacroInsertsWindow::SetFormMaxSize(DialogSize size) {
    maxSize_ = size;
}

DialogSize MacroInsertsWindow::ScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

int MacroInsertsWindow::ScrollPanelClientWidth() {
    return Logical(ClientWidth(scrollPanel_));
}

int MacroInsertsWindow::PanelBotWidth() {
    return Logical(ClientWidth(panelBot_));
}

int MacroInsertsWindow::CheckShowWidth() {
    return Logical(SizeOf(checkShow_).width);
}

int MacroInsertsWindow::ButtonOkWidth() {
    return Logical(SizeOf(buttonOk_).width);
}

void MacroInsertsWindow::SetButtonOkLeft(int left) {
    RECT r;
    GetWindowRect(buttonOk_, &r);
    MapWindowPoints(nullptr, panelBot_, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(buttonOk_, nullptr, Px(left), r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MacroInsertsWindow::SetCheckShow(bool checked) {
    SendMessageW(checkShow_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool MacroInsertsWindow::CheckShowChecked() {
    return SendMessageW(checkShow_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MacroInsertsWindow::UpdateScrollRange() {
    int content = 0;
    for (const auto& [id, top] : boxTops_) {
        content = std::max(content, top + Px(kBoxHeight + 5));
    }
    RECT r;
    GetClientRect(scrollPanel_, &r);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = content > 0 ? content - 1 : 0;
    si.nPage = static_cast<UINT>(std::max(static_cast<int>(r.bottom), 0));
    SetScrollInfo(scrollPanel_, SB_VERT, &si, TRUE);
    ScrollTo(scrollPos_);
}

void MacroInsertsWindow::ScrollTo(int position) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(scrollPanel_, SB_VERT, &si);
    const int limit = std::max(0, si.nMax + 1 - static_cast<int>(si.nPage));
    position = std::clamp(position, 0, limit);
    if (position == scrollPos_) {
        return;
    }
    scrollPos_ = position;
    si.fMask = SIF_POS;
    si.nPos = position;
    SetScrollInfo(scrollPanel_, SB_VERT, &si, TRUE);
    for (const auto& [id, box] : boxes_) {
        RECT b;
        GetWindowRect(box, &b);
        MapWindowPoints(nullptr, scrollPanel_, reinterpret_cast<POINT*>(&b), 2);
        SetWindowPos(box, nullptr, b.left, boxTops_[id] - scrollPos_, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(scrollPanel_, nullptr, TRUE);
}

void MacroInsertsWindow::ScrollIntoView(HWND box) {
    const int id = BoxId(box);
    if (id == 0) {
        return;
    }
    RECT r;
    GetClientRect(scrollPanel_, &r);
    const int top = boxTops_[id];
    const int gap = Px(5), bottom = top + Px(kBoxHeight + 5);
    if (top - gap < scrollPos_) {
        ScrollTo(top - gap);
    } else if (bottom > scrollPos_ + r.bottom) {
        ScrollTo(bottom - r.bottom);
    }
}

} // namespace tw::win32
