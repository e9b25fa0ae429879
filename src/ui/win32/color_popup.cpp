#include "ui/win32/color_popup.h"

#include "platform/dpi_scale.h"
#include "platform/win32/ansi_path.h"
#include "platform/win32/gdi_scopes.h"
#include "platform/win32/unique_handle.h"
#include "ui/text_format.h"

#include <algorithm>

namespace tw::win32 {
namespace {

constexpr UINT kFirstItemId = 1300;
constexpr int kSwatchGap = 6, kSwatchWidth = 20, kSwatchInset = 3;

int DpiOf(HWND owner) {
    const UINT dpi = owner ? GetDpiForWindow(owner) : 0;
    return dpi ? static_cast<int>(dpi) : 96;
}

COLORREF SwatchColor(std::size_t entry) {
    const TextColor& c = ColorTable()[entry];
    return c.automatic ? GetSysColor(COLOR_WINDOWTEXT) : RGB(c.rgb.r, c.rgb.g, c.rgb.b);
}

HFONT MenuFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return CreateFontIndirectW(&metrics.lfMenuFont);
}

} // namespace

ColorPopup::ColorPopup() : menu_(CreatePopupMenu()) {}

ColorPopup::~ColorPopup() {
    if (menu_) {
        DestroyMenu(menu_);
    }
}

void ColorPopup::Fill(const std::vector<std::string>& captions) {
    while (GetMenuItemCount(menu_) > 0) {
        DeleteMenu(menu_, 0, MF_BYPOSITION);
    }
    captions_.clear();
    for (std::size_t i = 0; i < captions.size() && i < ColorTable().size(); ++i) {
        captions_.push_back(AnsiToWide(captions[i]));
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
        item.fType = MFT_OWNERDRAW | MFT_RADIOCHECK;
        item.wID = kFirstItemId + static_cast<UINT>(i);
        item.dwItemData = i;
        InsertMenuItemW(menu_, static_cast<UINT>(i), TRUE, &item);
    }
    Check(checked_);
}

void ColorPopup::Check(int entry) {
    checked_ = entry >= 0 && entry < ItemCount() ? entry : -1;
    for (int i = 0; i < ItemCount(); ++i) {
        CheckMenuItem(menu_, static_cast<UINT>(i),
                      MF_BYPOSITION | (i == checked_ ? MF_CHECKED : MF_UNCHECKED));
    }
}

int ColorPopup::Track(HWND owner, POINT at) {
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
        at.y, 0, owner, nullptr));
    if (chosen < kFirstItemId || chosen >= kFirstItemId + static_cast<UINT>(ItemCount())) {
        return -1;
    }
    return static_cast<int>(chosen - kFirstItemId);
}

bool ColorPopup::OnMeasureItem(HWND owner, MEASUREITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU || item.itemData >= captions_.size()) {
        return false;
    }
    const int dpi = DpiOf(owner);
    SIZE text{};
    if (WindowDc dc(owner); dc) {
        UniqueFont font(MenuFont());
        SelectedObject selected(dc.get(), font.get());
        const std::wstring& caption = captions_[item.itemData];
        GetTextExtentPoint32W(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &text);
    }
    item.itemWidth = static_cast<UINT>(text.cx + ScaleForDpi(2 * kSwatchGap + kSwatchWidth, dpi));
    item.itemHeight =
        static_cast<UINT>(std::max<LONG>(text.cy + ScaleForDpi(6, dpi), ScaleForDpi(20, dpi)));
    return true;
}

bool ColorPopup::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU || item.itemData >= captions_.size()) {
        return false;
    }
    const int dpi = DpiOf(WindowFromDC(item.hDC));
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    const int check = GetSystemMetrics(SM_CXMENUCHECK);
    if (item.itemState & ODS_CHECKED) {
        // The radio item's bullet, centred in the check column.
        const int d = std::max(4, check / 3), cx = r.left + check / 2 + 2,
                  cy = (r.top + r.bottom) / 2;
        UniqueBrush bullet(
            CreateSolidBrush(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT)));
        SelectedObject brush(item.hDC, bullet.get());
        SelectedObject pen(item.hDC, GetStockObject(NULL_PEN));
        Ellipse(item.hDC, cx - d / 2, cy - d / 2, cx + d / 2 + 1, cy + d / 2 + 1);
    }
    const int inset = ScaleForDpi(kSwatchInset, dpi);
    RECT swatch{r.left + check + ScaleForDpi(kSwatchGap, dpi), r.top + inset, 0, r.bottom - inset};
    swatch.right = swatch.left + ScaleForDpi(kSwatchWidth, dpi);
    HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_MENUTEXT));
    FillRect(item.hDC, &swatch, frame);
    DeleteObject(frame);
    RECT inside{swatch.left + 1, swatch.top + 1, swatch.right - 1, swatch.bottom - 1};
    HBRUSH fill = CreateSolidBrush(SwatchColor(item.itemData));
    FillRect(item.hDC, &inside, fill);
    DeleteObject(fill);
    RECT text{swatch.right + ScaleForDpi(kSwatchGap, dpi), r.top, r.right, r.bottom};
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    DrawTextW(item.hDC, captions_[item.itemData].c_str(), -1, &text,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    return true;
}

} // namespace tw::win32
