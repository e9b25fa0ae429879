#include "ui/form_delivery_host.h"

#include "app/settings.h"
#include "library/rep.h"
#include "library/reply_tree.h"
#include "library/text_lines.h"

namespace tw {

TreeNode* FormDeliveryHost::SelectedNode() {
    return editing_ ? editing_->Library().Tree.Selected() : nullptr;
}

void FormDeliveryHost::SelectNode(TreeNode* node) {
    if (editing_) {
        editing_->SelectNode(node);
    }
}

void FormDeliveryHost::CommitCurrentReply() {
    if (editing_) {
        StopIfFailed(
            editing_->CommitCurrentReply(CommitMoment::Background)); // the delivery does not go on
    }
}

std::string FormDeliveryHost::ReplySource() {
    TreeNode* node = SelectedNode();
    TRep* reply = node ? node->Data() : nullptr;
    return reply && !reply->IsFolder() ? JoinLines(editing_->Library().BodyOf(reply))
                                       : std::string();
}

void FormDeliveryHost::PutOnClipboard(const ReplyContent& reply) {
    clipboard_.PlaceReply(reply);
}

void FormDeliveryHost::ReplyDelivered() {
    TreeNode* node = SelectedNode();
    if (node && node->Data() && !node->Data()->IsFolder()) {
        recent_.Delivered(editing_->Library(), *node->Data());
    }
}

int FormDeliveryHost::ShowMacroInsSetting() {
    return SettingIsOn(registry_, kShowMacroIns) ? 1 : 0;
}

void FormDeliveryHost::TellDeliveryFailed(DeliveryFailure failure, const std::string& program,
                                          const ReplyContent& reply) {
    if (auto notice = notices_.Failed(failure, program, reply)) {
        tray_.ShowNotice(notice->title, notice->text);
    }
}

void FormDeliveryHost::NoticeClicked() {
    if (auto reply = notices_.TakeOffered()) {
        clipboard_.PlaceReply(*reply);
    }
}

int FormDeliveryHost::RestoreClipboardSetting() {
    return SettingIsOn(registry_, kRestoreClipboard) ? 1 : 0;
}

} // namespace tw
