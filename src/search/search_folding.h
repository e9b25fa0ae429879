#pragma once
// What a user types is matched against what a reply holds without regard to case or accents:
// both sides are folded to lower-case base letters first.
#include <string>
#include <string_view>

namespace tw {

// Text in UTF-8; a byte that starts no UTF-8 sequence is read in the default ANSI code page, so
// library names pass as they are. Latin letters lose their accents (ß, æ and œ become two
// letters), Greek and Cyrillic fold case and accents too, and combining marks are dropped.
std::u32string FoldForSearch(std::string_view text);

} // namespace tw
