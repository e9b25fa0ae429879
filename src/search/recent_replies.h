#pragma once
// The replies delivered last, by any path, most recent first: the search ranks them ahead of
// others that match as well. Kept across restarts as text, one reply's key a line.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class RecentReplies {
public:
    static constexpr std::size_t kCapacity = 100;
    static constexpr std::size_t kNotRecent = static_cast<std::size_t>(-1);

    // The reply comes first; the oldest falls out beyond the capacity.
    void Delivered(const std::string& key);
    // 0 for the last delivered; kNotRecent for a reply not among them.
    std::size_t PositionOf(const std::string& key) const;
    const std::vector<std::string>& Keys() const { return keys_; }

    std::string Serialize() const;
    // Damaged text costs only its damaged lines: empty, overlong or with control characters
    // they are skipped, as are repeats and whatever lies beyond the capacity.
    static RecentReplies Parse(std::string_view text);

private:
    std::vector<std::string> keys_;
};

} // namespace tw
