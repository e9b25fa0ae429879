#include "ui/win32/delivery_adapters.h"

namespace tw::win32 {

std::optional<std::string> MainInsertionsDialog::ShowInsertionsDialog(const std::string& fieldList,
                                                                      const DialogAnchor& anchor) {
    if (!dialog_) {
        return std::nullopt;
    }
    if (!tw::ShowInsertionsDialog(*dialog_, dialog_->Form(), fieldList, anchorOf_(anchor))) {
        return std::nullopt;
    }
    return dialog_->Form().GetAnswers();
}

bool MainInsertionsDialog::IsInsertionsDialogVisible() {
    return dialog_ && IsWindowVisible(dialog_->Handle());
}

void MainInsertionsDialog::CancelInsertionsDialog() {
    // Its close box: the modal loop ends as cancelled.
    if (IsInsertionsDialogVisible()) {
        SendMessageW(dialog_->Handle(), WM_CLOSE, 0, 0);
    }
}

} // namespace tw::win32
