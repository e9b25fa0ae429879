#pragma once
// What the library editing handlers need from the main window's controls. The Win32 main window
// implements these over its real controls; native tests use in-memory fakes.
#include <optional>
#include <string>
#include <vector>

namespace tw {

class TreeNode;

// The rich-text editor `Editor` that holds the selected reply.
class RichEditorPort {
public:
    virtual ~RichEditorPort() = default;
    // Replaces the content with a reply body (lines of RTF source); a body the control rejects
    // as rich text is shown as plain text instead.
    virtual void LoadBody(const std::vector<std::string>& lines) = 0;
    virtual void ClearEditor() = 0;
    // The content streamed out as RTF source, one entry per line.
    virtual std::vector<std::string> BodyLines() = 0;
    // The content as plain text, paragraphs ended by CR LF, as a copy would give it.
    virtual std::u16string EditorPlainText() = 0;
    virtual bool EditorHasFocus() = 0;
    virtual int EditorSelectionLength() = 0;
    virtual bool EditorCanPaste() = 0;
    virtual bool EditorCanUndo() = 0;
    virtual bool EditorCanRedo() = 0;
    // Replaces the selection (or inserts at the caret) like typed text, in the caret's format.
    virtual void EditorReplaceSelection(const std::string& text) = 0;
    // The clipboard gets the whole content as rich text and as plain text; the user's
    // selection is as it was afterwards.
    virtual void CopyEntireToClipboard() = 0;
};

// The property bar: Name, Macro, the Hot Key and Shift boxes and the key drop-down. Setting a
// text may run the field's change handler, as a user's edit would.
class PropertyBarView {
public:
    virtual ~PropertyBarView() = default;
    // Nothing when the field holds a character the library's code page cannot store exactly.
    virtual std::optional<std::string> NameText() = 0;
    virtual void SetNameText(const std::string& text) = 0;
    virtual std::string MacroText() = 0;
    virtual void SetMacroText(const std::string& text) = 0;
    virtual bool HotKeyChecked() = 0;
    virtual void SetHotKeyChecked(bool checked) = 0;
    virtual bool ShiftChecked() = 0;
    virtual void SetShiftChecked(bool checked) = 0;
    // A position in KeyTable, -1 when no entry is selected.
    virtual int KeyIndex() = 0;
    virtual void SetKeyIndex(int position) = 0;
};

// What the tree commands ask of the tree view beyond mirroring the node tree.
class NavigationView {
public:
    virtual ~NavigationView() = default;
    // Opens the in-place editor on the node's caption.
    virtual void BeginEditCaption(TreeNode* node) = 0;
    // Scrolls by whole lines: negative up, positive down.
    virtual void ScrollTreeLines(int lines) = 0;
};

} // namespace tw
