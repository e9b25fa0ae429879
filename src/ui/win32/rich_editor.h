#pragma once
// The reply editor `Editor`: a RICHEDIT50W control behind the rich-editor port. Bodies go in and
// out as RTF source; a body the control rejects as RTF is shown as plain text.
#include "ui/editing_ports.h"

#include <windows.h>

#include <string>

namespace tw::win32 {

class RichEditor : public RichEditorPort {
public:
    // Loads Msftedit.dll once per process; false when the class is not available.
    static bool LoadControlLibrary();
    // Creates the control as a child; EN_CHANGE and EN_SELCHANGE reach the parent.
    static HWND Create(HWND parent, int id);

    explicit RichEditor(HWND control) : hwnd_(control) {}
    HWND Handle() const { return hwnd_; }

    void LoadBody(const std::vector<std::string>& lines) override;
    void ClearEditor() override;
    std::vector<std::string> BodyLines() override;
    std::u16string EditorPlainText() override;
    bool EditorHasFocus() override;
    int EditorSelectionLength() override;
    bool EditorCanPaste() override;
    bool EditorCanUndo() override;
    bool EditorCanRedo() override;
    void EditorReplaceSelection(const std::string& text) override;

    // The content as RTF source in one piece, and loading it: false when the control refused
    // it as RTF (nothing was loaded then).
    std::string RtfSource();
    bool LoadRtf(const std::string& source);
    void LoadPlainText(const std::string& text);
    // Selects everything, copies, and puts the user's selection back.
    void CopyEntireToClipboard() override;

private:
    bool StreamIn(const std::string& bytes, UINT format);

    HWND hwnd_;
};

} // namespace tw::win32
