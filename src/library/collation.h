#pragma once
// The two text comparisons of the library.
#include <string_view>

namespace tw {

// ASCII letters compared without regard to case; every other byte must be equal.
bool SameTextAscii(std::string_view a, std::string_view b);

// Order of the macro and hot-key indexes, the same on every platform and in every locale:
// ASCII letters are folded to lower case, then bytes compare as unsigned values, a shorter text
// before a longer one it starts. So punctuation below '0' sorts first, then digits, then letters
// ('_' and the few signs between 'Z' and 'a' stand between digits and letters), and every byte
// from 0x80 up (accented letters of the ANSI code page included) sorts after all ASCII, by value
// and with its case kept. It is a total order on the folded texts, so a strict weak ordering,
// and two texts are equivalent exactly when SameTextAscii holds.
int CompareIndexText(std::string_view a, std::string_view b);

struct IndexTextLess {
    bool operator()(std::string_view a, std::string_view b) const {
        return CompareIndexText(a, b) < 0;
    }
};

} // namespace tw
