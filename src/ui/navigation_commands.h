#pragma once
// The tree commands of the main window: add a folder or a reply, delete, rename in place, move by
// dragging, and what a change of the selection does (commit the old node, load the new one).
//
// A command whose disk step is refused returns the failure; steps already done stay done.
#include "app/error_report.h"
#include "library/rep_list.h"
#include "platform/message_boxes.h"
#include "ui/editing_ports.h"
#include "ui/library_failure.h"
#include "ui/pending_edits.h"
#include "ui/reply_commit.h"

#include <string>

namespace tw {

// Image indexes of the tree's four pictures.
enum NavImage : int {
    kImageFolderClosed = 0,
    kImageFolderOpen = 1,
    kImageReply = 2,
    kImageReplySelected = 3,
};

struct NodeImages {
    int image = kImageReply;
    int selectedImage = kImageReplySelected;
    bool operator==(const NodeImages&) const = default;
};

struct NavigationPorts {
    PropertyBarView& bar;
    RichEditorPort& editor;
    NavigationView& view;
    MessageBoxes& boxes;
    ErrorReportPort& errors;
};

class NavigationCommands {
public:
    NavigationCommands(TRepList& list, NavigationPorts ports, PendingEdits& flags,
                       ReplyCommitter& committer)
        : list_(list), ports_(ports), flags_(flags), committer_(committer) {}

    LibraryResult<> NavAddFolderExecute();
    LibraryResult<> NavAddReplyExecute();
    // Asks first; deletes the selected node, then every folder the deletion leaves empty.
    LibraryResult<> NavDeleteExecute();
    // Deletes the node from disk and model, then climbs while a parent is left empty. With
    // `select`, each emptied parent is selected before it goes.
    LibraryResult<> RemoveCascade(TreeNode* node, bool select);

    // The selection is about to move: the old node's edits are written. A failure is reported
    // and the move goes on.
    void NavigationChanging();
    // The selection has moved to node (null: none): it is loaded into the fields and the editor.
    void NavigationChange(TreeNode* node);
    // Both, as a user's click would run them.
    void SelectNode(TreeNode* node);

    // The in-place editor closed with `text` on node. An empty text (or a node without a
    // caption) changes nothing; otherwise the node is renamed. True when renamed.
    LibraryResult<bool> NavigationEdited(TreeNode* node, const std::string& text);

    // y and height in the tree's client pixels; target is the node under the cursor or null.
    bool NavigationDragOver(TreeNode* target, int y, int height, bool fromTree);
    LibraryResult<> NavigationDragDrop(TreeNode* target);

    static NodeImages NavigationGetImageIndex(const TreeNode* node, bool expanded);

private:
    TreeNode* Selected() const { return list_.Tree.Selected(); }
    void LoadNode(TreeNode* node);
    void ShowHotKeyOf(TRep* reply);

    TRepList& list_;
    NavigationPorts ports_;
    PendingEdits& flags_;
    ReplyCommitter& committer_;
};

// The texts the delete command asks with.
std::string DeleteQuestion(const TreeNode& node);

} // namespace tw
