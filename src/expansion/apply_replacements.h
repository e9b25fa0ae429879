#pragma once
#include "expansion/expansion_editor.h"

#include <string>

namespace tw {

// Replaces every name of the names list by its value in the editor's content, reloads the
// editor and clears its modified flag, so that the expanded copy is never saved as the reply.
// Nothing happens at all when either list is empty or the two are equal up to ASCII case.
void ApplyReplacements(ExpansionEditor& editor, const std::string& names,
                       const std::string& values);

// Fields first (when there are values), then the placeholders for one clock reading.
class LocalClock;
void ExpandReply(ExpansionEditor& editor, const std::string& fieldNames,
                 const std::string& fieldValues, LocalClock& clock);

// The same expansion of a reply's source, as the core's own copy for a delivery: the rich text,
// HTML and plain text of what arrives all come from it.
std::string ExpandReplySource(const std::string& source, const std::string& fieldNames,
                              const std::string& fieldValues, LocalClock& clock);

} // namespace tw
