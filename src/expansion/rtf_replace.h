#pragma once
// Replacement of names by values in a reply's source. In RTF only document text is searched
// (never control words, braces, or hidden destinations such as the font table), \'hh counts
// as the character it stands for, and every value is written escaped, so the result stays
// valid RTF. A name is found only where its characters stand together in the source: one
// split by markup stays as it is. Source that is not RTF is treated as plain text. Names are in
// the document's code page; values are UTF-8 (a byte that is not is taken as one of that code
// page), and a character the code page lacks is written as \uN.
#include "expansion/replacement_lists.h"

#include <string>
#include <vector>

namespace tw {

// One pass per name, each over the result of the one before: later passes see the values of
// earlier ones.
std::string ReplaceInRtf(const std::string& source, const std::vector<Replacement>& passes);
// Names list and values list as ApplyReplacements takes them.
std::string ReplaceInRtf(const std::string& source, const std::string& names,
                         const std::string& values);

// The same passes over plain text, which is in the ANSI code page: a value's characters outside
// it become "?".
std::string ReplaceInPlainText(const std::string& text, const std::vector<Replacement>& passes);

} // namespace tw
