#include "ui/command_state.h"
#include "ui/edit_commands.h"
#include "ui/main_commands.h"
#include "ui/formatting_fakes.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace tw {
namespace {

TEST(CommandRows, EachIdAndEachShortcutBelongsToOneCommand) {
    std::set<int> ids;
    std::set<MainCommand> commands;
    std::map<std::string, MainCommand> shortcuts;
    for (const CommandRow& row : MainCommandRows()) {
        EXPECT_NE(row.id, 0) << row.caption;
        EXPECT_TRUE(ids.insert(row.id).second) << "id " << row.id << " twice";
        EXPECT_TRUE(commands.insert(row.command).second) << row.caption << " has two rows";
        EXPECT_EQ(RowOfId(row.id), &row) << row.caption;
        if (row.shortcut.key != 0) {
            const auto [at, fresh] = shortcuts.emplace(ShortcutText(row.shortcut), row.command);
            EXPECT_TRUE(fresh) << ShortcutText(row.shortcut) << " is " << row.caption
                               << " and another command's";
        }
        // The editor takes the keys of the commands that edit it, and only those: the others
        // must work whichever control has the keyboard.
        fakes::RecordingEditorCommands editor;
        const bool editsTheEditor = RunEditCommand(row.command, editor);
        const Shortcut& s = row.shortcut;
        const auto taken = s.key >= 'A' && s.key <= 'Z'
                               ? EditCommandOfKey(static_cast<char>(s.key), s.ctrl, s.shift, s.alt)
                               : std::nullopt;
        EXPECT_EQ(taken.has_value(), editsTheEditor && s.key != 0) << row.caption;
        EXPECT_EQ(taken.value_or(row.command), row.command) << row.caption;
    }
    EXPECT_EQ(RowOfId(0), nullptr);
}

TEST(CommandRows, EveryCommandTheRefreshGovernsHasItsMenuItem) {
    // Past the last command the answer is "always available", so the walk ends by itself.
    int governed = 0;
    for (int i = 0; i < 64; ++i) {
        const auto command = static_cast<MainCommand>(i);
        if (CommandAvailable(CommandStates{}, command)) {
            continue;
        }
        ++governed;
        EXPECT_EQ(RowOf(command).command, command) << "command " << i << " has no row";
        EXPECT_NE(RowOf(command).menu, MenuPlace::None) << RowOf(command).caption;
    }
    EXPECT_GT(governed, 0);
}

TEST(CommandRows, ButtonsAndMenusNameACommandAlike) {
    for (const CommandRow& row : MainCommandRows()) {
        // A tooltip reads as the menu item, without its mnemonic and shortcut.
        if (*row.hint != '\0') {
            EXPECT_EQ(row.hint, PlainCaption(row.caption));
        }
        // A picture alone does not name a button.
        if (row.image != CommandImage::None) {
            EXPECT_NE(*row.hint, '\0') << row.caption;
        }
    }
}

TEST(CommandRows, PlainCaptionsDropTheMnemonicMarker) {
    // The menu's shortcut texts are read back on the real menu by the Win32 tests.
    EXPECT_EQ(PlainCaption("Tip of the &Day"), "Tip of the Day");
    EXPECT_EQ(PlainCaption("Fish && &Chips&"), "Fish & Chips&");
}

} // namespace
} // namespace tw
