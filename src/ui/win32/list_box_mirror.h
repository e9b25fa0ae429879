#pragma once
// Keeps a Win32 list box equal to one of the core's index lists. The list box holds only the
// count: it is owner-drawn without data, each row drawn from the model when it shows, so a list
// of 100,000 macros is neither copied into the control nor added item by item at start-up.
// The list box still answers LB_GETTEXT with each row's text, so screen readers can read it.
#include "library/list_model.h"
#include "platform/win32/window_base.h"

#include <windows.h>

#include <string>

namespace tw::win32 {

class ListBoxMirror : public ListObserver {
public:
    // The styles a mirrored list box is created with, besides its own (LBS_NOTIFY...).
    static constexpr DWORD kListBoxStyle = LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_WANTKEYBOARDINPUT;

    explicit ListBoxMirror(HWND listBox);
    ~ListBoxMirror() override;
    ListBoxMirror(const ListBoxMirror&) = delete;
    ListBoxMirror& operator=(const ListBoxMirror&) = delete;

    void Attach(ListModel& list);
    void Detach();

    // The model's index for a list box index: they are the same, but this says so in one place.
    int ModelIndexOf(int listBoxIndex) const;
    bool Mirroring() const { return mirroring_ > 0; }
    // What a row shows; empty out of range.
    std::wstring RowText(int row) const;

    // Nested; the list box repaints once when the outermost ends.
    void SuspendRedraw();
    void ResumeRedraw();

    // The rows take the height of the list box's font, as a list box holding strings does; call
    // after every WM_SETFONT.
    void FontChanged();
    // The owner's WM_DRAWITEM and WM_CHARTOITEM for this list box, which the owner reflects
    // here; false when not for it.
    bool OnDrawItem(const DRAWITEMSTRUCT& draw) const;
    bool OnCharToItem(HWND from, wchar_t typed, int caret, LRESULT& result) const;

    void ListReset(const ListModel& list) override;
    void ItemAppended(const ListModel& list, int index) override;
    void SelectionChanged(const ListModel& list, int index) override;

private:
    std::optional<LRESULT> RowTextMessage(UINT msg, WPARAM wp, LPARAM lp) const;

    HWND view_;
    ListModel* list_ = nullptr;
    int mirroring_ = 0;
    int suspended_ = 0;
    Subclass rowText_;
    Reflection reflection_;
};

} // namespace tw::win32
