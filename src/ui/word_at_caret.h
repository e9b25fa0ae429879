#pragma once
// The word a caret touches, for formatting "the word at the caret" when nothing is selected.
#include <cstddef>
#include <string_view>

namespace tw {

struct WordSpan {
    std::size_t start = 0;
    std::size_t end = 0; // one past the last unit; start == end: no word
};

// Letters, digits, "_" and "'" (as in "don't") make words; blanks, line ends and punctuation
// end them. A caret right before or right after a word touches it.
WordSpan WordAtCaret(std::u16string_view text, std::size_t caret);

} // namespace tw
