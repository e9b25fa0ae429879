#pragma once
// The editor as the library editing handlers use it, with the formatting toolbar following
// every reply that is loaded into it: whichever way a reply is selected, the toolbar shows the
// attributes of its text at the caret.
#include "ui/editing_ports.h"
#include "ui/formatting_toolbar.h"

namespace tw {

class ToolbarFollowingEditor : public RichEditorPort {
public:
    ToolbarFollowingEditor(RichEditorPort& editor, FormattingToolbar& toolbar)
        : editor_(editor), toolbar_(toolbar) {}

    void LoadBody(const std::vector<std::string>& lines) override {
        editor_.LoadBody(lines);
        toolbar_.SelectionChange();
    }
    void ClearEditor() override {
        editor_.ClearEditor();
        toolbar_.SelectionChange();
    }
    std::vector<std::string> BodyLines() override { return editor_.BodyLines(); }
    std::u16string EditorPlainText() override { return editor_.EditorPlainText(); }
    bool EditorHasFocus() override { return editor_.EditorHasFocus(); }
    int EditorSelectionLength() override { return editor_.EditorSelectionLength(); }
    bool EditorCanPaste() override { return editor_.EditorCanPaste(); }
    bool EditorCanUndo() override { return editor_.EditorCanUndo(); }
    bool EditorCanRedo() override { return editor_.EditorCanRedo(); }
    void EditorReplaceSelection(const std::string& text) override {
        editor_.EditorReplaceSelection(text);
    }
    void CopyEntireToClipboard() override { editor_.CopyEntireToClipboard(); }

private:
    RichEditorPort& editor_;
    FormattingToolbar& toolbar_;
};

} // namespace tw
