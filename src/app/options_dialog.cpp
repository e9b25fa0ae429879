#include "app/options_dialog.h"

#include "app/picker_hot_key.h"
#include "app/settings.h"
#include "settings/reg_proc.h"

namespace tw {

void TFormOptions::FormShow() {
    if (!view_) {
        return;
    }
    view_->SetChecked(OptionsBox::TipOfDay, SettingIsOn(registry_, kShowTips));
    view_->SetChecked(OptionsBox::AutoRun, RegValueExists(registry_, kAutorunKey, kAutorunValue));
    view_->SetChecked(OptionsBox::ShowMacroIns, SettingIsOn(registry_, kShowMacroIns));
    view_->SetChecked(OptionsBox::AlwaysOnTop, SettingIsOn(registry_, kAlwaysOnTop));
    view_->SetChecked(OptionsBox::RestoreClipboard, SettingIsOn(registry_, kRestoreClipboard));
    view_->SetPickerHotKey(PickerHotKeySetting(registry_));
    for (OptionsPageForm* page : pages_) {
        page->FormShow();
    }
}

void TFormOptions::CheckBoxAlwaysOnTopClick() {
    if (view_ && !view_->IsChecked(OptionsBox::AlwaysOnTop) &&
        SettingIsOn(registry_, kAlwaysOnTop)) {
        boxes_.ShowWarning(kAlwaysOnTopRestartWarning);
    }
}

void TFormOptions::ButtonOkClick() {
    if (!view_) {
        return;
    }
    // A key the picker cannot have keeps the dialog open, with nothing written yet.
    const int hotKey = view_->PickerHotKey();
    switch (CheckPickerHotKey(hotKey)) {
    case HotKeyCheck::Valid:
    case HotKeyCheck::Off:
        break;
    case HotKeyCheck::TakenByReplies:
        boxes_.ShowWarning(HotKeyName(hotKey) +
                           " is kept for the replies' hot keys. Choose another key to open the "
                           "search for replies.");
        return;
    case HotKeyCheck::NoCtrlOrAlt:
    case HotKeyCheck::NotAKey:
        boxes_.ShowWarning("The key to open the search for replies needs Ctrl or Alt with it.");
        return;
    }
    RegWriteInteger(registry_, kSettingsKey, kPickerHotKey, hotKey);
    WriteSetting(registry_, kShowTips, view_->IsChecked(OptionsBox::TipOfDay));
    if (view_->IsChecked(OptionsBox::AutoRun)) {
        RegWriteString(registry_, kAutorunKey, kAutorunValue, AutorunCommand(programPath_));
    } else {
        RegRemoveValue(registry_, kAutorunKey, kAutorunValue);
    }
    WriteSetting(registry_, kShowMacroIns, view_->IsChecked(OptionsBox::ShowMacroIns));
    const bool onTop = view_->IsChecked(OptionsBox::AlwaysOnTop);
    WriteSetting(registry_, kAlwaysOnTop, onTop);
    if (onTop) {
        // Turning it off takes effect at the next start only.
        mainWindow_.MakeMainWindowTopmost();
    }
    WriteSetting(registry_, kRestoreClipboard, view_->IsChecked(OptionsBox::RestoreClipboard));
    for (OptionsPageForm* page : pages_) {
        page->ButtonOkClick();
    }
    view_->CloseDialog(true);
}

void TFormOptions::ButtonCancelClick() {
    if (view_) {
        view_->CloseDialog(false);
    }
}

} // namespace tw
