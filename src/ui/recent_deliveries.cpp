#include "ui/recent_deliveries.h"

#include "search/library_search_items.h"
#include "settings/reg_proc.h"
#include "settings/settings_store.h"

namespace tw {

void RecentDeliveries::Load() {
    recent_ = RecentReplies::Parse(RegReadString(registry_, kSettingsKey, kRecentReplies));
}

void RecentDeliveries::Delivered(const TRepList& library, const TRep& reply) {
    recent_.Delivered(SearchKeyOf(library, reply));
    RegWriteString(registry_, kSettingsKey, kRecentReplies, recent_.Serialize());
}

} // namespace tw
