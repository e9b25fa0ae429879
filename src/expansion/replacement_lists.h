#pragma once
// The names list / values list pair that every replacement takes, and the ASCII-only case rule.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

inline unsigned char FoldAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// Splits on `separator` after appending one: "a,,b" gives a, "", b; "" gives one empty item.
std::vector<std::string> SplitList(const std::string& list, char separator);

struct Replacement {
    std::string name;
    std::string value;
};

// The passes to run, in list order: nullopt when the call has nothing to do at all (an empty
// list, or names and values equal up to ASCII case); otherwise the pairs up to the shorter
// list, without those whose value is empty or whose name can never be found.
std::optional<std::vector<Replacement>> PairReplacements(const std::string& names,
                                                         const std::string& values);

} // namespace tw
