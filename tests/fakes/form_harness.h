#pragma once
// The main window's form over fakes: every port and view, the ports recording into one shared
// log, and the form composed over them. Tests drive the form's handlers and observe the fakes.
#include "delivery/clipboard_keeper.h"
#include "delivery/keyboard_layout.h"
#include "fakes/fake_registry.h"
#include "fakes/recording_insertions_menu.h"
#include "fakes/temp_dir.h"
#include "ui/editing_fakes.h"
#include "ui/fake_modes_window.h"
#include "ui/form_fakes.h"
#include "ui/formatting_fakes.h"
#include "ui/textwright_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tw::testing {

// A clipboard that records what the keeper does with it; every write moves its number.
struct RecordingClipboard : ClipboardPort, RestoreTimerPort {
    std::vector<std::string> events;
    std::optional<ReplyContent> offered;
    std::vector<ReplyContent> placed;
    std::uint32_t sequence = 1;
    std::uint32_t SequenceNumber() override { return sequence; }
    bool SaveUserContent() override {
        events.push_back("save");
        return true;
    }
    RestoreResult RestoreUserContent(std::uint32_t) override {
        events.push_back("restore");
        ++sequence;
        return RestoreResult::Restored;
    }
    void DiscardUserContent() override {}
    bool OfferReply(const ReplyContent& reply) override {
        offered = reply;
        ++sequence;
        return true;
    }
    bool PlaceReply(const ReplyContent& reply) override {
        placed.push_back(reply);
        ++sequence;
        return true;
    }
    void StartRestoreTimer(int milliseconds) override {
        events.push_back("wait " + std::to_string(milliseconds));
    }
    void StopRestoreTimer() override {}
};

// Holds the handlers the form connects, as the real controls do.
class FakeEditingEvents : public EditingEventsView {
public:
    void ConnectHandlers(LibraryEditing* e, FormattingToolbar* f) override {
        editing = e;
        formatting = f;
    }
    LibraryEditing* editing = nullptr;
    FormattingToolbar* formatting = nullptr;
};

// What outlives one run of the program: its folder, with the library in Replies, and the
// registry.
struct FormHome {
    fakes::TempDir temp;
    fakes::FakeRegistry registry;
    StartupGlobals Globals() const {
        return MakeStartupGlobals((temp.Path() / "Textwright.exe").string());
    }
};

// Every port and view of the main window, and the form built over them.
struct FormHarness {
    FormHarness(RawRegistry& registry, const StartupGlobals& globals)
        : form(globals, Ports(registry),
               MainFormViews{.library = library,
                             .bar = bar,
                             .editor = editor,
                             .navigation = view,
                             .states = states,
                             .formats = formats,
                             .editorCommands = commands,
                             .toolbar = toolbar,
                             .events = events,
                             .insertionsMenu = menu,
                             .modes = modesWindow,
                             .clipboard = clipboard,
                             .clipboardKeeper = keeper}) {
        // The fake controls report their changes to the connected handlers.
        bar.onNameChange = [this] {
            if (events.editing)
                events.editing->EditNameChange();
        };
        bar.onMacroChange = [this] {
            if (events.editing)
                events.editing->EditMacroChange();
        };
        editor.onChange = [this] {
            if (events.editing)
                events.editing->EditorChange();
        };
        modesWindow.panes = [this] { return form.Panes(); };
    }
    FormHarness(const FormHarness&) = delete;
    FormHarness& operator=(const FormHarness&) = delete;

    // The editing handlers, connected from FormCreate to FormDestroy while the library exists.
    LibraryEditing& Editing() {
        if (!events.editing)
            throw std::logic_error("the form connected no editing handlers");
        return *events.editing;
    }
    FormattingToolbar& Formatting() {
        if (!events.formatting)
            throw std::logic_error("the form connected no formatting handlers");
        return *events.formatting;
    }
    const PendingEdits& Flags() { return Editing().Flags(); }
    TreeNode* Node(const std::string& caption) { return NodeByCaption(library.Tree(), caption); }
    // Some entry of the log starts with `prefix`.
    bool Logged(const std::string& prefix) const {
        return std::any_of(log.begin(), log.end(),
                           [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
    }
    std::size_t Count(const std::string& entry) const {
        return static_cast<std::size_t>(std::count(log.begin(), log.end(), entry));
    }

    Log log;
    LoggingBoxes boxes{log};
    LoggingShell shell{log};
    FakeWindow window{log};
    FakeTray tray{log};
    FakeTimer timer;
    FakeTipDialog tipDialog{log};
    FakeApplication application{log};
    FakeDialogs dialogs{log};
    FakeHooks hooks{log};
    FakeTimer fixTimer;
    FakeSystemInput input{log};
    FakeDesktop desktop{log};
    FixedUsLayout keyboard;

    LibraryHost library;
    fakes::FakePropertyBar bar;
    fakes::FakeRichEditor editor;
    fakes::FakeNavigationView view;
    fakes::RecordingCommandStates states;
    fakes::FakeFormats formats;
    fakes::RecordingEditorCommands commands;
    fakes::FakeToolbar toolbar;
    FakeEditingEvents events;
    fakes::RecordingMenu menu;
    FakeModesWindow modesWindow;
    RecordingClipboard clipboard;
    UserClipboardKeeper keeper{clipboard, clipboard};
    TFormTextwright form;

private:
    MainFormPorts Ports(RawRegistry& registry) {
        return MainFormPorts{
            .registry = registry,
            .boxes = boxes,
            .errorReport = boxes,
            .shell = shell,
            .window = window,
            .tray = tray,
            .tipTimer = timer,
            .tipDialog = tipDialog,
            .application = application,
            .dialogs = dialogs,
            .hooks = hooks,
            .fixTimer = fixTimer,
            .keyState = input,
            .keyInput = input,
            .targetWindows = input,
            .sleep = input,
            .clock = input,
            .insertionsDialog = input,
            .inputTrace = input,
            .pointer = desktop,
            .desktop = desktop,
            .dropCursor = desktop,
            .keyboard = keyboard,
        };
    }
};

// The fixture of most form tests: a home and one form over it.
class FormTest : public ::testing::Test, public FormHome, public FormHarness {
protected:
    FormTest() : FormHarness(registry, Globals()) {}
};

} // namespace tw::testing
