#include "app/win32/code_dialog.h"

#include "app/dialog_placement.h"
#include "platform/dpi_scale.h"

#include <optional>
#include <vector>

namespace tw::win32 {

namespace {

ScreenBox ToScreenBox(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

UINT DpiOfWindow(HWND hwnd) {
    const UINT dpi = hwnd ? GetDpiForWindow(hwnd) : 0;
    return dpi ? dpi : GetDpiForSystem();
}

UniqueFont CreateUiFont(UINT dpi, bool bold) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font{};
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        font = metrics.lfMessageFont;
    } else {
        font.lfHeight = -PointsToPixels(9, static_cast<int>(dpi));
        lstrcpyW(font.lfFaceName, L"Segoe UI");
    }
    if (bold) {
        font.lfWeight = FW_BOLD;
    }
    return UniqueFont(CreateFontIndirectW(&font));
}

INT_PTR CodeDialog::RunModal(HWND owner) {
    // An empty template: the controls come from OnInit.
    std::vector<WORD> tmpl(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(tmpl.data());
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    header->dwExtendedStyle = WS_EX_DLGMODALFRAME;
    owner_ = owner;
    const INT_PTR result =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), header, owner, &CodeDialog::DialogProc,
                                reinterpret_cast<LPARAM>(this));
    hwnd_ = nullptr;
    return result == -1 ? IDCANCEL : result;
}

int CodeDialog::Scale(int pixels96) const {
    return ScaleForDpi(pixels96, static_cast<int>(dpi_));
}

HWND CodeDialog::AddControl(const wchar_t* windowClass, const wchar_t* text, DWORD style, int x,
                            int y, int width, int height, int id) {
    HWND control = CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, Scale(x),
                                   Scale(y), Scale(width), Scale(height), hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
}

HFONT CodeDialog::BoldFont() {
    if (!bold_) {
        bold_ = CreateUiFont(dpi_, true);
    }
    return bold_.get();
}

void CodeDialog::EndDialogWith(INT_PTR result) {
    if (hwnd_) {
        EndDialog(hwnd_, result);
    }
}

void CodeDialog::SizeAndPlace(HWND owner) {
    const SIZE client = ClientSize96();
    RECT frame{0, 0, Scale(client.cx), Scale(client.cy)};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)), dpi_);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT area{};
    if (Place() == Placement::OverOwner && owner && IsWindowVisible(owner)) {
        GetWindowRect(owner, &area);
    } else {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromWindow(owner ? owner : hwnd_, MONITOR_DEFAULTTOPRIMARY), &info);
        area = info.rcWork;
    }
    // Over an owner that hangs off the screen the dialog still opens fully on it.
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    std::optional<ScreenBox> work;
    if (GetMonitorInfoW(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &screen)) {
        work = ToScreenBox(screen.rcWork);
    }
    const ScreenPosition p = PlaceDialog(ToScreenBox(area), width, height, work);
    SetWindowPos(hwnd_, nullptr, p.x, p.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CodeDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<CodeDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        self = reinterpret_cast<CodeDialog*>(lp);
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        self->hwnd_ = hwnd;
        self->dpi_ = DpiOfWindow(hwnd);
        self->bold_.reset();
        self->font_ = CreateUiFont(self->dpi_);
        SetWindowTextW(hwnd, self->Caption());
        self->SizeAndPlace(self->owner_);
        self->OnInit();
        return TRUE;
    }
    case WM_COMMAND:
        if (self) {
            self->OnCommand(LOWORD(wp), HIWORD(wp));
            return TRUE;
        }
        break;
    case WM_NOTIFY:
        if (self && lp) {
            self->OnNotify(*reinterpret_cast<const NMHDR*>(lp));
        }
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace tw::win32
