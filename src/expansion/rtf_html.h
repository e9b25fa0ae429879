#pragma once
// A reply as an HTML fragment for browsers and web editors: character formatting, paragraphs,
// lists, links and tables of its RTF, styled by inline style attributes only. The fragment's
// text is the reply's plain text (RtfToPlainText), always escaped: nothing in a reply becomes
// markup. Pictures and other embedded objects are left out. Source that is not RTF is plain
// text in the ANSI code page (or UTF-8), one paragraph per line.
#include <string>

namespace tw {

std::string RtfToHtml(const std::string& source);

} // namespace tw
