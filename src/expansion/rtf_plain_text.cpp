#include "expansion/rtf_plain_text.h"

#include "expansion/code_pages.h"
#include "expansion/rtf_scanner.h"

#include <string_view>

namespace tw {

namespace {

struct WordText {
    std::string_view word;
    const char* text; // UTF-8
};

// Control words that stand for characters.
constexpr WordText kCharacterWords[] = {
    {"par", "\r\n"},
    {"line", "\r\n"},
    {"sect", "\r\n"},
    {"page", "\r\n"},
    {"row", "\r\n"},
    {"tab", "\t"},
    {"cell", "\t"},
    {"emdash", "\xe2\x80\x94"},
    {"endash", "\xe2\x80\x93"},
    {"lquote", "\xe2\x80\x98"},
    {"rquote", "\xe2\x80\x99"},
    {"ldblquote", "\xe2\x80\x9c"},
    {"rdblquote", "\xe2\x80\x9d"},
    {"bullet", "\xe2\x80\xa2"},
    {"emspace", "\xe2\x80\x83"},
    {"enspace", "\xe2\x80\x82"},
};

// Joins the two halves of a character beyond the BMP that \uN writes as a UTF-16 pair.
class Utf16Joiner {
public:
    void Add(std::string& out, long long parameter) {
        const char32_t unit = static_cast<char32_t>(parameter < 0 ? parameter + 65536 : parameter);
        if (high_ != 0 && unit >= 0xDC00 && unit <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((high_ - 0xD800) << 10) + (unit - 0xDC00));
            high_ = 0;
            return;
        }
        Flush(out);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            high_ = unit;
        } else {
            AppendUtf8(out, unit >= 0xDC00 && unit <= 0xDFFF ? U'\xFFFD' : unit);
        }
    }
    // A high half with no low half after it.
    void Flush(std::string& out) {
        if (high_ != 0) {
            AppendUtf8(out, U'\xFFFD');
            high_ = 0;
        }
    }

private:
    char32_t high_ = 0;
};

} // namespace

std::string RtfToPlainText(const std::string& source) {
    if (!IsRtfSource(source)) {
        return source;
    }
    const int codePage = RtfCodePage(source);
    std::string text;
    text.reserve(source.size() / 2);
    RtfScanner scanner(source);
    Utf16Joiner pairs;
    for (RtfToken token = scanner.Next(); token.kind != RtfTokenKind::End; token = scanner.Next()) {
        if (token.fallback) {
            continue; // stands in for the \uN before it, which is read instead
        }
        if (token.kind == RtfTokenKind::ControlWord && token.word == "u" && token.hasParameter) {
            if (scanner.InText()) {
                pairs.Add(text, token.parameter);
            }
            continue;
        }
        pairs.Flush(text);
        if (token.inText) {
            if (token.kind == RtfTokenKind::Text) {
                for (std::size_t p = token.begin; p < token.end; ++p) {
                    AppendUtf8(text,
                               CharOfCodePageByte(codePage, static_cast<unsigned char>(source[p])));
                }
            } else {
                AppendUtf8(text, CharOfCodePageByte(codePage, token.value));
            }
            continue;
        }
        // Characters given by markup count only where text may stand.
        if (!scanner.InText()) {
            continue;
        }
        if (token.kind == RtfTokenKind::ControlWord) {
            for (const WordText& entry : kCharacterWords) {
                if (entry.word == token.word) {
                    text += entry.text;
                    break;
                }
            }
        } else if (token.kind == RtfTokenKind::ControlSymbol) {
            if (token.value == '~') {
                text += "\xc2\xa0";
            } else if (token.value == '_') {
                text += '-';
            } else if (token.value == '\r' || token.value == '\n') {
                text += "\r\n";
            }
        }
    }
    pairs.Flush(text);
    return text;
}

} // namespace tw
