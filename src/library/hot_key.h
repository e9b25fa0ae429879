#pragma once
// Hot-key codes: "1" or "0" for Shift, then the key ("A".."Z", "0".."9"), which is also the key's
// virtual-key code. Ctrl and Alt are always part of a hot key and are not encoded.
#include <string>

namespace tw {

std::string EncodeHotKey(bool shift, char key);
// Line 2 of a reply file names a hot key only when it is one or two characters long.
inline bool IsHotKeyLine(const std::string& line) {
    return line.size() == 1 || line.size() == 2;
}
struct DecodedHotKey {
    bool shift = false;
    char key = '\0';
};
// A code shorter than two characters decodes to no Shift and key '\0' for what is missing.
DecodedHotKey DecodeHotKey(const std::string& code);
// "<CTRL>+<ALT>+", "<SHIFT>+" when the code has Shift, then the key.
std::string HotKeyText(const std::string& code);

} // namespace tw
