#include "library/hot_key.h"

namespace tw {

namespace {

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

std::string EncodeHotKey(bool shift, char key) {
    return std::string(1, shift ? '1' : '0') + Upper(key);
}

DecodedHotKey DecodeHotKey(const std::string& code) {
    DecodedHotKey d;
    d.shift = !code.empty() && code[0] == '1';
    d.key = code.size() >= 2 ? Upper(code[1]) : '\0';
    return d;
}

std::string HotKeyText(const std::string& code) {
    std::string text = "<CTRL>+<ALT>+";
    if (!code.empty() && code[0] == '1') {
        text += "<SHIFT>+";
    }
    if (code.size() >= 2) {
        text += Upper(code[1]);
    }
    return text;
}

} // namespace tw
