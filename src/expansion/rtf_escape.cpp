#include "expansion/rtf_escape.h"
#include "expansion/code_pages.h"
#include "expansion/rtf_byte_classes.h"

#include <algorithm>
#include <optional>

namespace tw {

namespace {

void AppendUnicode(std::string& out, char32_t unit, int unicodeSkip) {
    // \uN takes a signed 16-bit number.
    out += "\\u";
    out += std::to_string(unit >= 0x8000 ? static_cast<long>(unit) - 0x10000
                                         : static_cast<long>(unit));
    if (unicodeSkip == 0) {
        out += ' ';
    }
    out.append(static_cast<std::size_t>(unicodeSkip), '?');
}

} // namespace

void AppendRtfEscaped(std::string& out, std::u32string_view text, int codePage, int unicodeSkip) {
    static const char kHex[] = "0123456789abcdef";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            out += "\\line ";
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c < 0x20 || c >= 0x80) {
            const std::optional<unsigned char> byte = CodePageByteOf(codePage, c);
            if (byte) {
                out += "\\'";
                out += kHex[*byte >> 4];
                out += kHex[*byte & 15];
            } else if (c >= 0x10000) {
                AppendUnicode(out, 0xD800 + ((c - 0x10000) >> 10), unicodeSkip);
                AppendUnicode(out, 0xDC00 + ((c - 0x10000) & 0x3FF), unicodeSkip);
            } else {
                AppendUnicode(out, c, unicodeSkip);
            }
        } else {
            out += static_cast<char>(c);
        }
    }
}

namespace {

// A damaged escape still decodes to one byte, as the scanner counts it as one character.
int HexOrZero(char c) {
    return std::max(0, rtf_bytes::HexValue(static_cast<unsigned char>(c)));
}

std::size_t CharLength(std::string_view source, std::size_t at) {
    if (source[at] != '\\' || at + 1 >= source.size()) {
        return 1;
    }
    return source[at + 1] == '\'' ? 4 : 2;
}

} // namespace

std::string DecodeRtfTextRun(std::string_view source) {
    std::string text;
    text.reserve(source.size());
    std::size_t p = 0;
    while (p < source.size()) {
        const std::size_t length = CharLength(source, p);
        if (length == 4 && p + 3 < source.size()) {
            text += static_cast<char>(HexOrZero(source[p + 2]) * 16 + HexOrZero(source[p + 3]));
        } else if (length == 2) {
            text += source[p + 1];
        } else {
            text += source[p];
        }
        p += length;
    }
    return text;
}

std::size_t SkipRtfTextChars(std::string_view source, std::size_t from, std::size_t count) {
    std::size_t p = from;
    while (count > 0 && p < source.size()) {
        p += CharLength(source, p);
        --count;
    }
    return p < source.size() ? p : source.size();
}

} // namespace tw
