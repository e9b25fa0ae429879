#include "ui/win32/main_menu.h"

#include "ui/window_modes.h"

#include <iterator>
#include <vector>

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
    {1105, MainCommand::EditorUndo},
    {1106, MainCommand::EditorRedo},
    {1107, MainCommand::EditorCut},
    {1108, MainCommand::EditorCopy},
    {1109, MainCommand::EditorCopyEntire}, // MICopyEntire
    {1110, MainCommand::EditorPaste},
    {1111, MainCommand::EditorInLastActive}, // MiInsToLastAct
    {1112, MainCommand::EditorSelectAll},
};

// A menu item bound to a command, with the caption and shortcut of its action. A row without a
// caption is a separator.
struct ActionItem {
    MainCommand command;
    const wchar_t* caption;
    BYTE modifiers; // FCONTROL, FSHIFT, FALT
    WORD key;
};

constexpr ActionItem kSeparator{MainCommand::Exit, nullptr, 0, 0};

// The Edit menu, in its order; the editing actions join it as they arrive.
constexpr ActionItem kEditItems[] = {
    {MainCommand::NavAddFolder, L"Add New Folder\tCtrl+Shift+N", FCONTROL | FSHIFT, 'N'},
    {MainCommand::NavAddReply, L"Add New Reply\tCtrl+N", FCONTROL, 'N'},
    {MainCommand::NavDelete, L"Delete\tShift+Del", FSHIFT, VK_DELETE},
    kSeparator,
    {MainCommand::EditorForceSave, L"Save All\tCtrl+S", FCONTROL, 'S'},
    kSeparator,
    // The editor takes its own editing keys; only the two delivery commands are accelerators.
    {MainCommand::EditorUndo, L"Undo\tCtrl+Z", 0, 0},
    {MainCommand::EditorRedo, L"Redo\tCtrl+Shift+Z", 0, 0},
    kSeparator,
    {MainCommand::EditorCut, L"Cut\tCtrl+X", 0, 0},
    {MainCommand::EditorCopy, L"Copy\tCtrl+C", 0, 0},
    {MainCommand::EditorCopyEntire, L"Copy the entire reply\tCtrl+Shift+C", FCONTROL | FSHIFT, 'C'},
    {MainCommand::EditorPaste, L"Paste\tCtrl+V", 0, 0},
    {MainCommand::EditorInLastActive,
     L"Paste the reply into the previously active window\tCtrl+Shift+V", FCONTROL | FSHIFT, 'V'},
    {MainCommand::EditorSelectAll, L"Select All\tCtrl+A", 0, 0},
};

constexpr ActionItem kOtherShortcuts[] = {
    {MainCommand::Exit, nullptr, FALT, 'X'},
    {MainCommand::HelpTopics, nullptr, 0, VK_F1},
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
        if (item.caption) {
            AppendMenuW(edit, MF_STRING | MF_GRAYED, Id(item.command), item.caption);
        } else {
            AppendMenuW(edit, MF_SEPARATOR, 0, nullptr);
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
    AppendMenuW(bar, MF_STRING, Id(MainCommand::ChangeMode), L"");
    SetChangeModeCaption(bar, kChangeModeCaption);
    return owned;
}

void SetChangeModeCaption(HMENU bar, const std::string& caption) {
    const auto id = static_cast<UINT>(MenuIdOf(MainCommand::ChangeMode));
    const std::wstring text(caption.begin(), caption.end()); // the captions are ASCII
    ModifyMenuW(bar, id, MF_BYCOMMAND | MF_STRING, id, text.c_str());
}

UniqueAccelerators BuildMainAccelerators() {
    std::vector<ACCEL> keys;
    auto add = [&keys](const auto& items) {
        for (const ActionItem& item : items) {
            if (item.key != 0) {
                keys.push_back({static_cast<BYTE>(FVIRTKEY | item.modifiers), item.key,
                                static_cast<WORD>(MenuIdOf(item.command))});
            }
        }
    };
    add(kEditItems);
    add(kOtherShortcuts);
    return UniqueAccelerators(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
}

} // namespace tw::win32
