#include "delivery/reply_content.h"

#include "expansion/code_pages.h"
#include "expansion/html_clipboard.h"
#include "expansion/rtf_escape.h"
#include "expansion/rtf_html.h"
#include "expansion/rtf_plain_text.h"
#include "expansion/rtf_scanner.h"

namespace tw {

ReplyContent RenderReply(const std::string& source) {
    ReplyContent reply;
    if (IsRtfSource(source)) {
        reply.rtf = source;
    } else {
        reply.rtf = "{\\rtf1\\ansi\\ansicpg1252\\uc1 ";
        AppendRtfEscaped(reply.rtf, DecodeUtf8(source, kDefaultCodePage), kDefaultCodePage, 1);
        reply.rtf += "}";
    }
    reply.html = HtmlClipboardData(RtfToHtml(source));
    for (char32_t c : DecodeUtf8(RtfToPlainText(source), kDefaultCodePage)) {
        if (c > 0xFFFF) {
            c -= 0x10000;
            reply.text += static_cast<char16_t>(0xD800 + (c >> 10));
            reply.text += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            reply.text += static_cast<char16_t>(c);
        }
    }
    return reply;
}

} // namespace tw
