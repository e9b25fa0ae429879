#include "expansion/rtf_plain_text.h"

#include "expansion/rtf_scanner.h"

#include <string_view>

namespace tw {

namespace {

struct WordText {
    std::string_view word;
    const char* text;
};

// Control words that stand for characters; the quotes and dashes are the ANSI code page's.
constexpr WordText kCharacterWords[] = {
    {"par", "\r\n"},       {"line", "\r\n"},   {"sect", "\r\n"},   {"page", "\r\n"},
    {"row", "\r\n"},       {"tab", "\t"},      {"cell", "\t"},     {"emdash", "\x97"},
    {"endash", "\x96"},    {"lquote", "\x91"}, {"rquote", "\x92"}, {"ldblquote", "\x93"},
    {"rdblquote", "\x94"}, {"bullet", "\x95"}, {"emspace", " "},   {"enspace", " "},
};

// Unicode characters that are the same byte in the ANSI code page.
bool HasSameAnsiByte(long long code) {
    return (code >= 0x20 && code < 0x7f) || (code >= 0xa0 && code <= 0xff);
}

} // namespace

std::string RtfToPlainText(const std::string& source) {
    if (!IsRtfSource(source)) {
        return source;
    }
    std::string text;
    text.reserve(source.size() / 2);
    RtfScanner scanner(source);
    bool skipFallback = false;
    for (RtfToken token = scanner.Next(); token.kind != RtfTokenKind::End; token = scanner.Next()) {
        if (token.fallback) {
            if (!scanner.InText()) {
                continue;
            }
            if (!skipFallback && token.kind == RtfTokenKind::Text) {
                text.append(source, token.begin, token.end - token.begin);
            } else if (!skipFallback && token.kind == RtfTokenKind::EscapedChar) {
                text += static_cast<char>(token.value);
            }
            continue;
        }
        if (token.inText) {
            if (token.kind == RtfTokenKind::Text) {
                text.append(source, token.begin, token.end - token.begin);
            } else {
                text += static_cast<char>(token.value);
            }
            continue;
        }
        // Characters given by markup count only where text may stand.
        if (token.kind == RtfTokenKind::ControlWord) {
            if (token.word == "u" && token.hasParameter) {
                const long long code =
                    token.parameter < 0 ? token.parameter + 65536 : token.parameter;
                skipFallback = HasSameAnsiByte(code) && scanner.InText();
                if (skipFallback) {
                    text += static_cast<char>(code);
                }
                continue;
            }
            if (!scanner.InText()) {
                continue;
            }
            for (const WordText& entry : kCharacterWords) {
                if (entry.word == token.word) {
                    text += entry.text;
                    break;
                }
            }
        } else if (token.kind == RtfTokenKind::ControlSymbol && scanner.InText()) {
            if (token.value == '~') {
                text += '\xa0';
            } else if (token.value == '_') {
                text += '-';
            } else if (token.value == '\r' || token.value == '\n') {
                text += "\r\n";
            }
        }
    }
    return text;
}

} // namespace tw
