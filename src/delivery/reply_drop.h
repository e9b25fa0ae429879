#pragma once
// The rules of a reply dragged out of the tree: where the main window ends, where the pointer
// is pulled back to, which window a drop lands in, and the steps of the drop itself.
#include "delivery/delivery_steps.h"
#include "delivery/drag_ports.h"

#include <optional>
#include <string>

namespace tw {

// True strictly inside the main window's outermost pixel ring: the ring counts as outside.
bool PointInMainWindow(const WindowBounds& main, int x, int y);

// Where a drag that has just left the main window at (x, y) pulls the pointer back to: onto the
// border line of the side it left by, keeping the pointer's other coordinate. None while (x, y)
// is inside.
std::optional<PointerPoint> NudgedPointer(const WindowBounds& main, int x, int y,
                                          PointerPoint pointer);

// Follows the parent chain up to the window that has none.
WindowHandle TopLevelWindow(DesktopWindowPort& desktop, WindowHandle window);

// The hook reports screen coordinates as unsigned 16-bit numbers; screens left of or above the
// primary one have negative coordinates.
int SignedScreenCoordinate(int hookValue);

// What the end of a drag depends on, read when it ends.
struct DropInputs {
    bool replySelected = false;       // a node is selected and it has no children
    bool pointerInMainWindow = false; // as the last pointer move reported it
    WindowHandle target = 0;          // top-level window at the end point; 0: none
    WindowHandle mainWindow = 0;      // the main window's top-level window
    PointerPoint end;
    int showMacroIns = 0;
    std::string fieldList; // of the selected reply's macro; empty: no fields
};

// True when the drop goes to another application's window.
bool DropDelivers(const DropInputs& inputs);

// The click into the target, then the reply pasted where the click put the focus. Empty when
// the drop delivers nothing.
DeliveryPlan PlanReplyDrop(const DropInputs& inputs);

} // namespace tw
