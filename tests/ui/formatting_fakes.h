#pragma once
// In-memory formatting controls: the rich editor's formats and edit commands, and the toolbar.
// They record what the handlers ask; setting a box's text runs its change handler, as the real
// controls do.
#include "app/error_report.h"
#include "ui/formatting_ports.h"

#include <functional>
#include <string>
#include <vector>

namespace tw::fakes {

struct Write {
    AttributeScope scope;
    CharAttributes attributes;
    unsigned fields;
};

class FakeFormats : public RichFormattingPort {
public:
    CharAttributes selection, word;
    ParagraphAlignment alignment = ParagraphAlignment::Left;
    int indent = 0;
    std::vector<Write> writes;
    std::vector<int> indentsSet;
    std::vector<ParagraphAlignment> alignmentsSet;
    int spaceBefore = -1;

    CharAttributes ReadCharAttributes(AttributeScope scope) override {
        return scope == AttributeScope::Selection ? selection : word;
    }
    void WriteCharAttributes(AttributeScope scope, const CharAttributes& a,
                             unsigned fields) override {
        writes.push_back({scope, a, fields});
    }
    ParagraphAlignment SelectionAlignment() override { return alignment; }
    void SetSelectionAlignment(ParagraphAlignment a) override { alignmentsSet.push_back(a); }
    int SelectionStartIndent() override { return indent; }
    void SetSelectionStartIndent(int twips) override { indentsSet.push_back(twips); }
    void SetSpaceBefore(int points) override { spaceBefore = points; }
};

class FakeToolbar : public FormattingToolbarView {
public:
    std::function<void(const std::string&)> onSizeChange, onNameChange;
    std::vector<std::string> screenFonts, fonts, colors;
    std::string name, size = "10";
    bool bold = false, italic = false, underline = false;
    ParagraphAlignment down = ParagraphAlignment::Left;
    int checked = -2;

    std::vector<std::string> ScreenFontNames() override { return screenFonts; }
    void FillFontNames(const std::vector<std::string>& names) override { fonts = names; }
    void SetFontNameText(const std::string& text) override {
        name = text;
        if (onNameChange)
            onNameChange(text);
    }
    void SetFontSizeText(const std::string& text) override {
        size = text;
        if (onSizeChange)
            onSizeChange(text);
    }
    void ShowStyle(bool b, bool i, bool u) override {
        bold = b;
        italic = i;
        underline = u;
    }
    void ShowAlignment(ParagraphAlignment a) override { down = a; }
    void FillColorMenu(const std::vector<std::string>& captions) override { colors = captions; }
    void CheckColorEntry(int entry) override { checked = entry; }
};

class RecordingReport : public ErrorReportPort {
public:
    std::vector<std::string> shown;
    void ShowErrorReport(const std::string& text) override { shown.push_back(text); }
};

class RecordingEditorCommands : public EditorCommandsPort {
public:
    std::vector<std::string> ran;
    void EditorCut() override { ran.push_back("cut"); }
    void EditorCopy() override { ran.push_back("copy"); }
    void EditorPaste() override { ran.push_back("paste"); }
    void EditorUndo() override { ran.push_back("undo"); }
    void EditorRedo() override { ran.push_back("redo"); }
    void EditorSelectAll() override { ran.push_back("select all"); }
};

} // namespace tw::fakes
