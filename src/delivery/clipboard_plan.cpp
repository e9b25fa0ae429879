#include "delivery/clipboard_plan.h"

#include <algorithm>

namespace tw {

bool PlanPastes(const DeliveryPlan& plan) {
    return std::any_of(plan.begin(), plan.end(), [](const DeliveryStep& s) {
        // Ctrl+V, Ctrl+Shift+V and Shift+Insert all take the clipboard.
        const auto* keys = std::get_if<step::Keys>(&s);
        return keys && std::any_of(keys->events.begin(), keys->events.end(), [](KeyEvent e) {
                   return !e.keyUp && (e.virtualKey == vkey::V || e.virtualKey == vkey::Insert);
               });
    });
}

DeliveryPlan KeepingUserClipboard(DeliveryPlan plan) {
    if (!PlanPastes(plan)) {
        return plan;
    }
    for (DeliveryStep& s : plan) {
        if (auto* copy = std::get_if<step::ExpandAndCopy>(&s)) {
            copy->keepUserClipboard = true;
        }
    }
    return plan;
}

} // namespace tw
