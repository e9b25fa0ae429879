#include "expansion/apply_replacements.h"

#include "expansion/placeholders.h"
#include "expansion/rtf_replace.h"

namespace tw {

namespace {

class SourceCopy : public ExpansionEditor {
public:
    explicit SourceCopy(const std::string& source) : source(source) {}
    std::string GetRtfSource() override { return source; }
    void LoadRtfSource(const std::string& s) override { source = s; }
    void ClearContentModified() override {}
    std::string source;
};

} // namespace

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

std::string ExpandReplySource(const std::string& source, const std::string& fieldNames,
                              const std::string& fieldValues, LocalClock& clock) {
    SourceCopy copy(source);
    ExpandReply(copy, fieldNames, fieldValues, clock);
    return std::move(copy.source);
}

} // namespace tw
