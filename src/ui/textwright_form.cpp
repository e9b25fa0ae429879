#include "ui/textwright_form.h"

#include "app/settings.h"
#include "delivery/profile_settings.h"
#include "settings/settings_store.h"
#include "ui/edit_commands.h"

#include <utility>

namespace tw {

namespace {

// Hook messages carry 32 bits of a window handle; widened with its sign as the system does.
WindowHandle WindowOfHook(HookWindow window) {
    return static_cast<WindowHandle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(window)));
}

} // namespace

TFormTextwright::TFormTextwright(StartupGlobals globals, MainFormPorts ports, MainFormViews views)
    : globals_(std::move(globals)), ports_(ports), views_(views), library_(views.library),
      lifecycle_(ports.window, ports.tray, ports.application), fixTimer_(ports.fixTimer),
      recent_(ports.registry),
      deliveryHost_(ports.registry, ports.insertionsDialog, lifecycle_, views.clipboard,
                    views.clipboardKeeper, ports.tray, recent_),
      delivery_(DeliveryPorts{ports.keyState, ports.keyInput, ports.targetWindows, ports.sleep,
                              fixTimer_, ports.clock, &ports.keyboard},
                deliveryHost_, &ports.pointer),
      drag_({ports.pointer, ports.desktop, ports.dropCursor}, deliveryHost_, delivery_),
      tips_(ports.registry, ports.tipTimer, ports.tipDialog, delivery_.State()),
      modes_(ports.registry, views.modes),
      formatting_(views.editor, views.formats, views.toolbar, ports.errorReport,
                  [this] { MarkEditorChanged(); }),
      followingEditor_(views.editor, formatting_) {}

void TFormTextwright::FormCreate() {
    TakeHookEvents();
    ports_.hooks.StartHooks();
    EnsureDefaultSettings();
    recent_.Load();
    delivery_.State() = DeliveryState{};
    delivery_.SetProfiles(LoadDeliveryProfiles(ports_.registry, kSettingsKey));
    formatting_.PrepareEditor();
    modes_.PrepareLayout(); // MacroListRatio from the layout's widths
    BuildPredefinedInsertionsMenu(views_.insertionsMenu);
    formatting_.FillLists();
    modes_.LoadModeAndLayout();
    library_.Create(globals_.LibraryRoot, globals_.DataFolder, ports_.boxes);
    LoadReplyLibrary();
    if (TRepList* replies = library_.Replies()) {
        editing_ = std::make_unique<LibraryEditing>(
            *replies, LibraryEditingPorts{views_.bar, followingEditor_, views_.navigation,
                                          ports_.boxes, ports_.errorReport, views_.states});
        deliveryHost_.Attach(editing_.get());
    }
    formatting_.SelectionChange();
    views_.events.ConnectHandlers(editing_.get(), &formatting_);
}

void TFormTextwright::TakeHookEvents() {
    SystemHooks& hooks = ports_.hooks.Components();
    hooks.KeyHook.OnKeyAction = [this](TKvSysHook&, std::uint32_t key, std::uint16_t,
                                       std::uint8_t scanCode, bool extended, bool, bool wasDown,
                                       bool pressed, bool&) {
        KeyHookKeyAction(KeyAction{key, pressed, scanCode, extended, wasDown});
    };
    hooks.KeyHook.OnUnfiltered = [this](TKvSysHook&, std::uint32_t code, std::uint32_t,
                                        std::uint32_t, bool&) { KeyHookUnfiltered(code); };
    hooks.MouseHook.OnMouseClick = [this](TKvSysHook&, HookWindow, std::int32_t, std::int32_t,
                                          TMouseButton,
                                          TKvMouseButtonMovement) { MouseHookMouseClick(); };
    hooks.MouseHook.OnMouseMove = [this](TKvSysHook&, HookWindow window, std::int32_t x,
                                         std::int32_t y) { MouseHookMouseMove(window, x, y); };
    hooks.ShellHook.OnWindowActivated = [this](TKvSysHook&, HookWindow window) {
        ShellHookWindowActivated(window);
    };
    hooks.ShellHook.OnWindowDestroyed = [this](TKvSysHook&, HookWindow window) {
        ShellHookWindowDestroyed(window);
    };
}

void TFormTextwright::TipTimerTimer() {
    // Started hidden, the program was never active, so it would never see itself deactivated.
    if (!ports_.application.IsApplicationActive()) {
        ApplicationEventsDeactivate();
    }
    tips_.TipTimerTimer();
}

void TFormTextwright::KeyHookKeyAction(const KeyAction& key) {
    ports_.inputTrace.KeyMessageArrived(key.virtualKey);
    Reported([&] { delivery_.KeyHookKeyAction(key); });
}

void TFormTextwright::KeyHookUnfiltered(std::uint32_t code) {
    // Once a run: the library keeps trying, and a box per attempt would help nobody.
    if (code == kKeyboardHookLostCode && !hookLossTold_) {
        hookLossTold_ = true;
        ports_.boxes.ShowWarning("Typed macros and hot keys have stopped working: Windows removed "
                                 "the keyboard hook and it could not be installed again. Restart "
                                 "Textwright to use them again.");
    }
}

void TFormTextwright::MouseHookMouseClick() {
    delivery_.MouseHookMouseClick();
}

void TFormTextwright::ShellHookWindowActivated(HookWindow sourceWindow) {
    Reported([&] { delivery_.ShellHookWindowActivated(WindowOfHook(sourceWindow)); });
}

void TFormTextwright::ShellHookWindowDestroyed(HookWindow sourceWindow) {
    Reported([&] { delivery_.ShellHookWindowDestroyed(WindowOfHook(sourceWindow)); });
}

void TFormTextwright::FixTimerTimer() {
    Reported([&] { delivery_.FixTimerTimer(); });
}

void TFormTextwright::MouseHookMouseMove(HookWindow sourceWindow, int x, int y) {
    Reported([&] { drag_.MouseHookMouseMove(WindowOfHook(sourceWindow), x, y); });
}

void TFormTextwright::NavigationEndDrag(int X, int Y) {
    Reported([&] { drag_.NavigationEndDrag(X, Y); });
}

void TFormTextwright::FormShow() {
    if (SettingIsOn(ports_.registry, kAlwaysOnTop)) {
        ports_.window.MakeMainWindowTopmost();
    }
}

void TFormTextwright::FormDestroy() {
    views_.events.ConnectHandlers(nullptr, nullptr);
    // The user's own content goes back before anything else can fail.
    deliveryHost_.Keeping()->keeper.RestoreBeforeExit();
    ports_.hooks.StopHooks();
    // A failed step is reported and the next runs all the same: the library must be freed.
    if (editing_) {
        ShowFailure(ports_.errorReport, editing_->CommitCurrentReply(CommitMoment::Leave));
    }
    deliveryHost_.Attach(nullptr);
    RunReported(ports_.errorReport, [this] { modes_.SaveLayout(); });
    editing_.reset();
    library_.Free();
}

void TFormTextwright::EnsureDefaultSettings() {
    tw::EnsureDefaultSettings(ports_.registry);
}

void TFormTextwright::LoadReplyLibrary() {
    ports_.window.SetBusyCursor(true);
    ports_.window.BeginBulkLoad();
    RunReported(ports_.errorReport, [this] { library_.Load(); });
    ports_.window.EndBulkLoad();
    ports_.window.SetBusyCursor(false);
}

std::vector<TreeNode*> TFormTextwright::FollowDisk(const std::vector<TreeNode*>& expanded) {
    reloadOwed_ = library_.ChangedElsewhere() || reloadOwed_;
    // Edits left waiting by the user's answer hold the reload back; it comes after their save.
    if (!reloadOwed_ || !editing_ ||
        !ShowFailure(ports_.errorReport, editing_->CommitCurrentReply(CommitMoment::Background)) ||
        editing_->Flags().ContentModified) {
        return {};
    }
    reloadOwed_ = false;
    const std::string selected = NodeKey(library_.Tree().Selected());
    std::vector<std::string> open;
    for (const TreeNode* node : expanded) {
        open.push_back(NodeKey(node));
    }
    LoadReplyLibrary();
    editing_->SelectNode(NodeNearestKey(library_.Tree(), selected));
    std::vector<TreeNode*> reopen;
    for (const std::string& key : open) {
        TreeNode* node = NodeNearestKey(library_.Tree(), key);
        if (node && NodeKey(node) == key) {
            reopen.push_back(node);
        }
    }
    return reopen;
}

void TFormTextwright::NavigationChange(TreeNode* node) {
    if (editing_) {
        editing_->NavigationChange(node);
    } else {
        library_.Tree().SetSelected(node);
    }
}

void TFormTextwright::PredefinedInsertionClick(int tag) {
    if (!editing_) {
        return;
    }
    if (const auto name = PredefinedInsertionText(tag)) {
        editing_->EditorReplaceSelection(*name);
    }
}

void TFormTextwright::MarkEditorChanged() {
    if (editing_) {
        editing_->EditorChange();
    }
}

void TFormTextwright::ApplicationEventsActivate() {
    delivery_.ApplicationEventsActivate();
}

void TFormTextwright::ApplicationEventsDeactivate() {
    Reported([this] { delivery_.ApplicationEventsDeactivate(); });
}

void TFormTextwright::ActionMainFormUpdate() {
    if (editing_) {
        editing_->ActionMainFormUpdate(modes_.FullMode(), delivery_.EditorInLastActiveAvailable());
    }
}

bool TFormTextwright::ExecuteCommand(MainCommand command) {
    if (editing_ && !editing_->CommandAvailable(command)) {
        return true;
    }
    return RunReported(ports_.errorReport, [&] { RunCommand(command); });
}

void TFormTextwright::RunCommand(MainCommand command) {
    using Form = TFormTextwright;
    using Run = void (*)(Form&);
    static constexpr std::pair<MainCommand, Run> kRuns[] = {
        {MainCommand::Exit, [](Form& f) { f.MIExitClick(); }},
        {MainCommand::TrayExit, [](Form& f) { f.TrayExitClick(); }},
        {MainCommand::TrayShow, [](Form& f) { f.TrayShowClick(); }},
        {MainCommand::Options, [](Form& f) { f.ports_.dialogs.ShowOptionsDialog(); }},
        {MainCommand::About, [](Form& f) { f.ports_.dialogs.ShowAboutBox(); }},
        {MainCommand::TipOfTheDay, [](Form& f) { f.tips_.ShowFromMenu(); }},
        {MainCommand::HelpTopics, [](Form& f) { OpenHelpFile(f.ports_.shell, f.globals_); }},
        {MainCommand::Tutorials, [](Form& f) { OpenTutorialsFile(f.ports_.shell, f.globals_); }},
        {MainCommand::ProductHomePage,
         [](Form& f) { f.ports_.shell.OpenDocument(kProductHomePage); }},
        {MainCommand::PhrasesCollection,
         [](Form& f) { f.ports_.shell.OpenDocument(kPhrasesPage); }},
        {MainCommand::MakerHomePage, [](Form& f) { f.ports_.shell.OpenDocument(kMakerHomePage); }},
        {MainCommand::ChangeMode, [](Form& f) { f.modes_.ToggleMode(); }},
        {MainCommand::EditorCopyEntire, [](Form& f) { f.delivery_.EditorCopyEntireExecute(); }},
        {MainCommand::EditorInLastActive, [](Form& f) { f.delivery_.EditorInLastActiveExecute(); }},
    };
    // Each reports its own failure.
    static constexpr std::pair<MainCommand, bool (LibraryEditing::*)()> kEditingRuns[] = {
        {MainCommand::NavAddFolder, &LibraryEditing::NavAddFolderExecute},
        {MainCommand::NavAddReply, &LibraryEditing::NavAddReplyExecute},
        {MainCommand::NavDelete, &LibraryEditing::NavDeleteExecute},
        {MainCommand::EditorForceSave, &LibraryEditing::EditorForceSaveExecute},
    };
    for (const auto& [c, run] : kRuns) {
        if (c == command) {
            run(*this);
            return;
        }
    }
    for (const auto& [c, run] : kEditingRuns) {
        if (c == command) {
            if (editing_) {
                (editing_.get()->*run)();
            }
            return;
        }
    }
    if (RunEditCommand(command, views_.editorCommands) &&
        // Undo and redo of a format change are no text change to the control.
        command != MainCommand::EditorCopy && command != MainCommand::EditorSelectAll) {
        MarkEditorChanged();
    }
}

} // namespace tw
