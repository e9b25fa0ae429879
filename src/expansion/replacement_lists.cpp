#include "expansion/replacement_lists.h"

#include "expansion/placeholders.h"

#include <algorithm>

namespace tw {

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(static_cast<unsigned char>(a[i])) !=
            FoldAscii(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> SplitList(const std::string& list, char separator) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = list.find(separator, start);
        if (at == std::string::npos) {
            items.push_back(list.substr(start));
            return items;
        }
        items.push_back(list.substr(start, at - start));
        start = at + 1;
    }
}

namespace {

// Line breaks and tabs in the text are markup, never characters a name could span.
bool CanBeFound(const std::string& name) {
    return !name.empty() && std::none_of(name.begin(), name.end(), [](char c) {
        return c == '\r' || c == '\n' || c == '\t';
    });
}

} // namespace

std::optional<std::vector<Replacement>> PairReplacements(const std::string& names,
                                                         const std::string& values) {
    if (names.empty() || values.empty() || EqualIgnoringAsciiCase(names, values)) {
        return std::nullopt;
    }
    const std::vector<std::string> nameItems = SplitList(names, kNameSeparator);
    const std::vector<std::string> valueItems = SplitList(values, kValueSeparator);
    const std::size_t n = std::min(nameItems.size(), valueItems.size());
    std::vector<Replacement> pairs;
    pairs.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (!valueItems[i].empty() && CanBeFound(nameItems[i])) {
            pairs.push_back(Replacement{nameItems[i], valueItems[i]});
        }
    }
    return pairs;
}

} // namespace tw
