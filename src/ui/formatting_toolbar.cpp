#include "ui/formatting_toolbar.h"

#include <algorithm>

namespace tw {
namespace {

// Rich-edit controls store sizes in twips in a signed 16-bit field.
constexpr int kLargestSizePoints = 1638;

class UpdatingScope {
public:
    explicit UpdatingScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~UpdatingScope() { flag_ = false; }
    UpdatingScope(const UpdatingScope&) = delete;
    UpdatingScope& operator=(const UpdatingScope&) = delete;

private:
    bool& flag_;
};

} // namespace

void FormattingToolbar::PrepareEditor() {
    formats_.SetSpaceBefore(kParagraphSpaceBeforePoints);
}

void FormattingToolbar::FillLists() {
    view_.FillFontNames(SortedFontNames(view_.ScreenFontNames()));
    std::vector<std::string> captions;
    for (const TextColor& color : ColorTable()) {
        captions.push_back(ColorCaption(color));
    }
    view_.FillColorMenu(captions);
}

void FormattingToolbar::SelectionChange() {
    UpdatingScope scope(updating_);
    const CharAttributes a = formats_.ReadCharAttributes(AttributeScope::Selection);
    view_.ShowStyle(a.bold, a.italic, a.underline);
    view_.SetFontSizeText(std::to_string(a.sizePoints));
    view_.SetFontNameText(a.faceName);
    const ParagraphAlignment alignment = formats_.SelectionAlignment();
    if (alignment != ParagraphAlignment::Other) {
        view_.ShowAlignment(alignment);
    }
}

AttributeScope FormattingToolbar::CurrentScope() {
    return editor_.EditorSelectionLength() >= 1 ? AttributeScope::Selection
                                                : AttributeScope::WordAtCaret;
}

void FormattingToolbar::WriteCurrent(const CharAttributes& attributes, unsigned fields) {
    formats_.WriteCharAttributes(CurrentScope(), attributes, fields);
    Changed();
}

void FormattingToolbar::FontNameChange(const std::optional<std::string>& selectedEntry) {
    if (updating_ || !selectedEntry || selectedEntry->empty()) {
        return;
    }
    CharAttributes a;
    a.faceName = *selectedEntry;
    WriteCurrent(a, kFaceField);
}

void FormattingToolbar::FontSizeChange(const std::string& text) {
    if (updating_) {
        return;
    }
    RunReported(errors_, [&] {
        const int points = ParseWholeNumber(text);
        // A size text cannot have (typing "0" on the way to "05", say) is not applied.
        if (points < 1 || points > kLargestSizePoints) {
            return;
        }
        CharAttributes a;
        a.sizePoints = points;
        WriteCurrent(a, kSizeField);
    });
}

void FormattingToolbar::StyleButClick(CharStyle style, bool down) {
    if (updating_) {
        return;
    }
    // Only the clicked flag is written, so the other two stay as they were, also where they
    // differ within the selection.
    CharAttributes a;
    a.bold = a.italic = a.underline = down;
    WriteCurrent(a, style == CharStyle::Bold     ? kBoldField
                    : style == CharStyle::Italic ? kItalicField
                                                 : kUnderlineField);
}

void FormattingToolbar::ColorPopupPopup() {
    view_.CheckColorEntry(CheckedColorEntry(formats_.ReadCharAttributes(CurrentScope()).color));
}

void FormattingToolbar::ColorItemClick(int entry) {
    if (entry < 0 || entry >= kColorTableSize) {
        return;
    }
    view_.CheckColorEntry(entry);
    CharAttributes a;
    a.color = ColorTable()[static_cast<std::size_t>(entry)];
    WriteCurrent(a, kColorField);
}

void FormattingToolbar::AlignClick(int tag) {
    const ParagraphAlignment alignment = AlignmentOfTag(tag);
    if (updating_ || alignment == ParagraphAlignment::Other) {
        return;
    }
    formats_.SetSelectionAlignment(alignment);
    Changed();
}

void FormattingToolbar::IncIndentButClick() {
    if (updating_) {
        return;
    }
    formats_.SetSelectionStartIndent(formats_.SelectionStartIndent() + kIndentStepTwips);
    Changed();
}

void FormattingToolbar::DecIndentButClick() {
    if (updating_) {
        return;
    }
    // Never below the left margin, also from an indent smaller than one step.
    formats_.SetSelectionStartIndent(
        std::max(0, formats_.SelectionStartIndent() - kIndentStepTwips));
    Changed();
}

} // namespace tw
