#include "delivery/clipboard_plan.h"

namespace tw {

DeliveryPlan KeepingUserClipboard(DeliveryPlan plan) {
    for (DeliveryStep& s : plan) {
        if (auto* copy = std::get_if<step::ExpandAndCopy>(&s)) {
            copy->keepUserClipboard = true;
        }
    }
    return plan;
}

} // namespace tw
