#include "ui/win32/drag_adapters.h"

#include "app/win32/cursors.h"

namespace tw::win32 {
namespace {

HWND WindowOf(WindowHandle handle) {
    return reinterpret_cast<HWND>(handle);
}

// Under Wine a pointer warp ends the X server's grab of a held button: the drag would see
// neither the moves outside the main window nor the button's release, and never end.
bool WarpWouldLoseTheDrag() {
    static const bool wine =
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    const bool held = (GetAsyncKeyState(VK_LBUTTON) | GetAsyncKeyState(VK_RBUTTON)) & 0x8000;
    return wine && held;
}

} // namespace

PointerPoint Win32Pointer::PointerPosition() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void Win32Pointer::MovePointer(PointerPoint to) {
    if (!WarpWouldLoseTheDrag()) {
        SetCursorPos(to.x, to.y);
    }
}

void Win32Pointer::ClickLeftButton(PointerPoint at) {
    SetCursorPos(at.x, at.y);
    // Both halves in one call, without a position: they land where the pointer stands.
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    const UINT sent = SendInput(2, click, sizeof(INPUT));
    if (sent == 1) {
        // A press without its release would leave the button held for the whole desktop.
        SendInput(1, &click[1], sizeof(INPUT));
    }
}

WindowBounds Win32Desktop::MainWindowBounds() {
    RECT rc{};
    GetWindowRect(main_, &rc);
    return {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
}

WindowHandle Win32Desktop::WindowAt(PointerPoint at) {
    return reinterpret_cast<WindowHandle>(WindowFromPoint(POINT{at.x, at.y}));
}

WindowHandle Win32Desktop::ParentOf(WindowHandle window) {
    HWND w = WindowOf(window);
    return IsWindow(w) ? reinterpret_cast<WindowHandle>(GetParent(w)) : 0;
}

void DropCursorSlot::ShowReplyDropCursorForNoDrop() {
    replyDrop_ = true;
    // The pointer is outside the window now: show it at once rather than at the next move.
    if (HCURSOR cursor = NoDropCursor()) {
        SetCursor(cursor);
    }
}

HCURSOR DropCursorSlot::NoDropCursor() const {
    HCURSOR replyDrop = ProgramCursor(kReplyDropCursor);
    return replyDrop_ && replyDrop ? replyDrop : ProgramCursor(kSavedNoDropCursor);
}

} // namespace tw::win32
