#pragma once
// What delivery needs of the main window: its tree selection, its editor and the insertions
// dialog. The main window implements this; delivery never reaches its controls otherwise.
#include "delivery/delivery_notices.h"
#include "delivery/reply_content.h"

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
    // The stored source of the selected reply (empty for none): what the editor shows.
    virtual std::string ReplySource() = 0;
    // The clipboard gets the reply in all its forms, for good.
    virtual void PutOnClipboard(const ReplyContent& reply) = 0;
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
    // The selected reply was expanded for a delivery, by whichever path.
    virtual void ReplyDelivered() {}
    // Not all of the reply reached the window of the program (empty: not known); the reply is
    // offered to the user instead.
    virtual void TellDeliveryFailed(DeliveryFailure failure, const std::string& program,
                                    const ReplyContent& reply) = 0;
};

} // namespace tw
