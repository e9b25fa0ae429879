#include "ui/win32/main_menu.h"

#include <iterator>

namespace tw::win32 {

namespace {

struct CommandItem {
    int id;
    MainCommand command;
};

constexpr CommandItem kCommands[] = {
    {1001, MainCommand::Exit},
    {1002, MainCommand::Options},
    {1003, MainCommand::HelpTopics},
    {1004, MainCommand::TipOfTheDay},
    {1005, MainCommand::Tutorials},
    {1006, MainCommand::ProductHomePage},
    {1007, MainCommand::PhrasesCollection},
    {1008, MainCommand::MakerHomePage},
    {1009, MainCommand::About},
    {1010, MainCommand::ChangeMode},
    {1011, MainCommand::TrayShow},
    {1012, MainCommand::TrayExit},
    {1101, MainCommand::NavAddFolder},
    {1102, MainCommand::NavAddReply},
    {1103, MainCommand::NavDelete},
    {1104, MainCommand::EditorForceSave},
};

// The editing commands: shown now, enabled once they exist.
struct PendingItem {
    int id; // 0 for a separator
    const wchar_t* caption;
};

constexpr PendingItem kEditItems[] = {
    {1101, L"Add New Folder\tCtrl+Shift+N"},
    {1102, L"Add New Reply\tCtrl+N"},
    {1103, L"Delete\tShift+Del"},
    {0, nullptr},
    {1104, L"Save All\tCtrl+S"},
    {0, nullptr},
    {1105, L"Undo\tCtrl+Z"},
    {1106, L"Redo\tCtrl+Shift+Z"},
    {0, nullptr},
    {1107, L"Cut\tCtrl+X"},
    {1108, L"Copy\tCtrl+C"},
    {1109, L"Copy the entire reply\tCtrl+Shift+C"},
    {1110, L"Paste\tCtrl+V"},
    {1111, L"Paste the reply into the previously active window\tCtrl+Shift+V"},
    {1112, L"Select All\tCtrl+A"},
};

UINT_PTR Id(MainCommand command) {
    return static_cast<UINT_PTR>(MenuIdOf(command));
}

} // namespace

int MenuIdOf(MainCommand command) {
    for (const auto& c : kCommands) {
        if (c.command == command) {
            return c.id;
        }
    }
    return 0;
}

std::optional<MainCommand> CommandOfMenuId(int id) {
    for (const auto& c : kCommands) {
        if (c.id == id) {
            return c.command;
        }
    }
    return std::nullopt;
}

UniqueMenu BuildMainMenu() {
    UniqueMenu owned(CreateMenu());
    HMENU bar = owned.get();

    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, Id(MainCommand::Exit), L"E&xit\tAlt+X");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"File");

    HMENU edit = CreatePopupMenu();
    for (const auto& item : kEditItems) {
        if (item.id == 0) {
            AppendMenuW(edit, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(edit, MF_STRING | MF_GRAYED, static_cast<UINT_PTR>(item.id), item.caption);
        }
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"Edit");

    AppendMenuW(bar, MF_STRING, Id(MainCommand::Options), L"Options");

    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, Id(MainCommand::HelpTopics), L"&Help Topics\tF1");
    AppendMenuW(help, MF_STRING, Id(MainCommand::TipOfTheDay), L"Tip of the &Day");
    AppendMenuW(help, MF_STRING, Id(MainCommand::Tutorials), L"&Tutorials");
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(help, MF_STRING, Id(MainCommand::ProductHomePage), L"&Textwright Home Page");
    AppendMenuW(help, MF_STRING, Id(MainCommand::PhrasesCollection), L"Phrases collection");
    AppendMenuW(help, MF_STRING, Id(MainCommand::MakerHomePage), L"&Kolvenmark Home Page");
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(help, MF_STRING, Id(MainCommand::About), L"&About Textwright");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"Help");

    // Named after the mode it switches to once the mode is applied.
    AppendMenuW(bar, MF_STRING, Id(MainCommand::ChangeMode), L"Change Mode");
    return owned;
}

UniqueAccelerators BuildMainAccelerators() {
    ACCEL keys[] = {
        {FALT | FVIRTKEY, 'X', static_cast<WORD>(MenuIdOf(MainCommand::Exit))},
        {FVIRTKEY, VK_F1, static_cast<WORD>(MenuIdOf(MainCommand::HelpTopics))},
        {FCONTROL | FSHIFT | FVIRTKEY, 'N', static_cast<WORD>(MenuIdOf(MainCommand::NavAddFolder))},
        {FCONTROL | FVIRTKEY, 'N', static_cast<WORD>(MenuIdOf(MainCommand::NavAddReply))},
        {FSHIFT | FVIRTKEY, VK_DELETE, static_cast<WORD>(MenuIdOf(MainCommand::NavDelete))},
        {FCONTROL | FVIRTKEY, 'S', static_cast<WORD>(MenuIdOf(MainCommand::EditorForceSave))},
    };
    return UniqueAccelerators(CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys))));
}

} // namespace tw::win32
