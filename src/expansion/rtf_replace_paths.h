#pragma once
// The two ways ReplaceInRtf works. Pass by pass is the definition: one pass per name, each over
// the result of the one before. When no name can overlap another name or an earlier value,
// the passes cannot see each other's work and one scan over the source gives the same result.
#include "expansion/replacement_lists.h"

#include <optional>
#include <string>
#include <vector>

namespace tw {

std::string ReplaceInRtfPassByPass(const std::string& source,
                                   const std::vector<Replacement>& passes);
std::string ReplaceInRtfOneScan(const std::string& source, const std::vector<Replacement>& passes);
// The same, or nothing when no name is found, so that the caller can keep the source it has.
std::optional<std::string> ReplaceInRtfOneScanIfChanged(const std::string& source,
                                                        const std::vector<Replacement>& passes);

// True when some placement of the two texts side by side makes them agree (ASCII case
// ignored) on at least one character they share: one inside the other, or an end of one
// matching the start of the other.
bool TextsCanOverlap(const std::string& a, const std::string& b);

// True when one scan gives the pass-by-pass result for these passes.
bool PassesAreIndependent(const std::vector<Replacement>& passes);

} // namespace tw
