#include "ui/win32/main_menu.h"

#include "platform/win32/ansi_path.h"
#include "ui/command_state.h"
#include "ui/window_modes.h"

#include <vector>

namespace tw::win32 {

namespace {

constexpr std::pair<MenuPlace, const wchar_t*> kPopups[] = {
    {MenuPlace::File, L"File"}, {MenuPlace::Edit, L"Edit"},       {MenuPlace::Options, nullptr},
    {MenuPlace::Help, L"Help"}, {MenuPlace::ModeSwitch, nullptr},
};

// The items a command's state governs start greyed; the first refresh decides.
UINT InitialState(MainCommand command) {
    return CommandAvailable(CommandStates{}, command) ? MF_ENABLED : MF_GRAYED;
}

} // namespace

int MenuIdOf(MainCommand command) {
    return CommandIdOf(command);
}

std::optional<MainCommand> CommandOfMenuId(int id) {
    if (const CommandRow* row = RowOfId(id)) {
        return row->command;
    }
    return std::nullopt;
}

UniqueMenu BuildMainMenu() {
    UniqueMenu owned(CreateMenu());
    HMENU bar = owned.get();
    for (const auto& [place, title] : kPopups) {
        HMENU popup = title ? CreatePopupMenu() : bar;
        for (const CommandRow& row : MainCommandRows()) {
            if (row.menu != place) {
                continue;
            }
            if (row.separatorBefore) {
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            }
            AppendMenuW(popup, MF_STRING | InitialState(row.command), static_cast<UINT_PTR>(row.id),
                        AnsiToWide(MenuText(row)).c_str());
        }
        if (title) {
            AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
        }
    }
    return owned;
}

void SetChangeModeCaption(HMENU bar, const std::string& caption) {
    const auto id = static_cast<UINT>(MenuIdOf(MainCommand::ChangeMode));
    const std::wstring text(caption.begin(), caption.end()); // the captions are ASCII
    ModifyMenuW(bar, id, MF_BYCOMMAND | MF_STRING, id, text.c_str());
}

UniqueAccelerators BuildMainAccelerators() {
    std::vector<ACCEL> keys;
    for (const CommandRow& row : MainCommandRows()) {
        if (row.shortcut.key == 0 || row.scope != KeyScope::Window) {
            continue;
        }
        const Shortcut& s = row.shortcut;
        const auto flags = static_cast<BYTE>(FVIRTKEY | (s.ctrl ? FCONTROL : 0) |
                                             (s.shift ? FSHIFT : 0) | (s.alt ? FALT : 0));
        keys.push_back({flags, s.key, static_cast<WORD>(row.id)});
    }
    return UniqueAccelerators(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
}

} // namespace tw::win32
