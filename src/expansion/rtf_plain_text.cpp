#include "expansion/rtf_plain_text.h"

#include "expansion/code_pages.h"
#include "expansion/rtf_header.h"
#include "expansion/rtf_scanner.h"

#include <string_view>
#include <vector>

namespace tw {

std::string RtfToPlainText(const std::string& source) {
    if (!IsRtfSource(source)) {
        return source;
    }
    const RtfHeader header = ReadRtfHeader(source);
    std::string text;
    text.reserve(source.size() / 2);
    RtfScanner scanner(source);
    Utf16Joiner pairs;
    // The code page of the font in force, group by group: \'hh and raw bytes are in it.
    std::vector<int> codePages{header.CodePageOf(header.defaultFont)};
    for (RtfToken token = scanner.Next(); token.kind != RtfTokenKind::End; token = scanner.Next()) {
        if (token.kind == RtfTokenKind::GroupOpen) {
            codePages.push_back(codePages.back());
        } else if (token.kind == RtfTokenKind::GroupClose && codePages.size() > 1) {
            codePages.pop_back();
        }
        if (token.fallback || token.kind == RtfTokenKind::Ignored) {
            // A fallback stands in for the \uN before it, which is read instead; raw line
            // breaks do not even part the two halves of a character.
            continue;
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
                    AppendUtf8(text, CharOfCodePageByte(codePages.back(),
                                                        static_cast<unsigned char>(source[p])));
                }
            } else {
                AppendUtf8(text, CharOfCodePageByte(codePages.back(), token.value));
            }
            continue;
        }
        // Characters given by markup count only where text may stand.
        if (!scanner.InText()) {
            continue;
        }
        if (token.kind == RtfTokenKind::ControlWord) {
            if (token.word == "f" || token.word == "plain") {
                codePages.back() =
                    header.CodePageOf(token.word == "f" ? token.parameter : header.defaultFont);
            } else if (const char* chars = RtfWordText(token.word)) {
                text += chars;
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
