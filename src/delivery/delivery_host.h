#pragma once
// What delivery needs of the main window: its tree selection, its editor and the insertions
// dialog. The main window implements this; delivery never reaches its controls otherwise.
#include <optional>
#include <string>

namespace tw {

class TRepList;
class TreeNode;
struct ClipboardKeeping;

// Where the insertions dialog is centred: one of the two delivery buttons, or a drop point in
// screen coordinates.
struct DialogAnchor {
    enum class Kind { ButInCB, ButInLastWnd, DropPoint };
    Kind kind = Kind::ButInCB;
    int x = 0;
    int y = 0;
    bool operator==(const DialogAnchor&) const = default;
};

class DeliveryHost {
public:
    virtual ~DeliveryHost() = default;

    // Null while no library is loaded; nothing is recognised or delivered then.
    virtual const TRepList* Library() = 0;
    // The node selected in Navigation; null for none.
    virtual TreeNode* SelectedNode() = 0;
    // Selects the node (null: none); selecting a reply loads its stored text into Editor.
    virtual void SelectNode(TreeNode* node) = 0;
    // Writes the pending edits of the selected reply.
    virtual void CommitCurrentReply() = 0;
    // Replaces each name of the names list by its value in Editor's working copy only.
    virtual void ApplyReplacements(const std::string& names, const std::string& values) = 0;
    // The clipboard gets Editor's whole content as rich text and as plain text.
    virtual void CopyEntireToClipboard() = 0;
    // The ShowMacroIns setting, read from the settings store at each call.
    virtual int ShowMacroInsSetting() = 0;

    // Runs the insertions dialog modally for the field list; the answers (GetAnswers) on OK,
    // nothing when it was cancelled.
    virtual std::optional<std::string> ShowInsertionsDialog(const std::string& fieldList,
                                                            const DialogAnchor& anchor) = 0;
    virtual bool IsInsertionsDialogVisible() = 0;
    // Ends the open insertions dialog as cancelled.
    virtual void CancelInsertionsDialog() = 0;
    // True once the application has begun to shut down.
    virtual bool IsTerminating() = 0;
    // How deliveries that paste keep the user's clipboard; null: the reply stays on it.
    virtual ClipboardKeeping* Keeping() { return nullptr; }
};

} // namespace tw
