#include "app/win32/cursors.h"

#include "app/win32/resource_ids.h"
#include "platform/win32/unique_handle.h"

namespace tw::win32 {

namespace {
HCURSOR g_replyDrop = nullptr;
// Copies of the system's cursors are ours to destroy; the loaded resource cursor is shared.
UniqueCursor g_noDrop;
UniqueCursor g_drag;
} // namespace

void RegisterProgramCursors(HINSTANCE instance) {
    g_replyDrop = LoadCursorW(instance, MAKEINTRESOURCEW(TW_IDC_REPLY_DROP));
    g_noDrop.reset(CopyCursor(LoadCursorW(nullptr, IDC_NO)));
    // The system has no drag cursor of its own; a drag starts from the arrow.
    g_drag.reset(CopyCursor(LoadCursorW(nullptr, IDC_ARROW)));
}

HCURSOR ProgramCursor(int number) {
    switch (number) {
    case kReplyDropCursor:
        return g_replyDrop;
    case kSavedNoDropCursor:
        return g_noDrop.get();
    case kSavedDragCursor:
        return g_drag.get();
    default:
        return nullptr;
    }
}

} // namespace tw::win32
