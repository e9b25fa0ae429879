#include "ui/navigation_commands.h"

#include "library/hot_key.h"
#include "ui/key_table.h"

namespace tw {
namespace {

// Rows of the tree close to its top or bottom edge where a drag scrolls it.
constexpr int kAutoScrollMargin = 15;

bool IsFolderNode(const TreeNode* node) {
    const TRep* rep = node ? node->Data() : nullptr;
    return rep ? rep->IsFolder() : node && node->HasChildren();
}

} // namespace

std::string DeleteQuestion(const TreeNode& node) {
    const char* kind = IsFolderNode(&node) ? "folder" : "reply";
    return "Do you really want to delete \"" + node.Caption() + "\" " + kind + "?";
}

LibraryResult<> NavigationCommands::NavAddReplyExecute() {
    TreeNode* selected = Selected();
    const LibraryResult<TRep*> added = list_.AddNewReply(selected ? selected->Data() : nullptr);
    if (!added || !added.Value()) {
        return added ? LibraryResult<>() : added.Failure();
    }
    SelectNode(added.Value()->Node);
    ports_.view.BeginEditCaption(added.Value()->Node);
    return {};
}

LibraryResult<> NavigationCommands::NavAddFolderExecute() {
    TreeNode* selected = Selected();
    const LibraryResult<TRep*> added = list_.AddNewFolder(selected ? selected->Data() : nullptr);
    if (!added || !added.Value()) {
        return added ? LibraryResult<>() : added.Failure();
    }
    TRep* folder = added.Value();
    // The first reply is the one to name: its name names the new folder too.
    TreeNode* first = folder->Node->FirstChild();
    TreeNode* target = first ? first : folder->Node;
    SelectNode(target);
    ports_.view.BeginEditCaption(target);
    return {};
}

LibraryResult<> NavigationCommands::NavDeleteExecute() {
    TreeNode* node = Selected();
    if (!node || !ports_.boxes.AskYesNo(DeleteQuestion(*node))) {
        return {};
    }
    // The pending edits belong to the node that goes: the selection changes the deletion causes
    // must not write it back.
    flags_ = PendingEdits{};
    return RemoveCascade(node, true);
}

LibraryResult<> NavigationCommands::RemoveCascade(TreeNode* node, bool select) {
    while (node) {
        TreeNode* parent = node->Parent();
        if (auto r = list_.DeleteFromDisk(node->Data()); !r) {
            return r;
        }
        list_.RemoveSubtree(node);
        if (!parent || parent->HasChildren()) {
            break;
        }
        if (select) {
            SelectNode(parent);
        }
        node = parent;
    }
    if (select && !Selected()) {
        NavigationChange(nullptr);
    }
    return {};
}

void NavigationCommands::NavigationChanging() {
    ShowFailure(ports_.errors, committer_.CommitCurrentReply(CommitMoment::Leave));
}

void NavigationCommands::NavigationChange(TreeNode* node) {
    list_.Tree.SetSelected(node);
    LoadNode(node);
}

void NavigationCommands::SelectNode(TreeNode* node) {
    NavigationChanging();
    NavigationChange(node);
}

void NavigationCommands::LoadNode(TreeNode* node) {
    ListModel& hotKeyBox = list_.HotKeys.ListBox();
    ListModel& macroBox = list_.Macros.ListBox();
    if (!node) {
        ports_.editor.ClearEditor();
        hotKeyBox.SetSelected(-1);
        macroBox.SetSelected(-1);
    } else {
        ports_.bar.SetNameText(node->Caption());
        TRep* rep = node->Data();
        if (IsFolderNode(node) || !rep) {
            ports_.editor.ClearEditor();
            hotKeyBox.SetSelected(-1);
            macroBox.SetSelected(-1);
        } else {
            ports_.editor.LoadBody(list_.BodyOf(rep));
            hotKeyBox.SetSelected(list_.HotKeyIndexOf(rep));
            macroBox.SetSelected(list_.MacroIndexOf(rep));
            const int row = macroBox.Selected();
            ports_.bar.SetMacroText(row >= 0 ? macroBox.Item(row).text : std::string());
            ShowHotKeyOf(rep);
        }
    }
    // Filling the fields ran their change handlers; a freshly loaded node is not modified.
    flags_ = PendingEdits{};
}

void NavigationCommands::ShowHotKeyOf(TRep* reply) {
    const int row = list_.HotKeyIndexOf(reply);
    if (row < 0) {
        // Shift and key keep showing the previous reply's choice.
        ports_.bar.SetHotKeyChecked(false);
        return;
    }
    ports_.bar.SetHotKeyChecked(true);
    const DecodedHotKey key = DecodeHotKey(list_.HotKeyAt(row));
    ports_.bar.SetShiftChecked(key.shift);
    const int position = KeyTableIndexOf(key.key);
    if (position >= 0) {
        ports_.bar.SetKeyIndex(position);
    }
}

LibraryResult<bool> NavigationCommands::NavigationEdited(TreeNode* node, const std::string& text) {
    if (!node || text.empty() || node->Caption().empty()) {
        // The node keeps the name it has on disk.
        return false;
    }
    if (auto r = list_.RenameItem(node->Data(), text); !r) {
        return r.Failure();
    }
    if (node == Selected()) {
        ports_.bar.SetNameText(node->Caption());
        flags_.NameModified = false;
    }
    return true;
}

bool NavigationCommands::NavigationDragOver(TreeNode* target, int y, int height, bool fromTree) {
    if (y < kAutoScrollMargin) {
        ports_.view.ScrollTreeLines(-1);
    } else if (height - y < kAutoScrollMargin) {
        ports_.view.ScrollTreeLines(1);
    }
    TreeNode* dragged = Selected();
    if (!fromTree || !target || !dragged) {
        return false;
    }
    // Never into its own subtree; a drop on itself is accepted and ignored by the drop.
    return target == dragged || !dragged->IsAncestorOf(target);
}

LibraryResult<> NavigationCommands::NavigationDragDrop(TreeNode* target) {
    TreeNode* dragged = Selected();
    if (!target || !dragged || target == dragged || dragged->IsAncestorOf(target)) {
        return {};
    }
    TreeNode* oldParent = dragged->Parent();
    if (auto r = list_.MoveItem(dragged->Data(), target->Data()); !r) {
        return r;
    }
    list_.Tree.MoveBefore(dragged, target);
    if (oldParent && !oldParent->HasChildren()) {
        return RemoveCascade(oldParent, false);
    }
    return {};
}

NodeImages NavigationCommands::NavigationGetImageIndex(const TreeNode* node, bool expanded) {
    if (node && node->HasChildren()) {
        const int image = expanded ? kImageFolderOpen : kImageFolderClosed;
        return {image, image};
    }
    return {kImageReply, kImageReplySelected};
}

} // namespace tw
