#include "ui/tip_of_day.h"

#include "app/settings.h"

namespace tw {

void TipOfDay::TipTimerTimer() {
    tipTimer_.SetTimerEnabled(false);
    delivery_.DeliveryEnabled = true;
    startupState_ = SettingIsOn(registry_, kShowTips);
    if (startupState_) {
        Show();
    }
}

void TipOfDay::ShowFromMenu() {
    Show();
}

void TipOfDay::Show() {
    TipDialogClose(dialog_.ShowTipDialog(startupState_));
}

void TipOfDay::TipDialogClose(bool showAtStartup) {
    startupState_ = showAtStartup;
    WriteSetting(registry_, kShowTips, showAtStartup);
}

} // namespace tw
