#pragma once
// The replies delivered last, by any path, kept in the settings so that the search ranks them
// first across restarts.
#include "platform/raw_registry.h"
#include "search/recent_replies.h"

namespace tw {

class TRep;
class TRepList;

// A string value under the settings key: one reply's path in the library a line.
inline constexpr const char* kRecentReplies = "RecentReplies";

class RecentDeliveries {
public:
    explicit RecentDeliveries(RawRegistry& registry) : registry_(registry) {}

    // Reads the list the last run left; damaged lines are skipped.
    void Load();
    // The reply comes first, in memory and in the settings.
    void Delivered(const TRepList& library, const TRep& reply);
    const RecentReplies& Replies() const { return recent_; }

private:
    RawRegistry& registry_;
    RecentReplies recent_;
};

} // namespace tw
