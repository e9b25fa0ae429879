#pragma once
// The one-shot timer after start: delivery begins, and the tip of the day shows when wanted.
#include "platform/raw_registry.h"
#include "delivery/delivery_state.h"
#include "ui/main_form_ports.h"

namespace tw {

class TipOfDay {
public:
    TipOfDay(RawRegistry& registry, TimerPort& tipTimer, TipDialogPort& dialog,
             DeliveryState& delivery)
        : registry_(registry), tipTimer_(tipTimer), dialog_(dialog), delivery_(delivery) {}

    void TipTimerTimer();
    // Help > "Tip of the &Day".
    void ShowFromMenu();
    void TipDialogClose(bool showAtStartup);
    bool StartupState() const { return startupState_; }

private:
    void Show();

    RawRegistry& registry_;
    TimerPort& tipTimer_;
    TipDialogPort& dialog_;
    DeliveryState& delivery_;
    bool startupState_ = false;
};

} // namespace tw
