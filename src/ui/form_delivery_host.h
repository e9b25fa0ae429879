#pragma once
// The main window as the delivery core sees it: the tree selection, the selected reply's stored
// source, the clipboard, the ShowMacroIns setting and the insertions dialog, and keeping the
// user's clipboard with the RestoreClipboard setting.
#include "delivery/clipboard_keeper.h"
#include "delivery/delivery_host.h"
#include "delivery/delivery_ports.h"
#include "platform/raw_registry.h"
#include "ui/library_editing.h"
#include "ui/main_form_ports.h"
#include "ui/recent_deliveries.h"
#include "ui/window_lifecycle.h"

#include <optional>

namespace tw {

class FormDeliveryHost : public DeliveryHost, public ClipboardKeepingHost {
public:
    // `clipboard`: the window's, which every delivery writes; `keeper` keeps the user's content.
    FormDeliveryHost(RawRegistry& registry, InsertionsDialogPort& dialog,
                     const WindowLifecycle& lifecycle, ClipboardPort& clipboard,
                     UserClipboardKeeper& keeper, TrayIconPort& tray, RecentDeliveries& recent)
        : registry_(registry), dialog_(dialog), lifecycle_(lifecycle),
          clipboard_(clipboard), keeping_{keeper, *this}, tray_(tray), recent_(recent) {}

    // Once the library can be edited; all null before and after. Without them nothing is
    // recognised or delivered.
    void Attach(LibraryEditing* editing) { editing_ = editing; }

    const TRepList* Library() override { return editing_ ? &editing_->Library() : nullptr; }
    TreeNode* SelectedNode() override;
    void SelectNode(TreeNode* node) override;
    void CommitCurrentReply() override;
    std::string ReplySource() override;
    void PutOnClipboard(const ReplyContent& reply) override;
    int ShowMacroInsSetting() override;
    void ReplyDelivered() override;
    std::optional<std::string> ShowInsertionsDialog(const std::string& fieldList,
                                                    const DialogAnchor& anchor) override {
        return dialog_.ShowInsertionsDialog(fieldList, anchor);
    }
    bool IsInsertionsDialogVisible() override { return dialog_.IsInsertionsDialogVisible(); }
    void CancelInsertionsDialog() override { dialog_.CancelInsertionsDialog(); }
    bool IsTerminating() override { return lifecycle_.State() == WindowState::Ending; }

    ClipboardKeeping* Keeping() override { return &keeping_; }
    int RestoreClipboardSetting() override;
    // Shown as a balloon of the tray icon.
    void TellDeliveryFailed(DeliveryFailure failure, const std::string& program,
                            const ReplyContent& reply) override;
    // The balloon was clicked: the reply it offered goes on the clipboard.
    void NoticeClicked();

private:
    RawRegistry& registry_;
    InsertionsDialogPort& dialog_;
    const WindowLifecycle& lifecycle_;
    LibraryEditing* editing_ = nullptr;
    ClipboardPort& clipboard_;
    ClipboardKeeping keeping_;
    TrayIconPort& tray_;
    DeliveryNotices notices_;
    RecentDeliveries& recent_;
};

// FixTimer is a timer of the main window like TipTimer.
class FixTimerOverTimer : public FixTimerPort {
public:
    explicit FixTimerOverTimer(TimerPort& timer) : timer_(timer) {}
    void SetFixTimerEnabled(bool enabled) override { timer_.SetTimerEnabled(enabled); }

private:
    TimerPort& timer_;
};

} // namespace tw
