#pragma once
// The inline HTML of one paragraph at a time: escaped text in spans styled after the RTF's
// character formatting, line breaks and links.
#include "expansion/html_blocks.h"
#include "expansion/rtf_header.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw {

struct HtmlCharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    long long font = -1;
    int halfPoints = 24;
    int color = 0;     // index into the colour table; 0 and unknown ones: the reader's own
    int highlight = 0; // likewise; 0: none
    int vertical = 0;  // 1 superscript, -1 subscript
    bool operator==(const HtmlCharFormat&) const = default;
};

class HtmlInlineWriter {
public:
    explicit HtmlInlineWriter(const RtfHeader& header) : header_(header) {}

    void Char(char32_t c, const HtmlCharFormat& format);
    // Bytes of the code page.
    void Bytes(std::string_view bytes, int codePage, const HtmlCharFormat& format);
    void Utf8(std::string_view text, const HtmlCharFormat& format);
    void Break();
    // Links the text up to CloseLink when the field instruction is a hyperlink to a web or
    // mail address; any other field shows its text only.
    void OpenLink(std::string_view instruction);
    void CloseLink();
    // The paragraph so far; an open link goes on in the next one.
    HtmlInline Take();

private:
    void Start(const HtmlCharFormat& format);
    void CloseSpan();
    void Escaped(char32_t c);

    const RtfHeader& header_;
    HtmlInline out_;
    HtmlCharFormat span_;
    bool spanOpen_ = false;
    std::string href_; // the link in force; empty: none
    bool linkOpen_ = false;
    bool afterCr_ = false;
    std::vector<std::pair<HtmlCharFormat, std::string>> styles_; // opening tags by format
};

// The address a HYPERLINK field instruction names, when it is one a link may lead to.
std::string HyperlinkTarget(std::string_view instruction);

} // namespace tw
