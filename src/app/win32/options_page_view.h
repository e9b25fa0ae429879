#pragma once
// A page of the options dialog beyond the General one, made by another part of the program:
// its controls live in the dialog and show while its tab is chosen.
#include "app/win32/code_dialog.h"

#include <windows.h>

namespace tw::win32 {

class OptionsPageView {
public:
    virtual ~OptionsPageView() = default;
    virtual const wchar_t* Title() const = 0;
    // Makes the page's controls in the dialog, hidden, inside the area (pixels at 96 dpi).
    virtual void CreateControls(CodeDialog& dialog, const RECT& area96) = 0;
    virtual void ShowPage(bool shown) = 0;
    // True when the control was the page's.
    virtual bool OnCommand(int id, int code) = 0;
    virtual bool OnNotify(const NMHDR& header) = 0;
};

} // namespace tw::win32
