#pragma once
// The ports of a reply dragged out of the tree, over Win32: the pointer, the windows under it
// and their parents, and the cursor the tree view's drag shows where no drop is possible.
#include "delivery/drag_ports.h"

#include <windows.h>

namespace tw::win32 {

class Win32Pointer : public PointerPort {
public:
    PointerPoint PointerPosition() override;
    void MovePointer(PointerPoint to) override;
    void ClickLeftButton(PointerPoint at) override;
};

class Win32Desktop : public DesktopWindowPort {
public:
    // The main window's handle, read at each call: it exists only once the window is created.
    explicit Win32Desktop(const HWND& mainWindow) : main_(mainWindow) {}
    explicit Win32Desktop(HWND&&) = delete; // followed by reference
    WindowHandle MainWindow() override { return reinterpret_cast<WindowHandle>(main_); }
    WindowBounds MainWindowBounds() override;
    WindowHandle WindowAt(PointerPoint at) override;
    // An owned top-level window (a dialog) leads to its owner.
    WindowHandle ParentOf(WindowHandle window) override;

private:
    const HWND& main_;
};

// The program's cursor table holds the reply-drop cursor and the copy of the system's no-drop
// cursor; this slot says which of them the drag shows.
class DropCursorSlot : public DropCursorPort {
public:
    void ShowReplyDropCursorForNoDrop() override;
    void RestoreNoDropCursor() override { replyDrop_ = false; }
    HCURSOR NoDropCursor() const;

private:
    bool replyDrop_ = false;
};

} // namespace tw::win32
