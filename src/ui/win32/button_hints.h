#pragma once
// Picture buttons: a 16 x 16 icon of the program's resources on a push button, and the hint a
// tooltip shows when the pointer rests on it.
#include <windows.h>

namespace tw::win32 {

// Loaded at the size the dpi asks for; the button shares the icon.
void SetButtonIcon(HWND button, int iconId, int dpi);

class ButtonHints {
public:
    explicit ButtonHints(HWND owner);
    ~ButtonHints();
    ButtonHints(const ButtonHints&) = delete;
    ButtonHints& operator=(const ButtonHints&) = delete;

    void Add(HWND button, const wchar_t* hint);

private:
    HWND owner_;
    HWND tooltip_ = nullptr;
};

} // namespace tw::win32
