#include "search/recent_replies.h"

#include <algorithm>

namespace tw {
namespace {

// A key is a reply's path in the library; no path is this long.
constexpr std::size_t kMaxKeyLength = 1024;

bool Acceptable(std::string_view key) {
    return !key.empty() && key.size() <= kMaxKeyLength &&
           std::none_of(key.begin(), key.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

} // namespace

void RecentReplies::Delivered(const std::string& key) {
    if (!Acceptable(key)) {
        return;
    }
    const auto found = std::find(keys_.begin(), keys_.end(), key);
    if (found != keys_.end()) {
        keys_.erase(found);
    }
    keys_.insert(keys_.begin(), key);
    if (keys_.size() > kCapacity) {
        keys_.resize(kCapacity);
    }
}

std::size_t RecentReplies::PositionOf(const std::string& key) const {
    const auto found = std::find(keys_.begin(), keys_.end(), key);
    return found == keys_.end() ? kNotRecent : static_cast<std::size_t>(found - keys_.begin());
}

std::string RecentReplies::Serialize() const {
    std::string text;
    for (const std::string& key : keys_) {
        text += key;
        text += '\n';
    }
    return text;
}

RecentReplies RecentReplies::Parse(std::string_view text) {
    RecentReplies recent;
    while (!text.empty() && recent.keys_.size() < kCapacity) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::string key(line);
        if (Acceptable(key) && recent.PositionOf(key) == kNotRecent) {
            recent.keys_.push_back(key);
        }
    }
    return recent;
}

} // namespace tw
