#include "ui/property_bar.h"

#include "delivery/macro_keys.h"
#include "library/hot_key.h"
#include "ui/key_table.h"

namespace tw {
namespace {

constexpr char kEnter = '\r';
constexpr char kBackspace = '\b';

// Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z reach a field as control characters; they type nothing and
// must keep working (pasted text is not filtered).
bool IsEditShortcut(char key) {
    return key == '\x03' || key == '\x16' || key == '\x18' || key == '\x1A';
}

} // namespace

TRep* PropertyBar::SelectedRep() const {
    TreeNode* node = list_.Tree.Selected();
    return node ? node->Data() : nullptr;
}

void PropertyBar::CommitOnEnter() {
    ShowFailure(errors_, committer_.CommitCurrentReply(CommitMoment::Background));
}

LibraryResult<bool> PropertyBar::EditNameKeyPress(char key) {
    if (key != kEnter) {
        return true;
    }
    if (auto r = committer_.CommitCurrentReply(); !r) {
        return r.Failure();
    }
    return false;
}

LibraryResult<bool> PropertyBar::EditMacroKeyPress(char key) {
    if (key == kBackspace || IsEditShortcut(key)) {
        return true;
    }
    if (key != kEnter) {
        return IsMacroChar(key);
    }
    const std::string macro = bar_.MacroText();
    const int found = macro.empty() ? -1 : list_.FindMacro(macro);
    if (found < 0 || list_.MacroRep(found) == SelectedRep()) {
        if (auto r = committer_.CommitCurrentReply(); !r) {
            return r.Failure();
        }
    } else {
        boxes_.ShowInfo(kDuplicateMacroText);
    }
    return false;
}

LibraryResult<> PropertyBar::ComboBoxKeyChange() {
    const char key = KeyTableChar(bar_.KeyIndex());
    const int found = key == '\0' ? -1 : list_.FindHotKey(EncodeHotKey(bar_.ShiftChecked(), key));
    if (found < 0) {
        flags_.ContentModified = true;
        return committer_.CommitCurrentReply();
    }
    // The reply's own combination changes nothing; another reply's is refused.
    TRep* rep = SelectedRep();
    if (!rep || found != list_.HotKeyIndexOf(rep)) {
        boxes_.ShowInfo(kDuplicateHotKeyText);
    }
    return {};
}

LibraryResult<> PropertyBar::CheckBoxMouseUp(bool leftButton) {
    if (!leftButton) {
        return {};
    }
    SelectFreeKey();
    flags_.ContentModified = true;
    return committer_.CommitCurrentReply();
}

void PropertyBar::SelectFreeKey() {
    const bool shift = bar_.ShiftChecked();
    const char shown = KeyTableChar(bar_.KeyIndex());
    if (shown != '\0' && list_.FindHotKey(EncodeHotKey(shift, shown)) < 0) {
        return;
    }
    for (int position = 0; position < kKeyTableSize; ++position) {
        if (list_.FindHotKey(EncodeHotKey(shift, KeyTableChar(position))) < 0) {
            bar_.SetKeyIndex(position);
            return;
        }
    }
}

void PropertyBar::ListMacrosClick(int row) {
    const ListModel& rows = list_.Macros.ListBox();
    if (row >= 0 && row < rows.Count()) {
        SelectRep(rows.Item(row).rep);
    }
}

void PropertyBar::ListHotKeysClick(int row) {
    const ListModel& rows = list_.HotKeys.ListBox();
    if (row >= 0 && row < rows.Count()) {
        SelectRep(rows.Item(row).rep);
    }
}

void PropertyBar::SelectRep(TRep* rep) {
    if (rep && rep->Node && rep->Node != list_.Tree.Selected()) {
        navigation_.SelectNode(rep->Node);
    }
}

} // namespace tw
