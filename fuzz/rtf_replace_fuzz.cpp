// Fuzzes the replacement of names in reply sources. The input is split at NUL bytes into the
// source, a names list and a values list; a missing list falls back to the placeholders.
#include "expansion/placeholders.h"
#include "expansion/replacement_lists.h"
#include "expansion/rtf_replace_check.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
constexpr std::size_t kGrowthExpandedAgain = 1024;
// Each pass sees the values of the ones before, so a few short names whose values hold each
// other multiply the text per pass: one 1,200-byte input reached hundreds of megabytes and 13 s.
// Such inputs are skipped on a bound of the first expansion, taking every name as found as often
// as it fits and every value byte as escaped into the longest form it can take.
constexpr std::size_t kLargestFirstExpansion = std::size_t{1} << 20;
constexpr std::size_t kLongestEscapePerByte = 8;

bool MayGrowPastLimit(const std::string& source, const std::string& names,
                      const std::string& values) {
    const auto passes = tw::PairReplacements(names, values);
    if (!passes) {
        return false;
    }
    std::size_t bound = source.size();
    for (const tw::Replacement& pass : *passes) {
        const std::size_t found = bound / std::max<std::size_t>(pass.name.size(), 1);
        bound += found * pass.value.size() * kLongestEscapePerByte;
        if (bound > kLargestFirstExpansion) {
            return true;
        }
    }
    return false;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) {
        return -1;
    }
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string parts[3];
    std::size_t part = 0;
    for (char c : input) {
        if (c == '\0' && part < 2) {
            ++part;
        } else {
            parts[part] += c;
        }
    }
    std::string source = parts[0];
    // Odd-length sources get a document group around them, so the scanner's text states are
    // reached without the fuzzer having to discover "{\rtf" first.
    if (source.size() % 2 == 1) {
        source = "{\\rtf1\\ansi " + source + "}";
    }
    const std::string names = part >= 1 ? parts[1] : tw::GetPlaceholderNames();
    const std::string values =
        part >= 2 ? parts[2] : tw::GetPlaceholderValues(tw::LocalDateTime{2024, 2, 29, 0, 7, 9});
    // Values that hold names multiply on every pass. A first expansion that grew by more than
    // the cap is checked but neither expanded again nor kept to grow from: a name found again
    // in an inserted value, next to markup or among escapes needs one or two occurrences, which
    // the cap holds dozens of, and a corpus of larger ones spends its time copying values.
    if (MayGrowPastLimit(source, names, values)) {
        return -1;
    }
    bool cut = false;
    const std::string problem = tw::testing::CheckReplacement(
        source, names, values, source.size() + kGrowthExpandedAgain, &cut);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        std::abort();
    }
    return cut ? -1 : 0;
}
