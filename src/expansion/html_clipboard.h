#pragma once
// The clipboard's "HTML Format": a header of byte offsets into the UTF-8 data, then a document
// that holds the fragment between the fragment comments. Readers differ in what they trust:
// some take the fragment comments, some read Version, StartHTML and EndHTML first and in that
// order, some hand on exactly the bytes from StartFragment to EndFragment. The data serves all
// three with the same fragment.
#include <string>
#include <string_view>

namespace tw {

std::string HtmlClipboardData(std::string_view fragment);

} // namespace tw
