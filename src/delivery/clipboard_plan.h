#pragma once
// With the RestoreClipboard setting on, a delivery that pastes keeps the user's clipboard.
#include "delivery/delivery_steps.h"

namespace tw {

// True when the plan synthesizes Ctrl+V: its copy is for that paste only.
bool PlanPastes(const DeliveryPlan& plan);

// In a plan that pastes, every copy becomes a copy for the paste only; any other plan (the copy
// the user asked for) is left as it is.
DeliveryPlan KeepingUserClipboard(DeliveryPlan plan);

} // namespace tw
