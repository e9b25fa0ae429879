#pragma once
// ColorPopup: the colour menu behind ColorBut. One owner-drawn radio item per colour-table entry,
// each with a swatch of its colour between the check and the caption.
#include <windows.h>

#include <string>
#include <vector>

namespace tw::win32 {

class ColorPopup {
public:
    ColorPopup();
    ~ColorPopup();
    ColorPopup(const ColorPopup&) = delete;
    ColorPopup& operator=(const ColorPopup&) = delete;

    // Captions in colour-table order.
    void Fill(const std::vector<std::string>& captions);
    // -1 unchecks every item.
    void Check(int entry);
    int Checked() const { return checked_; }
    int ItemCount() const { return static_cast<int>(captions_.size()); }
    // Opens at a screen point; the owner forwards WM_MEASUREITEM and WM_DRAWITEM here. Returns
    // the chosen entry, -1 when the menu was dismissed.
    int Track(HWND owner, POINT at);
    bool OnMeasureItem(HWND owner, MEASUREITEMSTRUCT& item);
    bool OnDrawItem(const DRAWITEMSTRUCT& item);

private:
    HMENU menu_;
    std::vector<std::wstring> captions_;
    int checked_ = -1;
};

} // namespace tw::win32
