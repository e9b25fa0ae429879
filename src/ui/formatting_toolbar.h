#pragma once
// The handlers of the formatting toolbar ToolBarEditor: the toolbar follows the caret, and each
// control changes the text's font, size, colour, style, alignment or indentation.
//
// While the toolbar is being refreshed from the editor (UpdatingToolbar) every handler that
// changes text does nothing, so a refresh never changes the text.
#include "app/error_report.h"
#include "ui/editing_ports.h"
#include "ui/formatting_ports.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tw {

inline constexpr int kParagraphSpaceBeforePoints = 12;
inline constexpr int kIndentStepTwips = 10 * 20;

enum class CharStyle { Bold, Italic, Underline };

class FormattingToolbar {
public:
    // `changed` runs after every change of the text's formats: the control does not report
    // those as content changes everywhere, and the reply must still count as edited.
    FormattingToolbar(RichEditorPort& editor, RichFormattingPort& formats,
                      FormattingToolbarView& view, ErrorReportPort& errors,
                      std::function<void()> changed = nullptr)
        : editor_(editor), formats_(formats), view_(view), errors_(errors),
          changed_(std::move(changed)) {}

    // At start-up: the spacing before the editor's current paragraph, the font list from the
    // screen's fonts, and the colour menu.
    void PrepareEditor();
    void FillLists();

    // The selection changed, the window was resized, or start-up ended.
    void SelectionChange();
    bool UpdatingToolbar() const { return updating_; }

    // `selectedEntry`: the list entry the combo box has selected, none for typed text that
    // selects no entry.
    void FontNameChange(const std::optional<std::string>& selectedEntry);
    // Text that is no whole number is reported (see ParseWholeNumber) and not applied.
    void FontSizeChange(const std::string& text);
    // After the button toggled: `down` is its new state.
    void StyleButClick(CharStyle style, bool down);
    void BoldButClick(bool down) { StyleButClick(CharStyle::Bold, down); }
    void ItalicButClick(bool down) { StyleButClick(CharStyle::Italic, down); }
    void UnderlineButClick(bool down) { StyleButClick(CharStyle::Underline, down); }
    // Before the colour menu opens: checks the entry of the text's colour.
    void ColorPopupPopup();
    void ColorItemClick(int entry);
    void AlignClick(int tag);
    void IncIndentButClick();
    void DecIndentButClick();

private:
    // CurrentAttributes: the selection when it holds a character, else the word at the caret.
    AttributeScope CurrentScope();
    void WriteCurrent(const CharAttributes& attributes, unsigned fields);
    void Changed() {
        if (changed_) {
            changed_();
        }
    }

    RichEditorPort& editor_;
    RichFormattingPort& formats_;
    FormattingToolbarView& view_;
    ErrorReportPort& errors_;
    std::function<void()> changed_;
    bool updating_ = false;
};

} // namespace tw
