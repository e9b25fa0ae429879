#pragma once
// The rich-edit control's character and paragraph formats and its edit commands, behind the
// formatting ports.
#include "ui/formatting_ports.h"

#include <windows.h>

namespace tw::win32 {

class RichEditFormatting : public RichFormattingPort, public EditorCommandsPort {
public:
    explicit RichEditFormatting(HWND control) : hwnd_(control) {}

    CharAttributes ReadCharAttributes(AttributeScope scope) override;
    void WriteCharAttributes(AttributeScope scope, const CharAttributes& attributes,
                             unsigned fields) override;
    ParagraphAlignment SelectionAlignment() override;
    void SetSelectionAlignment(ParagraphAlignment alignment) override;
    int SelectionStartIndent() override;
    void SetSelectionStartIndent(int twips) override;
    void SetSpaceBefore(int points) override;

    void EditorCut() override;
    void EditorCopy() override;
    void EditorPaste() override;
    void EditorUndo() override;
    void EditorRedo() override;
    void EditorSelectAll() override;

private:
    HWND hwnd_;
};

} // namespace tw::win32
