#pragma once
// A reply dragged out of the tree onto another application's window. The main window follows
// the pointer outside its bounds through MouseHook, shows its own cursor there, and when the
// drag ends on another application's window clicks there and pastes the expanded reply. The
// main window owns one and forwards the tree's drag start and end and MouseHook's moves.
#include "delivery/delivery_host.h"
#include "delivery/drag_ports.h"
#include "delivery/reply_delivery.h"
#include "delivery/reply_drop.h"

namespace tw {

struct DragState {
    // From the start of a tree drag until its end.
    bool DraggingReply = false;
    // Recomputed on every pointer move MouseHook reports.
    bool PointerInMainWindow = false;
    // While a drag is under way and the pointer is outside the main window.
    bool DragOutside = false;
    // The pointer is pulled back onto the window's edge once per exit.
    bool CursorNudgeDue = true;
};

class ReplyDrag {
public:
    // The drop runs through `delivery`, which needs the same pointer for its click.
    ReplyDrag(DragPorts drag, DeliveryHost& host, ReplyDelivery& delivery)
        : drag_(drag), host_(host), delivery_(delivery) {}

    DragState& State() { return state_; }
    const DragState& State() const { return state_; }

    // The tree has started dragging its selected node.
    void NavigationStartDrag() { state_.DraggingReply = true; }
    // MouseHook's OnMouseMove, for every pointer move on the desktop; x and y as the hook
    // reports them.
    void MouseHookMouseMove(WindowHandle sourceWindow, int x, int y);
    // The drag ended, by a button release, Esc or a lost capture alike; the end point in screen
    // coordinates.
    void NavigationEndDrag(int X, int Y);

private:
    bool ReplySelected();
    // Reads what the drop depends on; when it will deliver, writes the pending edits first.
    DropInputs PrepareDrop(PointerPoint end);

    DragPorts drag_;
    DeliveryHost& host_;
    ReplyDelivery& delivery_;
    DragState state_;
};

} // namespace tw
