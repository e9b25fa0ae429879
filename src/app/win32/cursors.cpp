#include "app/win32/cursors.h"

#include "app/win32/resource_ids.h"

namespace tw::win32 {

namespace {
HCURSOR g_replyDrop = nullptr;
HCURSOR g_noDrop = nullptr;
HCURSOR g_drag = nullptr;
} // namespace

void RegisterProgramCursors(HINSTANCE instance) {
    g_replyDrop = LoadCursorW(instance, MAKEINTRESOURCEW(TW_IDC_REPLY_DROP));
    g_noDrop = CopyCursor(LoadCursorW(nullptr, IDC_NO));
    // The system has no drag cursor of its own; a drag starts from the arrow.
    g_drag = CopyCursor(LoadCursorW(nullptr, IDC_ARROW));
}

HCURSOR ProgramCursor(int number) {
    switch (number) {
    case kReplyDropCursor:
        return g_replyDrop;
    case kSavedNoDropCursor:
        return g_noDrop;
    case kSavedDragCursor:
        return g_drag;
    default:
        return nullptr;
    }
}

} // namespace tw::win32
