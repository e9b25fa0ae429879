#pragma once
// What an expansion needs of the rich-text editor that holds the reply being delivered.
#include <string>

namespace tw {

class ExpansionEditor {
public:
    virtual ~ExpansionEditor() = default;
    // The editor's whole content as RTF source (lines joined with CR LF).
    virtual std::string GetRtfSource() = 0;
    // Clears the editor and loads the source as rich text.
    virtual void LoadRtfSource(const std::string& source) = 0;
    // The editor's unsaved-changes flag (ContentModified).
    virtual void ClearContentModified() = 0;
};

} // namespace tw
