#pragma once
// Left-to-right search that ignores the case of ASCII letters only.
#include <cstddef>
#include <cstring>
#include <string_view>

#include "expansion/replacement_lists.h"

namespace tw {

// Finds the next byte at or after `from` that equals `first` up to ASCII case.
class FirstByteFinder {
public:
    FirstByteFinder(std::string_view text, unsigned char first);
    std::size_t Next(std::size_t from); // npos when none is left

private:
    std::size_t Find(unsigned char c, std::size_t from) const;
    std::string_view text_;
    unsigned char lower_;
    unsigned char upper_;
    std::size_t nextLower_ = 0;
    std::size_t nextUpper_ = 0;
    bool lowerValid_ = false;
    bool upperValid_ = false;
};

// True when `name` stands at `at` in `text` (whole name inside the text), ASCII case ignored.
inline bool MatchesAt(std::string_view text, std::size_t at, std::string_view name) {
    if (at > text.size() || text.size() - at < name.size()) {
        return false;
    }
    const char* t = text.data() + at;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (FoldAscii(static_cast<unsigned char>(t[i])) !=
            FoldAscii(static_cast<unsigned char>(name[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace tw
