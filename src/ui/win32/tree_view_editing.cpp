#include "ui/win32/tree_view_editing.h"

#include "platform/win32/ansi_path.h"
#include "platform/win32/gdi_scopes.h"

namespace tw::win32 {
TreeViewEditing::TreeViewEditing(HWND treeView, TreeEditingEvents events)
    : tree_(treeView), events_(std::move(events)) {
    images_ = CreateNavImages();
    TreeView_SetImageList(tree_, images_.get(), TVSIL_NORMAL);
    TreeView_SetIndent(tree_, 19);
    hook_ = Subclass(tree_, [this](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        return DraggingMessage(hwnd, msg, wp, lp);
    });
    reflection_ =
        ReflectNotify(tree_, [this](const NMHDR& h, LRESULT& r) { return OnNotify(h, r); });
}

TreeViewEditing::~TreeViewEditing() {
    hook_ = Subclass();
    if (IsWindow(tree_)) {
        TreeView_SetImageList(tree_, nullptr, TVSIL_NORMAL);
    }
}

TreeNode* TreeViewEditing::NodeOf(HTREEITEM item) const {
    if (!item) {
        return nullptr;
    }
    TVITEMW tv{};
    tv.mask = TVIF_PARAM | TVIF_HANDLE;
    tv.hItem = item;
    return TreeView_GetItem(tree_, &tv) ? reinterpret_cast<TreeNode*>(tv.lParam) : nullptr;
}

HTREEITEM TreeViewEditing::ItemOf(const TreeNode* node) {
    return node ? reinterpret_cast<HTREEITEM>(node->ViewTag()) : nullptr;
}

bool TreeViewEditing::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != tree_) {
        return false;
    }
    switch (header.code) {
    case TVN_SELCHANGINGW:
        if (editing_ && !(events_.echoing && events_.echoing())) {
            editing_->NavigationChanging();
        }
        result = FALSE; // always allowed
        return true;
    case TVN_BEGINLABELEDITW:
        result = editing_ ? FALSE : TRUE;
        return true;
    case TVN_ENDLABELEDITW: {
        const auto& info = reinterpret_cast<const NMTVDISPINFOW&>(header);
        if (editing_ && info.item.pszText) {
            // A name goes into an index file only as it was typed, never as a look-alike.
            if (const auto name = WideToAnsiExactly(info.item.pszText)) {
                editing_->NavigationEdited(NodeOf(info.item.hItem), *name);
            } else {
                editing_->NavigationEditRefused(WideToUtf8(info.item.pszText));
            }
        }
        // The model's caption reaches the item through the mirror.
        result = FALSE;
        return true;
    }
    case TVN_BEGINDRAGW:
        BeginDrag(reinterpret_cast<const NMTREEVIEWW&>(header).itemNew.hItem);
        result = 0;
        return true;
    case TVN_GETDISPINFOW: {
        auto& info = const_cast<NMTVDISPINFOW&>(reinterpret_cast<const NMTVDISPINFOW&>(header));
        if (info.item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) {
            const bool expanded =
                (TreeView_GetItemState(tree_, info.item.hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
            const NodeImages images =
                LibraryEditing::NavigationGetImageIndex(NodeOf(info.item.hItem), expanded);
            info.item.iImage = images.image;
            info.item.iSelectedImage = images.selectedImage;
        }
        result = 0;
        return true;
    }
    case TVN_ITEMEXPANDEDW:
        InvalidateRect(tree_, nullptr, FALSE);
        result = 0;
        return true;
    default:
        return false;
    }
}

void TreeViewEditing::BeginEditCaption(TreeNode* node) {
    HTREEITEM item = ItemOf(node);
    if (!item) {
        return;
    }
    TreeView_EnsureVisible(tree_, item);
    SetFocus(tree_);
    TreeView_EditLabel(tree_, item);
}

void TreeViewEditing::ScrollTreeLines(int lines) {
    const WPARAM code = lines < 0 ? SB_LINEUP : SB_LINEDOWN;
    for (int i = 0; i < (lines < 0 ? -lines : lines); ++i) {
        SendMessageW(tree_, WM_VSCROLL, code, 0);
    }
}

void TreeViewEditing::BeginDrag(HTREEITEM item) {
    if (!editing_ || !item) {
        return;
    }
    // The dragged node is the selected one.
    if (TreeView_GetSelection(tree_) != item) {
        TreeView_SelectItem(tree_, item);
    }
    dragging_ = true;
    SetCapture(tree_);
    if (events_.dragStarted) {
        events_.dragStarted();
    }
}

TreeNode* TreeViewEditing::NodeAt(POINT client) const {
    TVHITTESTINFO hit{};
    hit.pt = client;
    HTREEITEM item = TreeView_HitTest(tree_, &hit);
    return (hit.flags & TVHT_ONITEM) ? NodeOf(item) : nullptr;
}

void TreeViewEditing::DragTo(POINT client) {
    if (!dragging_ || !editing_) {
        return;
    }
    RECT rc{};
    GetClientRect(tree_, &rc);
    // Beside the tree, over the rest of the window or another application, nothing is dropped
    // on and the tree does not scroll.
    const bool overTree = PtInRect(&rc, client) != FALSE;
    TreeNode* target = overTree ? NodeAt(client) : nullptr;
    const bool accepted =
        overTree && editing_->NavigationDragOver(target, client.y, rc.bottom, true);
    TreeView_SelectDropTarget(tree_, accepted ? ItemOf(target) : nullptr);
    HCURSOR noDrop = events_.noDropCursor ? events_.noDropCursor() : nullptr;
    SetCursor(accepted ? LoadCursorW(nullptr, IDC_ARROW)
              : noDrop ? noDrop
                       : LoadCursorW(nullptr, IDC_NO));
}

void TreeViewEditing::DropAt(POINT client) {
    if (!dragging_) {
        return;
    }
    RECT rc{};
    GetClientRect(tree_, &rc);
    TreeNode* target = NodeAt(client);
    const bool accepted =
        editing_ && editing_->NavigationDragOver(target, client.y, rc.bottom, true);
    POINT screen = client;
    ClientToScreen(tree_, &screen);
    // The capture goes before the move, whose errors are shown in a message box.
    StopDragging();
    if (accepted) {
        editing_->NavigationDragDrop(target);
    }
    ReportDragEnd(screen);
}

void TreeViewEditing::CancelDrag() {
    if (!dragging_) {
        return;
    }
    POINT screen{};
    GetCursorPos(&screen);
    StopDragging();
    ReportDragEnd(screen);
}

void TreeViewEditing::StopDragging() {
    dragging_ = false;
    TreeView_SelectDropTarget(tree_, nullptr);
    if (GetCapture() == tree_) {
        ReleaseCapture();
    }
}

void TreeViewEditing::ReportDragEnd(POINT screen) {
    if (events_.dragEnded) {
        events_.dragEnded(screen);
    }
}

std::optional<LRESULT> TreeViewEditing::DraggingMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (dragging_) {
        const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        switch (msg) {
        case WM_MOUSEMOVE:
            DragTo(at);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            DropAt(at);
            return 0;
        case WM_KEYDOWN:
            if (wp == VK_ESCAPE) {
                CancelDrag();
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lp) != hwnd) {
                CancelDrag();
            }
            break;
        default:
            break;
        }
    }
    return std::nullopt;
}

UniqueImageList CreateNavImages() {
    UniqueImageList list(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 0));
    WindowDc screen(nullptr);
    UniqueDc dc(CreateCompatibleDC(screen.get()));
    const COLORREF mask = RGB(255, 0, 255);
    struct Picture {
        COLORREF body;
        COLORREF edge;
        bool folder;
        bool open;
    };
    const Picture pictures[4] = {{RGB(240, 200, 80), RGB(150, 110, 20), true, false},
                                 {RGB(250, 220, 120), RGB(150, 110, 20), true, true},
                                 {RGB(255, 255, 255), RGB(90, 90, 90), false, false},
                                 {RGB(200, 225, 255), RGB(30, 70, 160), false, false}};
    for (const Picture& p : pictures) {
        UniqueBitmap bmp(CreateCompatibleBitmap(screen.get(), 16, 16));
        {
            SelectedObject picture(dc.get(), bmp.get());
            UniqueBrush back(CreateSolidBrush(mask));
            RECT all{0, 0, 16, 16};
            FillRect(dc.get(), &all, back.get());
            UniqueBrush body(CreateSolidBrush(p.body));
            UniquePen edge(CreatePen(PS_SOLID, 1, p.edge));
            SelectedObject brush(dc.get(), body.get()), pen(dc.get(), edge.get());
            if (p.folder) {
                Rectangle(dc.get(), 1, 3, 8, 6);
                Rectangle(dc.get(), 1, 5, 15, 14);
                if (p.open) {
                    MoveToEx(dc.get(), 3, 8, nullptr);
                    LineTo(dc.get(), 15, 8);
                }
            } else {
                Rectangle(dc.get(), 3, 1, 13, 15);
                for (int y = 4; y <= 11; y += 3) {
                    MoveToEx(dc.get(), 5, y, nullptr);
                    LineTo(dc.get(), 11, y);
                }
            }
        } // the bitmap must be out of the device context before the list copies it
        ImageList_AddMasked(list.get(), bmp.get(), mask);
    }
    return list;
}

} // namespace tw::win32
