#include "expansion/text_search.h"

namespace tw {

FirstByteFinder::FirstByteFinder(std::string_view text, unsigned char first) : text_(text) {
    lower_ = FoldAscii(first);
    upper_ = (lower_ >= 'a' && lower_ <= 'z') ? static_cast<unsigned char>(lower_ - 32) : lower_;
}

std::size_t FirstByteFinder::Find(unsigned char c, std::size_t from) const {
    if (from >= text_.size()) {
        return std::string_view::npos;
    }
    const void* hit = std::memchr(text_.data() + from, c, text_.size() - from);
    return hit == nullptr ? std::string_view::npos
                          : static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data());
}

std::size_t FirstByteFinder::Next(std::size_t from) {
    // Each cached position is reused until the search passes it, so a text is read once per case.
    if (!lowerValid_ || (nextLower_ < from && nextLower_ != std::string_view::npos)) {
        nextLower_ = Find(lower_, from);
        lowerValid_ = true;
    }
    if (upper_ == lower_) {
        return nextLower_;
    }
    if (!upperValid_ || (nextUpper_ < from && nextUpper_ != std::string_view::npos)) {
        nextUpper_ = Find(upper_, from);
        upperValid_ = true;
    }
    return nextLower_ < nextUpper_ ? nextLower_ : nextUpper_;
}

} // namespace tw
