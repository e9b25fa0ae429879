#pragma once
// The expanded reply in the three forms a delivery puts on the clipboard, each rendered from
// its source by the core's own readers, so that what arrives is the same on every system and
// text in any script is never changed on the way.
#include <string>

namespace tw {

struct ReplyContent {
    std::string rtf;     // rich-text source
    std::string html;    // "HTML Format" data: header, document and fragment
    std::u16string text; // plain text
    bool operator==(const ReplyContent&) const = default;
};

// Source that is not RTF (a reply stored as plain text) is written into RTF for the rich form.
ReplyContent RenderReply(const std::string& source);

} // namespace tw
