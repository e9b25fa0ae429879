#pragma once
// The document text of RTF source as a rich-text editor shows it, in UTF-8: \'hh and raw bytes in
// the document's code page (\ansicpg, default 1252), \uN as its character with the fallback that
// \ucN gives skipped, paragraph and line breaks as CR LF. Source that is not RTF is returned as
// it is.
#include <string>

namespace tw {

std::string RtfToPlainText(const std::string& source);

} // namespace tw
