#pragma once
// What the formatting toolbar and the edit commands need of the rich editor and of the toolbar's
// own controls. The Win32 side implements these over the rich-edit control and the toolbar;
// native tests use recording fakes.
#include "ui/text_format.h"

#include <string>
#include <vector>

namespace tw {

// Where a character-attribute change goes: the selection, or the word at the caret.
enum class AttributeScope { Selection, WordAtCaret };

// The rich editor's character and paragraph formats.
class RichFormattingPort {
public:
    virtual ~RichFormattingPort() = default;
    // At an empty selection, Selection reads what typing at the caret would get.
    virtual CharAttributes ReadCharAttributes(AttributeScope scope) = 0;
    // Changes only the members named by `fields` (CharField bits).
    virtual void WriteCharAttributes(AttributeScope scope, const CharAttributes& attributes,
                                     unsigned fields) = 0;
    // Of the selection's paragraphs; reading gives the first paragraph's.
    virtual ParagraphAlignment SelectionAlignment() = 0;
    virtual void SetSelectionAlignment(ParagraphAlignment alignment) = 0;
    // The first line's indent from the left margin, in twips (1/20 point).
    virtual int SelectionStartIndent() = 0;
    virtual void SetSelectionStartIndent(int twips) = 0;
    virtual void SetSpaceBefore(int points) = 0;
};

// The edit commands' effects on the rich editor.
class EditorCommandsPort {
public:
    virtual ~EditorCommandsPort() = default;
    virtual void EditorCut() = 0;
    virtual void EditorCopy() = 0;
    virtual void EditorPaste() = 0;
    virtual void EditorUndo() = 0;
    virtual void EditorRedo() = 0;
    virtual void EditorSelectAll() = 0;
};

// The toolbar's controls. Setting a text may run that control's change handler, as a user's
// edit would.
class FormattingToolbarView {
public:
    virtual ~FormattingToolbarView() = default;
    // The face names of the screen's fonts, as the system reports them.
    virtual std::vector<std::string> ScreenFontNames() = 0;
    virtual void FillFontNames(const std::vector<std::string>& names) = 0;
    virtual void SetFontNameText(const std::string& text) = 0;
    virtual void SetFontSizeText(const std::string& text) = 0;
    virtual void ShowStyle(bool bold, bool italic, bool underline) = 0;
    // Left, Right or Center: that button goes down and the other two up.
    virtual void ShowAlignment(ParagraphAlignment alignment) = 0;
    // The colour menu's items, in ColorTable order.
    virtual void FillColorMenu(const std::vector<std::string>& captions) = 0;
    // -1 unchecks every item.
    virtual void CheckColorEntry(int entry) = 0;
};

} // namespace tw
