#pragma once
// What dragging a reply out of the tree needs of the system: the pointer, the windows under it
// and their parents, the main window's place, and the cursor shown where no drop is possible.
// The Win32 adapters wrap GetCursorPos, SetCursorPos, SendInput, WindowFromPoint, GetParent and
// the program's cursor table.
#include "delivery/delivery_state.h"

namespace tw {

// A point in screen coordinates.
struct PointerPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PointerPoint&) const = default;
};

// Outer bounds in screen coordinates.
struct WindowBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class PointerPort {
public:
    virtual ~PointerPort() = default;
    virtual PointerPoint PointerPosition() = 0;
    virtual void MovePointer(PointerPoint to) = 0;
    // A left button press and release at the point, so that the control there takes the focus.
    virtual void ClickLeftButton(PointerPoint at) = 0;
};

class DesktopWindowPort {
public:
    virtual ~DesktopWindowPort() = default;
    virtual WindowHandle MainWindow() = 0;
    virtual WindowBounds MainWindowBounds() = 0;
    // 0 when no window is there.
    virtual WindowHandle WindowAt(PointerPoint at) = 0;
    // 0 for a window that has no parent or no longer exists.
    virtual WindowHandle ParentOf(WindowHandle window) = 0;
};

// The cursor the drag shows where no drop is possible.
class DropCursorPort {
public:
    virtual ~DropCursorPort() = default;
    // The program's reply-drop cursor takes the no-drop cursor's place.
    virtual void ShowReplyDropCursorForNoDrop() = 0;
    // The copy of the system's no-drop cursor saved at start-up comes back.
    virtual void RestoreNoDropCursor() = 0;
};

struct DragPorts {
    PointerPort& pointer;
    DesktopWindowPort& desktop;
    DropCursorPort& cursor;
};

} // namespace tw
