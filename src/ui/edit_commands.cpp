#include "ui/edit_commands.h"

#include <cctype>
#include <utility>

namespace tw {
namespace {

constexpr std::pair<MainCommand, void (EditorCommandsPort::*)()> kRuns[] = {
    {MainCommand::EditorCut, &EditorCommandsPort::EditorCut},
    {MainCommand::EditorCopy, &EditorCommandsPort::EditorCopy},
    {MainCommand::EditorPaste, &EditorCommandsPort::EditorPaste},
    {MainCommand::EditorUndo, &EditorCommandsPort::EditorUndo},
    {MainCommand::EditorRedo, &EditorCommandsPort::EditorRedo},
    {MainCommand::EditorSelectAll, &EditorCommandsPort::EditorSelectAll},
};

} // namespace

std::optional<MainCommand> EditCommandOfKey(char key, bool ctrl, bool shift, bool alt) {
    if (!ctrl || alt) {
        return std::nullopt;
    }
    const auto upper = static_cast<std::uint16_t>(std::toupper(static_cast<unsigned char>(key)));
    for (const CommandRow& row : MainCommandRows()) {
        if (row.scope == KeyScope::Editor && row.shortcut == Shortcut{upper, true, shift, false}) {
            return row.command;
        }
    }
    return std::nullopt;
}

bool RunEditCommand(MainCommand command, EditorCommandsPort& editor) {
    for (const auto& [c, run] : kRuns) {
        if (c == command) {
            (editor.*run)();
            return true;
        }
    }
    return false;
}

} // namespace tw
