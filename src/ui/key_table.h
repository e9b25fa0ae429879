#pragma once
// The 36 keys a hot key may use, in the order the key drop-down shows them: "A" to "Z", then
// "0" to "9". A position in the drop-down is a position here.
#include <string_view>

namespace tw {

inline constexpr std::string_view KeyTable = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
inline constexpr int kKeyTableSize = static_cast<int>(KeyTable.size());

// The key character at a drop-down position, or '\0' outside the table.
constexpr char KeyTableChar(int position) {
    return position >= 0 && position < kKeyTableSize
               ? KeyTable[static_cast<std::string_view::size_type>(position)]
               : '\0';
}

// The position of a key character (either letter case), or -1.
constexpr int KeyTableIndexOf(char key) {
    if (key >= 'a' && key <= 'z') {
        key = static_cast<char>(key - 'a' + 'A');
    }
    const auto at = key == '\0' ? std::string_view::npos : KeyTable.find(key);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

} // namespace tw
