#pragma once
// The search picker's window: a search box, the matching replies one row each (name, folder,
// macro or hot key) and the preview of the highlighted one beside them. Standard controls with
// real text, so screen readers read every row. It turns keys and clicks into the picker's calls.
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_base.h"
#include "delivery/recognition.h"
#include "ui/search_picker.h"

#include <windows.h>

#include <array>
#include <functional>
#include <vector>

namespace tw::win32 {

inline constexpr const wchar_t* kPickerWindowClass = L"TextwrightSearchPicker";
inline constexpr const wchar_t* kPickerCaption = L"Textwright - Find a reply";

class SearchPickerWindow : public WindowBase, public SearchPickerView {
public:
    SearchPickerWindow();
    ~SearchPickerWindow() override;

    // The picker the window drives (null: keys and clicks do nothing), the ShowMacroIns setting
    // at the moment Enter is pressed, what types the keys held for it, and where the steps of
    // its work are reported for measurements.
    struct Parts {
        SearchPicker* picker = nullptr;
        std::function<int()> showMacroIns;
        std::function<void()> typeHeldKeys;
        std::function<void(const char*)> step;
    };
    void Attach(Parts parts) { parts_ = std::move(parts); }
    // While hidden: takes the rows of an empty search and the preview of its first now and
    // reads the picker's texts while idle, so that an opening finds them all done.
    void FillAhead(SearchPicker& picker);
    // Posted when keys are held for the picker.
    static constexpr UINT kKeysHeldMessage = WM_APP + 20;
    // Posted for the preview: it is put in once the list shows, the latest of those asked for.
    static constexpr UINT kShowPreviewMessage = WM_APP + 21;
    // Shows the window at `place` with the focus in an empty search box, in front of all.
    void ShowAt(const ScreenRect& place, HWND target);
    // The size it opens at on a monitor of that dpi.
    static SIZE SizeFor(UINT dpi);
    bool Contains(HWND window) const;
    // Keys typed before the search box had the keyboard, as if typed into it now; `layout` is
    // the one they were typed with.
    void TypeAhead(const std::vector<KeyAction>& keys, HKL layout);

    void ShowRows(const std::vector<PickerRow>& rows, int highlighted) override;
    void HighlightRow(int row) override;
    void ShowPreview(const std::u16string& text) override;
    void ClosePicker() override;

private:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void CreateControls();
    void Layout();
    void ApplyDpi(UINT dpi);
    // Adds the shown rows not yet in the list box, up to `upTo` in all.
    void AddRows(std::size_t upTo);
    void AddRemainingRows();
    std::size_t RowsThatFit() const;
    // Enter, Ctrl+Enter, Esc, Up, Down, Page Up and Page Down in the box and the list.
    // `ctrl`: Ctrl is down with the key.
    std::optional<LRESULT> OnControlKey(UINT msg, WPARAM wp, bool ctrl);
    void ReadTextsWhileIdle(bool on);
    void PutPreview();
    void Step(const char* name) const;

    Parts parts_;
    int highlighted_ = -1;
    HWND label_ = nullptr;
    HWND search_ = nullptr;
    HWND list_ = nullptr;
    HWND preview_ = nullptr;
    Subclass searchKeys_;
    Subclass listKeys_;
    Reflection searchChanged_;
    Reflection listClicked_;
    UniqueFont font_;
    UINT dpi_ = 96;
    HWND target_ = nullptr;
    // The keys down among those held for the picker, as ToUnicodeEx reads them.
    std::array<BYTE, 256> heldState_{};
    // Set while the window goes because another took the focus: that one keeps it.
    bool losingFocus_ = false;
    // Set while rows are put in, so the list's own notifications are not taken for the user's.
    bool filling_ = false;
    std::vector<PickerRow> shownRows_;
    // Rows of shownRows_ in the list box: filled ahead, only those that fit.
    std::size_t rowsInList_ = 0;
    std::wstring previewWanted_;
    std::wstring previewShown_;
    bool previewPosted_ = false;
};

} // namespace tw::win32
