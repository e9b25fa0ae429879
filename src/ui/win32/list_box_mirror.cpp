#include "ui/win32/list_box_mirror.h"

#include "platform/win32/ansi_path.h"
#include "platform/win32/gdi_scopes.h"

#include <commctrl.h>

#include <cwchar>

namespace tw::win32 {

namespace {

class Guard {
public:
    explicit Guard(int& depth) : depth_(depth) { ++depth_; }
    ~Guard() { --depth_; }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    int& depth_;
};

} // namespace

ListBoxMirror::ListBoxMirror(HWND listBox)
    : view_(listBox), rowText_(listBox, [this](HWND, UINT msg, WPARAM wp,
                                               LPARAM lp) { return RowTextMessage(msg, wp, lp); }),
      reflection_(listBox, [this](UINT msg, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
          LRESULT row = -1;
          if (msg == WM_DRAWITEM && OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) {
              return TRUE;
          }
          if (msg == WM_CHARTOITEM &&
              OnCharToItem(reinterpret_cast<HWND>(lp), static_cast<wchar_t>(LOWORD(wp)),
                           static_cast<short>(HIWORD(wp)), row)) {
              return row;
          }
          return std::nullopt;
      }) {}

ListBoxMirror::~ListBoxMirror() {
    Detach();
}

// A list box without data has no strings to give; accessibility and other readers ask for them.
std::optional<LRESULT> ListBoxMirror::RowTextMessage(UINT msg, WPARAM wp, LPARAM lp) const {
    if (msg == LB_GETTEXT || msg == LB_GETTEXTLEN) {
        const int row = ModelIndexOf(static_cast<int>(wp));
        if (row < 0) {
            return LB_ERR;
        }
        const std::wstring text = RowText(row);
        if (msg == LB_GETTEXT && lp) {
            std::wmemcpy(reinterpret_cast<wchar_t*>(lp), text.c_str(), text.size() + 1);
        }
        return static_cast<LRESULT>(text.size());
    }
    return std::nullopt;
}

void ListBoxMirror::Attach(ListModel& list) {
    Detach();
    list_ = &list;
    list.SetObserver(this);
    FontChanged();
    ListReset(list);
    SelectionChanged(list, list.Selected());
}

void ListBoxMirror::Detach() {
    if (list_) {
        list_->SetObserver(nullptr);
        list_ = nullptr;
    }
}

int ListBoxMirror::ModelIndexOf(int listBoxIndex) const {
    if (!list_ || listBoxIndex < 0 || listBoxIndex >= list_->Count()) {
        return -1;
    }
    return listBoxIndex;
}

std::wstring ListBoxMirror::RowText(int row) const {
    return list_ ? AnsiToWide(list_->Item(row).text) : std::wstring{};
}

void ListBoxMirror::FontChanged() {
    TEXTMETRICW tm{};
    if (WindowDc dc(view_); dc) {
        SelectedObject font(dc.get(),
                            reinterpret_cast<HFONT>(SendMessageW(view_, WM_GETFONT, 0, 0)));
        GetTextMetricsW(dc.get(), &tm);
    }
    if (tm.tmHeight > 0) {
        SendMessageW(view_, LB_SETITEMHEIGHT, 0, MAKELPARAM(tm.tmHeight, 0));
    }
}

bool ListBoxMirror::OnDrawItem(const DRAWITEMSTRUCT& draw) const {
    if (draw.hwndItem != view_) {
        return false;
    }
    RECT rc = draw.rcItem;
    const bool focusRect = (draw.itemState & ODS_FOCUS) && !(draw.itemState & ODS_NOFOCUSRECT);
    // Every action paints the whole row, so a focus change needs no inverting that an earlier
    // repaint could have undone. An empty list shows only the focus.
    if (draw.itemID == static_cast<UINT>(-1)) {
        FillRect(draw.hDC, &rc, GetSysColorBrush(COLOR_WINDOW));
        if (focusRect) {
            DrawFocusRect(draw.hDC, &rc);
        }
        return true;
    }
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    const int text = selected                          ? COLOR_HIGHLIGHTTEXT
                     : (draw.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                                                       : COLOR_WINDOWTEXT;
    SelectedObject font(draw.hDC, reinterpret_cast<HFONT>(SendMessageW(view_, WM_GETFONT, 0, 0)));
    const COLORREF oldBack =
        SetBkColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const COLORREF oldText = SetTextColor(draw.hDC, GetSysColor(text));
    const std::wstring row = RowText(static_cast<int>(draw.itemID));
    ExtTextOutW(draw.hDC, rc.left + 1, rc.top, ETO_OPAQUE | ETO_CLIPPED, &rc, row.c_str(),
                static_cast<UINT>(row.size()), nullptr);
    if (focusRect) {
        DrawFocusRect(draw.hDC, &rc);
    }
    SetTextColor(draw.hDC, oldText);
    SetBkColor(draw.hDC, oldBack);
    return true;
}

bool ListBoxMirror::OnCharToItem(HWND from, wchar_t typed, int caret, LRESULT& result) const {
    if (from != view_) {
        return false;
    }
    // As a list box holding strings does: the next row after the caret starting with the typed
    // letter, whatever its case, going round to the top.
    const int count = list_ ? list_->Count() : 0;
    result = -2; // nothing to move to
    for (int k = 1; k <= count; ++k) {
        const int row = ((caret < 0 ? -1 : caret) + k) % count;
        const std::wstring text = RowText(row);
        if (!text.empty() && CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(), 1,
                                            &typed, 1) == CSTR_EQUAL) {
            result = row;
            break;
        }
    }
    return true;
}

void ListBoxMirror::ListReset(const ListModel& list) {
    Guard echo(mirroring_);
    SuspendRedraw();
    SendMessageW(view_, LB_RESETCONTENT, 0, 0);
    SendMessageW(view_, LB_SETCOUNT, static_cast<WPARAM>(list.Count()), 0);
    ResumeRedraw();
}

void ListBoxMirror::ItemAppended(const ListModel&, int index) {
    Guard echo(mirroring_);
    SendMessageW(view_, LB_INSERTSTRING, static_cast<WPARAM>(index), 0);
}

void ListBoxMirror::SelectionChanged(const ListModel&, int index) {
    Guard echo(mirroring_);
    SendMessageW(view_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ListBoxMirror::SuspendRedraw() {
    if (suspended_++ == 0) {
        SendMessageW(view_, WM_SETREDRAW, FALSE, 0);
    }
}

void ListBoxMirror::ResumeRedraw() {
    if (suspended_ > 0 && --suspended_ == 0) {
        SendMessageW(view_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(view_, nullptr, TRUE);
    }
}

} // namespace tw::win32
