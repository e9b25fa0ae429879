#pragma once
// The keys that make up a typed macro: entry i of MacroKeyCodes is a virtual-key code, entry i of
// MacroCharsPlain the character it types without Shift and entry i of MacroCharsShifted the one
// with Shift, on a US keyboard. The Macro field accepts only these characters, so every macro
// can be recognised when it is typed in another window.
#include <array>
#include <cstdint>
#include <string_view>

namespace tw {

inline constexpr int kMacroKeyCount = 47;

inline constexpr std::array<std::uint8_t, kMacroKeyCount> MacroKeyCodes = {
    0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x30,             // 1..9, 0
    0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B, 0x4C, // A..L
    0x4D, 0x4E, 0x4F, 0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, // M..X
    0x59, 0x5A,                                                             // Y, Z
    0xBC, 0xBE, 0xBA, 0xBB, 0xBD, 0xBF, 0xC0, 0xDB, 0xDC, 0xDD, 0xDE,       // punctuation
};

inline constexpr std::string_view MacroCharsPlain =
    "1234567890abcdefghijklmnopqrstuvwxyz,.;=-/`[\\]'";
inline constexpr std::string_view MacroCharsShifted =
    "!@#$%^&*()ABCDEFGHIJKLMNOPQRSTUVWXYZ<>:+_?~{|}\"";

static_assert(MacroCharsPlain.size() == kMacroKeyCount);
static_assert(MacroCharsShifted.size() == kMacroKeyCount);

// True when c can be typed with one of the macro keys, with or without Shift.
constexpr bool IsMacroChar(char c) {
    return c != '\0' && (MacroCharsPlain.find(c) != std::string_view::npos ||
                         MacroCharsShifted.find(c) != std::string_view::npos);
}

// Position of a virtual-key code in MacroKeyCodes, or -1.
constexpr int MacroKeyIndex(unsigned virtualKey) {
    for (int i = 0; i < kMacroKeyCount; ++i) {
        if (MacroKeyCodes[static_cast<std::size_t>(i)] == virtualKey) {
            return i;
        }
    }
    return -1;
}

} // namespace tw
