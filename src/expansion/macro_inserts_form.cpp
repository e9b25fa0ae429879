#include "expansion/macro_inserts_form.h"

#include "expansion/placeholders.h"
#include "expansion/replacement_lists.h"

#include <algorithm>

namespace tw {

TFormMacroInserts::TFormMacroInserts(MacroInsertsView& view, RawRegistry& settings)
    : view_(view), settings_(settings) {}

void TFormMacroInserts::PrepareFields(const std::string& names) {
    ClearRows();
    const std::vector<std::string> items = SplitList(names, kNameSeparator);
    if (const auto stored = ReadInsertionsSize(settings_)) {
        // A stored size outside what the window allows is brought within its limits.
        const DialogSize screen = view_.ScreenSize();
        DialogSize size;
        size.width = std::max(kMacroInsertsMinSize.width,
                              std::min(stored->width, std::max(screen.width, 1)));
        size.height = std::max(kMacroInsertsMinSize.height,
                               std::min(stored->height, std::max(screen.height, 1)));
        view_.SetFormSize(size);
    }
    CentreButtonOk();
    int y = 5;
    for (const std::string& name : items) {
        const int box = rows_[static_cast<std::size_t>(AddRow(name))].second;
        view_.PlaceValueBox(box, 5, y, view_.ScrollPanelClientWidth() - 10);
        y += view_.ValueBoxHeight(box) + 10;
    }
    view_.SetFormMaxSize(view_.ScreenSize());
}

int TFormMacroInserts::AddRow(const std::string& name) {
    const int box = view_.CreateValueBox(name);
    rows_.emplace_back(name, box);
    return static_cast<int>(rows_.size()) - 1;
}

void TFormMacroInserts::DeleteRow(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= rows_.size()) {
        return;
    }
    view_.DestroyValueBox(rows_[static_cast<std::size_t>(index)].second);
    rows_.erase(rows_.begin() + index);
}

void TFormMacroInserts::ClearRows() {
    while (!rows_.empty()) {
        DeleteRow(static_cast<int>(rows_.size()) - 1);
    }
}

std::string TFormMacroInserts::GetAnswers() {
    std::string answers;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (i > 0) {
            answers += kValueSeparator;
        }
        answers += view_.ValueBoxText(rows_[i].second);
    }
    return answers;
}

void TFormMacroInserts::SaveSize() {
    WriteInsertionsSize(settings_, view_.FormSize());
}

void TFormMacroInserts::FormShow() {
    view_.SetCheckShow(SettingIsOn(settings_, kShowMacroIns));
}

void TFormMacroInserts::FormResize() {
    CentreButtonOk();
    SaveSize();
}

KeyPressDecision TFormMacroInserts::FormKeyPress(char key) {
    if (key == '\r') {
        return {true, DialogClose::Ok};
    }
    if (key == '\x1b') {
        return {true, DialogClose::Cancel};
    }
    return {};
}

void TFormMacroInserts::CheckShowClick() {
    WriteSetting(settings_, kShowMacroIns, view_.CheckShowChecked());
}

void TFormMacroInserts::FormDestroy() {
    ClearRows();
}

void TFormMacroInserts::ValueBoxMouseUp(int box) {
    if (view_.ValueBoxHasSelection(box) || selectOnClickDone_) {
        return;
    }
    view_.SelectAllOfValueBox(box);
    selectOnClickDone_ = true;
}

void TFormMacroInserts::ValueBoxExit(int /*box*/) {
    selectOnClickDone_ = false;
}

ScreenPoint TFormMacroInserts::PointerTarget(ScreenPoint topLeft, DialogSize size) {
    return {topLeft.x + size.width / 2, topLeft.y + 20};
}

void TFormMacroInserts::CentreButtonOk() {
    view_.SetButtonOkLeft((view_.PanelBotWidth() - view_.CheckShowWidth() - 5) / 2 -
                          view_.ButtonOkWidth() / 2);
}

} // namespace tw
