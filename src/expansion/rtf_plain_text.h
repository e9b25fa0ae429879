#pragma once
// The document text of RTF source, as ANSI bytes: paragraph and line breaks become CR LF,
// tabs a tab, \uN the ANSI character when there is one and its fallback otherwise. Source
// that is not RTF is returned as it is.
#include <string>

namespace tw {

std::string RtfToPlainText(const std::string& source);

} // namespace tw
