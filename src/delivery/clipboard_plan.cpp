#include "delivery/clipboard_plan.h"

#include <algorithm>

namespace tw {

bool PlanPastes(const DeliveryPlan& plan) {
    return std::any_of(plan.begin(), plan.end(), [](const DeliveryStep& s) {
        const auto* keys = std::get_if<step::Keys>(&s);
        return keys && std::find(keys->events.begin(), keys->events.end(),
                                 KeyEvent{vkey::V, false}) != keys->events.end();
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
