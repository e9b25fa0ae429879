#pragma once
// A modal dialog whose controls are laid out in code, in pixels at 96 dpi scaled for the
// monitor, rather than in dialog units from a template.
#include "platform/win32/unique_handle.h"

#include <windows.h>

namespace tw::win32 {

class CodeDialog {
public:
    virtual ~CodeDialog() = default;
    // Returns the result given to EndDialogWith; IDCANCEL when the window could not be made.
    INT_PTR RunModal(HWND owner);
    HWND Handle() const { return hwnd_; }
    // A control in pixels at 96 dpi, scaled for the dialog's monitor, in the dialog's font.
    HWND AddControl(const wchar_t* windowClass, const wchar_t* text, DWORD style, int x, int y,
                    int width, int height, int id);
    int Scale(int pixels96) const;

protected:
    enum class Placement { OverOwner, OnScreen };

    virtual const wchar_t* Caption() const = 0;
    virtual SIZE ClientSize96() const = 0;
    virtual Placement Place() const { return Placement::OverOwner; }
    virtual void OnInit() = 0;
    // Escape and the close box arrive as IDCANCEL.
    virtual void OnCommand(int id, int code) = 0;
    virtual void OnNotify(const NMHDR& header) { (void)header; }

    void EndDialogWith(INT_PTR result);
    UINT Dpi() const { return dpi_; }
    HFONT BoldFont();

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void SizeAndPlace(HWND owner);

    HWND hwnd_ = nullptr;
    HWND owner_ = nullptr;
    UINT dpi_ = 96;
    UniqueFont font_;
    UniqueFont bold_;
};

// The message font of the system at the given dpi.
UniqueFont CreateUiFont(UINT dpi, bool bold = false);
UINT DpiOfWindow(HWND hwnd);

} // namespace tw::win32
