#pragma once
// Every command of the main window, one row each: the caption, hint, shortcut and picture its
// menu item and buttons show, and the id they all send. The view builds its menu, accelerators
// and buttons from these rows and runs a command by looking its id up.
#include <cstdint>
#include <span>
#include <string>

namespace tw {

enum class MainCommand {
    Exit,
    Options,
    HelpTopics,
    TipOfTheDay,
    Tutorials,
    ProductHomePage,
    PhrasesCollection,
    MakerHomePage,
    About,
    ChangeMode,
    TrayShow,
    TrayExit,
    NavAddFolder,
    NavAddReply,
    NavDelete,
    EditorForceSave,
    EditorCut,
    EditorCopy,
    EditorPaste,
    EditorUndo,
    EditorRedo,
    EditorSelectAll,
    EditorCopyEntire,
    EditorInLastActive,
};

// Keys besides the letters, numbered as the platform numbers its virtual keys; a letter is its
// upper-case character.
inline constexpr std::uint16_t kKeyDelete = 0x2E;
inline constexpr std::uint16_t kKeyF1 = 0x70;

struct Shortcut {
    std::uint16_t key = 0; // 0: none
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    bool operator==(const Shortcut&) const = default;
};

// Who takes a shortcut: the window's accelerators, or the editor while it has the keyboard
// (the editor's own editing keys, which must not fire in the other controls).
enum class KeyScope { Window, Editor };

// The menu bar in its order; Options and ModeSwitch are items of the bar itself.
enum class MenuPlace { None, File, Edit, Options, Help, ModeSwitch };

enum class CommandImage {
    None,
    AddFolder,
    AddReply,
    Delete,
    SaveAll,
    Cut,
    Copy,
    Paste,
    Undo,
    Redo
};

struct CommandRow {
    MainCommand command;
    int id;              // sent by its menu item, its buttons and its shortcut
    const char* caption; // with its mnemonic; the menu adds the shortcut's text
    const char* hint;    // the buttons' tooltip; empty: none
    Shortcut shortcut;
    KeyScope scope;
    CommandImage image;
    MenuPlace menu;
    bool separatorBefore; // in its menu
};

namespace command_rows {
using C = MainCommand;
using I = CommandImage;
using M = MenuPlace;
constexpr KeyScope W = KeyScope::Window, E = KeyScope::Editor;
constexpr Shortcut None{};
constexpr Shortcut Ctrl(char key, bool shift = false) {
    return {static_cast<std::uint16_t>(key), true, shift, false};
}
constexpr Shortcut Alt(char key) {
    return {static_cast<std::uint16_t>(key), false, false, true};
}
constexpr Shortcut Shift(std::uint16_t key) {
    return {key, false, true, false};
}
constexpr Shortcut Key(std::uint16_t key) {
    return {key};
}

// In menu order.
inline constexpr CommandRow kRows[] = {
    {C::Exit, 1001, "E&xit", "", Alt('X'), W, I::None, M::File, false},
    {C::NavAddFolder, 1101, "Add New Folder", "Add New Folder", Ctrl('N', true), W, I::AddFolder,
     M::Edit, false},
    {C::NavAddReply, 1102, "Add New Reply", "Add New Reply", Ctrl('N'), W, I::AddReply, M::Edit,
     false},
    {C::NavDelete, 1103, "Delete", "Delete", Shift(kKeyDelete), W, I::Delete, M::Edit, false},
    {C::EditorForceSave, 1104, "Save All", "Save All", Ctrl('S'), W, I::SaveAll, M::Edit, true},
    {C::EditorUndo, 1105, "Undo", "Undo", Ctrl('Z'), E, I::Undo, M::Edit, true},
    {C::EditorRedo, 1106, "Redo", "Redo", Ctrl('Z', true), E, I::Redo, M::Edit, false},
    {C::EditorCut, 1107, "Cut", "Cut", Ctrl('X'), E, I::Cut, M::Edit, true},
    {C::EditorCopy, 1108, "Copy", "Copy", Ctrl('C'), E, I::Copy, M::Edit, false},
    {C::EditorCopyEntire, 1109, "Copy the entire reply", "Copy the entire reply", Ctrl('C', true),
     W, I::None, M::Edit, false},
    {C::EditorPaste, 1110, "Paste", "Paste", Ctrl('V'), E, I::Paste, M::Edit, false},
    {C::EditorInLastActive, 1111, "Paste the reply into the previously active window",
     "Paste the reply into the previously active window", Ctrl('V', true), W, I::None, M::Edit,
     false},
    {C::EditorSelectAll, 1112, "Select All", "", Ctrl('A'), E, I::None, M::Edit, false},
    {C::Options, 1002, "Options", "", None, W, I::None, M::Options, false},
    {C::HelpTopics, 1003, "&Help Topics", "", Key(kKeyF1), W, I::None, M::Help, false},
    {C::TipOfTheDay, 1004, "Tip of the &Day", "", None, W, I::None, M::Help, false},
    {C::Tutorials, 1005, "&Tutorials", "", None, W, I::None, M::Help, false},
    {C::ProductHomePage, 1006, "&Textwright Home Page", "", None, W, I::None, M::Help, true},
    {C::PhrasesCollection, 1007, "Phrases collection", "", None, W, I::None, M::Help, false},
    {C::MakerHomePage, 1008, "&Kolvenmark Home Page", "", None, W, I::None, M::Help, false},
    {C::About, 1009, "&About Textwright", "", None, W, I::None, M::Help, true},
    // Named after the mode it switches to once the mode is applied.
    {C::ChangeMode, 1010, "Change Mode", "", None, W, I::None, M::ModeSwitch, false},
    // The notification-area icon's menu.
    {C::TrayShow, 1011, "Show", "", None, W, I::None, M::None, false},
    {C::TrayExit, 1012, "Exit", "", None, W, I::None, M::None, false},
};
} // namespace command_rows

constexpr std::span<const CommandRow> MainCommandRows() {
    return command_rows::kRows;
}

// Every command has its row.
constexpr const CommandRow& RowOf(MainCommand command) {
    for (const CommandRow& row : command_rows::kRows) {
        if (row.command == command) {
            return row;
        }
    }
    return command_rows::kRows[0]; // unreachable while every command has its row
}

constexpr int CommandIdOf(MainCommand command) {
    return RowOf(command).id;
}

// Null for an id that is no command's.
constexpr const CommandRow* RowOfId(int id) {
    for (const CommandRow& row : command_rows::kRows) {
        if (row.id == id) {
            return &row;
        }
    }
    return nullptr;
}

// As menus show it: "Ctrl+Shift+N", "Shift+Del", "F1"; empty for none.
std::string ShortcutText(const Shortcut& shortcut);
// A menu item's text: the caption, then a tab and the shortcut when it has one.
std::string MenuText(const CommandRow& row);
// The caption as a button or tooltip shows it, without the mnemonic's marker.
std::string PlainCaption(const char* caption);

} // namespace tw
