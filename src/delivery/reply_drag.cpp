#include "delivery/reply_drag.h"

#include "expansion/field_lists.h"
#include "library/rep.h"
#include "library/rep_list.h"
#include "library/reply_tree.h"

namespace tw {

bool ReplyDrag::ReplySelected() {
    // A folder is never delivered, not even an empty one that has no children.
    const TreeNode* node = host_.SelectedNode();
    const TRep* rep = node ? node->Data() : nullptr;
    return rep && !rep->IsFolder();
}

void ReplyDrag::MouseHookMouseMove(WindowHandle /*sourceWindow*/, int x, int y) {
    x = SignedScreenCoordinate(x);
    y = SignedScreenCoordinate(y);
    const WindowBounds main = drag_.desktop.MainWindowBounds();
    state_.PointerInMainWindow = PointInMainWindow(main, x, y);
    if (state_.DraggingReply && !state_.PointerInMainWindow) {
        if (!state_.DragOutside) {
            state_.DragOutside = true;
            if (ReplySelected()) {
                drag_.cursor.ShowReplyDropCursorForNoDrop();
            }
        }
    } else if (state_.DragOutside) {
        state_.DragOutside = false;
        state_.CursorNudgeDue = true;
        drag_.cursor.RestoreNoDropCursor();
    }
    if (state_.DragOutside && state_.CursorNudgeDue) {
        if (auto to = NudgedPointer(main, x, y, drag_.pointer.PointerPosition())) {
            drag_.pointer.MovePointer(*to);
        }
        state_.CursorNudgeDue = false;
    }
}

DropInputs ReplyDrag::PrepareDrop(PointerPoint end) {
    DropInputs inputs;
    inputs.end = end;
    inputs.replySelected = ReplySelected();
    inputs.pointerInMainWindow = state_.PointerInMainWindow;
    if (!inputs.replySelected || inputs.pointerInMainWindow) {
        return inputs;
    }
    inputs.target = TopLevelWindow(drag_.desktop, drag_.desktop.WindowAt(end));
    inputs.mainWindow = TopLevelWindow(drag_.desktop, drag_.desktop.MainWindow());
    if (!DropDelivers(inputs)) {
        return inputs;
    }
    // The working copy is about to be expanded and reloaded; pending edits go to disk first so
    // the reload neither loses them nor stores the expansion.
    host_.CommitCurrentReply();
    inputs.showMacroIns = host_.ShowMacroInsSetting();
    const TRepList* library = host_.Library();
    const TreeNode* node = host_.SelectedNode();
    const TRep* rep = node ? node->Data() : nullptr;
    const int macro = library && rep ? library->MacroIndexOf(rep) : -1;
    inputs.fieldList = macro >= 0 ? FieldListOfMacro(library->Macros.Get(macro)) : std::string();
    return inputs;
}

void ReplyDrag::NavigationEndDrag(int X, int Y) {
    // The drag is over even when the delivery fails part way.
    struct EndOfDrag {
        DragState& state;
        ~EndOfDrag() { state.DraggingReply = false; }
    } endOfDrag{state_};
    const DropInputs inputs = PrepareDrop({X, Y});
    delivery_.DeliverDrop(PlanReplyDrop(inputs), inputs.target);
}

} // namespace tw
