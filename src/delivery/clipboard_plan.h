#pragma once
// With the RestoreClipboard setting on, a delivery that pastes keeps the user's clipboard.
#include "delivery/delivery_steps.h"

namespace tw {

// Every copy of the plan becomes a copy for the paste only.
DeliveryPlan KeepingUserClipboard(DeliveryPlan plan);

} // namespace tw
