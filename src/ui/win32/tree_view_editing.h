#pragma once
// What the user does to the tree view beyond selecting: the in-place editor, dragging a node
// inside the tree, and the four node pictures. Each event goes to one LibraryEditing handler;
// the tree view itself is kept equal to the model by its mirror.
#include "ui/editing_ports.h"
#include "ui/library_editing.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/window_base.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <utility>

namespace tw::win32 {

// What the tree's user does besides editing, told to whoever made it.
struct TreeEditingEvents {
    // True while the view changes because the model did: those notifications are echoes and
    // must not reach the handlers (a selection the core makes has committed already).
    std::function<bool()> echoing;
    // A drag of the selected node starts, and ends by a button release, Esc or a lost capture
    // alike, with the pointer's place in screen coordinates.
    std::function<void()> dragStarted;
    std::function<void(POINT)> dragEnded;
    // The pointer over a place a reply cannot be dropped.
    std::function<HCURSOR()> noDropCursor;
};

class TreeViewEditing : public NavigationView {
public:
    explicit TreeViewEditing(HWND treeView, TreeEditingEvents events = {});
    ~TreeViewEditing() override;
    TreeViewEditing(const TreeViewEditing&) = delete;
    TreeViewEditing& operator=(const TreeViewEditing&) = delete;

    // Null until the library exists; events are ignored meanwhile.
    void SetEditing(LibraryEditing* editing) { editing_ = editing; }

    // Called with every WM_NOTIFY from the tree view; true when handled, with the result.
    bool OnNotify(const NMHDR& header, LRESULT& result);
    bool Dragging() const { return dragging_; }
    bool EditingLabel() const { return TreeView_GetEditControl(tree_) != nullptr; }

    void BeginEditCaption(TreeNode* node) override;
    void ScrollTreeLines(int lines) override;

    TreeNode* NodeOf(HTREEITEM item) const;
    static HTREEITEM ItemOf(const TreeNode* node);

    // The drag as the mouse drives it, in the tree's client coordinates.
    void DragTo(POINT client);
    // A button release: a drop inside the tree, then the end of the drag.
    void DropAt(POINT client);
    // Esc or a lost capture: the end of the drag without a drop inside the tree.
    void CancelDrag();

private:
    // The mouse and keys while a node is dragged; nothing otherwise.
    std::optional<LRESULT> DraggingMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void BeginDrag(HTREEITEM item);
    TreeNode* NodeAt(POINT client) const;
    // Clears the drop target and releases the capture; its WM_CAPTURECHANGED is then ignored.
    void StopDragging();
    void ReportDragEnd(POINT screen);

    HWND tree_;
    UniqueImageList images_;
    LibraryEditing* editing_ = nullptr;
    TreeEditingEvents events_;
    bool dragging_ = false;
    Subclass hook_;
    Reflection reflection_;
};

// The four 16 by 16 pictures: closed folder, open folder, reply, selected reply.
UniqueImageList CreateNavImages();

} // namespace tw::win32
