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

class TreeViewEditing : public NavigationView {
public:
    explicit TreeViewEditing(HWND treeView);
    ~TreeViewEditing() override;
    TreeViewEditing(const TreeViewEditing&) = delete;
    TreeViewEditing& operator=(const TreeViewEditing&) = delete;

    // Null until the library exists; events are ignored meanwhile.
    void SetEditing(LibraryEditing* editing) { editing_ = editing; }
    // True while the view changes because the model did: those notifications are echoes and
    // must not reach the handlers (a selection the core makes has committed already).
    void SetEchoCheck(std::function<bool()> echoing) { echoing_ = std::move(echoing); }

    // Told when a drag of the selected node starts, and when it ends by a button release, Esc
    // or a lost capture alike, with the pointer's place in screen coordinates.
    void SetDragEvents(std::function<void()> started, std::function<void(POINT)> ended) {
        dragStarted_ = std::move(started);
        dragEnded_ = std::move(ended);
    }
    // The cursor the drag shows where no drop is possible; the system's no-drop cursor without.
    void SetNoDropCursor(std::function<HCURSOR()> cursor) { noDropCursor_ = std::move(cursor); }

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
    std::function<bool()> echoing_;
    std::function<void()> dragStarted_;
    std::function<void(POINT)> dragEnded_;
    std::function<HCURSOR()> noDropCursor_;
    bool dragging_ = false;
    Subclass hook_;
    Reflection reflection_;
};

// The four 16 by 16 pictures: closed folder, open folder, reply, selected reply.
UniqueImageList CreateNavImages();

} // namespace tw::win32
