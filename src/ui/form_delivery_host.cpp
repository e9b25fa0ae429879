#include "ui/form_delivery_host.h"

#include "app/settings.h"
#include "expansion/apply_replacements.h"

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
        editing_->CommitCurrentReply();
    }
}

void FormDeliveryHost::ApplyReplacements(const std::string& names, const std::string& values) {
    if (workingCopy_) {
        tw::ApplyReplacements(*workingCopy_, names, values);
    }
}

void FormDeliveryHost::CopyEntireToClipboard() {
    if (editor_) {
        editor_->CopyEntireToClipboard();
    }
}

int FormDeliveryHost::ShowMacroInsSetting() {
    return SettingIsOn(registry_, kShowMacroIns) ? 1 : 0;
}

int FormDeliveryHost::RestoreClipboardSetting() {
    return SettingIsOn(registry_, kRestoreClipboard) ? 1 : 0;
}

ReplyContent FormDeliveryHost::EditorContent() {
    if (!editor_) {
        return {};
    }
    ReplyContent content;
    for (const std::string& line : editor_->BodyLines()) {
        content.rtf += line + "\r\n";
    }
    content.text = editor_->EditorPlainText();
    return content;
}

} // namespace tw
