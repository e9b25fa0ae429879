#include "expansion/apply_replacements.h"

#include "expansion/placeholders.h"
#include "expansion/rtf_replace.h"

namespace tw {

void ApplyReplacements(ExpansionEditor& editor, const std::string& names,
                       const std::string& values) {
    const auto passes = PairReplacements(names, values);
    if (!passes) {
        return;
    }
    editor.LoadRtfSource(ReplaceInRtf(editor.GetRtfSource(), *passes));
    editor.ClearContentModified();
}

void ExpandReply(ExpansionEditor& editor, const std::string& fieldNames,
                 const std::string& fieldValues, LocalClock& clock) {
    if (!fieldValues.empty()) {
        ApplyReplacements(editor, fieldNames, fieldValues);
    }
    ApplyReplacements(editor, GetPlaceholderNames(), GetPlaceholderValues(clock));
}

} // namespace tw
