#pragma once
// A live splitter bar: dragged with the mouse, it reports how far it has moved since the press,
// at every step, and the owner resizes its panes at once. Drawn bevelled on black.
#include <functional>

#include <windows.h>

namespace tw::win32 {

enum class SplitterAxis {
    LeftRight, // a vertical bar between panes side by side
    UpDown,    // a horizontal bar between panes one above the other
};

struct SplitterEvents {
    std::function<void()> onBegin;
    // Pixels the pointer has moved along the axis since the press; right and down are positive.
    std::function<void(int offset)> onDrag;
};

// The window destroys the events with itself.
HWND CreateSplitter(HWND parent, SplitterAxis axis, SplitterEvents events);

} // namespace tw::win32
