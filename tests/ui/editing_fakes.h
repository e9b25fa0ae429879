#pragma once
// In-memory controls of the main window for the library editing handlers, and a fixture that
// holds a library in a temporary folder. Setting a field runs its change handler, as the real
// controls do.
#include "fakes/recording_message_boxes.h"
#include "fakes/temp_dir.h"
#include "library/list_model.h"
#include "library/rep_list.h"
#include "library/reply_tree.h"
#include "ui/key_table.h"
#include "ui/library_editing.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tw::fakes {

class FakePropertyBar : public PropertyBarView {
public:
    std::function<void()> onNameChange, onMacroChange;
    std::string name, macro;
    bool hotKey = false, shift = false;
    int key = 0; // "A" is selected at start-up

    bool unstorable = false; // the typed name has a character the code page lacks
    std::optional<std::string> NameText() override {
        return unstorable ? std::nullopt : std::optional<std::string>(name);
    }
    void SetNameText(const std::string& text) override {
        name = text;
        if (onNameChange)
            onNameChange();
    }
    std::string MacroText() override { return macro; }
    void SetMacroText(const std::string& text) override {
        macro = text;
        if (onMacroChange)
            onMacroChange();
    }
    bool HotKeyChecked() override { return hotKey; }
    void SetHotKeyChecked(bool checked) override { hotKey = checked; }
    bool ShiftChecked() override { return shift; }
    void SetShiftChecked(bool checked) override { shift = checked; }
    int KeyIndex() override { return key; }
    void SetKeyIndex(int position) override { key = position; }
    char KeyChar() const { return KeyTableChar(key); }
};

class FakeRichEditor : public RichEditorPort {
public:
    std::function<void()> onChange;
    std::vector<std::string> lines;
    bool focused = false, canPaste = false, canUndo = false, canRedo = false;
    int selectionLength = 0;

    void LoadBody(const std::vector<std::string>& body) override {
        lines = body;
        if (onChange)
            onChange();
    }
    void ClearEditor() override {
        lines.clear();
        if (onChange)
            onChange();
    }
    std::vector<std::string> BodyLines() override { return lines; }
    std::u16string plainText;
    std::u16string EditorPlainText() override { return plainText; }
    bool EditorHasFocus() override { return focused; }
    int EditorSelectionLength() override { return selectionLength; }
    bool EditorCanPaste() override { return canPaste; }
    bool EditorCanUndo() override { return canUndo; }
    bool EditorCanRedo() override { return canRedo; }
    // The control's own change notice is left out on purpose: the caller must mark the edit.
    void EditorReplaceSelection(const std::string& text) override {
        replacedWith.push_back(text);
        lines = {"{\\rtf1 " + text + "}"};
    }
    std::vector<std::string> replacedWith;
    // What each copy put on the clipboard.
    void CopyEntireToClipboard() override { clipboard.push_back(lines); }
    std::vector<std::vector<std::string>> clipboard;
    // A user's edit: the whole text replaced by one RTF line.
    void Type(const std::string& rtf) {
        lines = {rtf};
        if (onChange)
            onChange();
    }
};

class FakeNavigationView : public NavigationView {
public:
    std::vector<TreeNode*> edited;
    int scrolled = 0; // sum of the lines scrolled
    void BeginEditCaption(TreeNode* node) override { edited.push_back(node); }
    void ScrollTreeLines(int lines) override { scrolled += lines; }
};

class RecordingErrorReport : public ErrorReportPort {
public:
    std::vector<std::string> reports;
    void ShowErrorReport(const std::string& text) override { reports.push_back(text); }
};

class RecordingCommandStates : public CommandStateView {
public:
    CommandStates last;
    int applied = 0;
    void ApplyCommandStates(const CommandStates& states) override {
        last = states;
        ++applied;
    }
};

// A library on disk, loaded, with the editing handlers over fake controls.
class EditingStory : public ::testing::Test {
public:
    TempDir temp;
    RecordingMessageBoxes boxes;
    ReplyTree tree;
    ListModel hotKeyBox, macroBox;
    TRepList list{tree, hotKeyBox, macroBox, &boxes};
    FakePropertyBar bar;
    FakeRichEditor editor;
    FakeNavigationView view;
    RecordingErrorReport errors;
    RecordingCommandStates states;
    LibraryEditing editing{list, {bar, editor, view, boxes, errors, states}};

    EditingStory() {
        bar.onNameChange = [this] { editing.EditNameChange(); };
        bar.onMacroChange = [this] { editing.EditMacroChange(); };
        editor.onChange = [this] { editing.EditorChange(); };
    }

    // Writes the files (relative path, content) and loads the library.
    void Library(const std::vector<std::pair<std::string, std::string>>& files) {
        for (const auto& [path, bytes] : files) {
            temp.Put(path, bytes);
        }
        list.SetLibraryRoot(temp.Root());
        LoadReplyLibrary(list);
    }
    std::string Get(const std::string& relative) const { return temp.Get(relative); }
    bool Exists(const std::string& relative) const { return temp.Exists(relative); }

    TreeNode* Node(const std::string& caption) const {
        for (TreeNode* n = tree.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
            if (n->Caption() == caption)
                return n;
        }
        return nullptr;
    }
    // A user's click on the node.
    void Select(const std::string& caption) {
        TreeNode* node = Node(caption);
        ASSERT_NE(node, nullptr) << caption;
        editing.NavigationChanging();
        editing.NavigationChange(node);
    }
    // The user types into the Name or Macro field (each keystroke passes the key filter).
    void TypeName(const std::string& text) { bar.SetNameText(text); }
    void TypeMacro(const std::string& text) {
        std::string accepted;
        for (char c : text) {
            if (editing.EditMacroKeyPress(c))
                accepted += c;
        }
        bar.SetMacroText(accepted);
    }
    bool Enter() { return editing.EditMacroKeyPress('\r'); }
    std::vector<std::string> Captions() const {
        std::vector<std::string> out;
        for (TreeNode* n = tree.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
            out.push_back(std::string(n->Level(), ' ') + n->Caption());
        }
        return out;
    }
};

} // namespace tw::fakes
