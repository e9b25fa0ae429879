#pragma once
// The main window's side of the expansion: the reply in Editor is the working copy that the
// replacements rewrite just before a delivery. The copy is never written back into the library.
#include "expansion/expansion_editor.h"
#include "ui/editing_ports.h"
#include "ui/library_editing.h"

#include <string>

namespace tw {

class ReplyWorkingCopy : public ExpansionEditor {
public:
    ReplyWorkingCopy(RichEditorPort& editor, LibraryEditing& editing)
        : editor_(editor), editing_(editing) {}

    // Edits still pending in the editor are written first: clearing the modified flag after
    // the expansion would otherwise drop them unsaved. When that fails the expansion stops and its
    // command shows why.
    std::string GetRtfSource() override;
    void LoadRtfSource(const std::string& source) override;
    void ClearContentModified() override { editing_.ClearContentModified(); }

private:
    RichEditorPort& editor_;
    LibraryEditing& editing_;
};

} // namespace tw
