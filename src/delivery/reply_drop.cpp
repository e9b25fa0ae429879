#include "delivery/reply_drop.h"

#include "delivery/delivery_plan.h"
#include "expansion/field_lists.h"

namespace tw {
namespace {

constexpr int kPauseBeforePasteMs = 50;
// Deeper than any real window nesting; ends a chain that loops back on itself.
constexpr int kMaxParentSteps = 256;

} // namespace

bool PointInMainWindow(const WindowBounds& main, int x, int y) {
    return main.left + 1 < x && x < main.left + main.width - 1 && main.top + 1 < y &&
           y < main.top + main.height - 1;
}

std::optional<PointerPoint> NudgedPointer(const WindowBounds& main, int x, int y,
                                          PointerPoint pointer) {
    if (x < main.left + 2) {
        return PointerPoint{main.left + 1, pointer.y};
    }
    if (x > main.left + main.width - 2) {
        return PointerPoint{main.left + main.width - 1, pointer.y};
    }
    if (y < main.top + 2) {
        return PointerPoint{pointer.x, main.top + 1};
    }
    if (y > main.top + main.height - 2) {
        return PointerPoint{pointer.x, main.top + main.height - 1};
    }
    return std::nullopt;
}

WindowHandle TopLevelWindow(DesktopWindowPort& desktop, WindowHandle window) {
    for (int steps = 0; window != 0 && steps < kMaxParentSteps; ++steps) {
        const WindowHandle parent = desktop.ParentOf(window);
        if (parent == 0) {
            break;
        }
        window = parent;
    }
    return window;
}

int SignedScreenCoordinate(int hookValue) {
    const int low = hookValue & 0xFFFF;
    return low >= 0x8000 ? low - 0x10000 : low;
}

bool DropDelivers(const DropInputs& inputs) {
    return inputs.replySelected && !inputs.pointerInMainWindow && inputs.target != 0 &&
           inputs.target != inputs.mainWindow;
}

DeliveryPlan PlanReplyDrop(const DropInputs& inputs) {
    if (!DropDelivers(inputs)) {
        return {};
    }
    DeliveryPlan plan;
    plan.push_back(step::Click{inputs.end.x, inputs.end.y});
    if (ShouldAskForFieldValues(inputs.showMacroIns, inputs.fieldList)) {
        // The dialog takes the foreground, so the target is activated again for the paste.
        const DialogAnchor anchor{DialogAnchor::Kind::DropPoint, inputs.end.x, inputs.end.y};
        plan.push_back(step::AskFieldValues{inputs.fieldList, anchor});
        plan.push_back(step::RememberSelection{});
        plan.push_back(
            step::ExpandAndCopy{step::ExpandAndCopy::Fields::Answers, inputs.fieldList, ""});
        plan.push_back(step::Reload{});
        plan.push_back(step::StopUnlessWindowExists{inputs.target});
        plan.push_back(step::Activate{inputs.target});
        plan.push_back(step::Keys{CtrlVEvents()});
    } else {
        // The click has put the focus into the target; the paste follows it there.
        plan.push_back(step::RememberSelection{});
        plan.push_back(step::ExpandAndCopy{});
        plan.push_back(step::Sleep{kPauseBeforePasteMs});
        plan.push_back(step::Keys{CtrlVEvents()});
        plan.push_back(step::Reload{});
    }
    return plan;
}

} // namespace tw
