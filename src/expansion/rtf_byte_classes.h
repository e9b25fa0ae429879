#pragma once
// Byte classes of RTF source, shared by its readers (scanner, escapes).
#include <cstddef>

namespace tw::rtf_bytes {

inline bool IsLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

inline bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

inline int HexValue(unsigned char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

constexpr long long kParameterLimit = 1LL << 40;

} // namespace tw::rtf_bytes
