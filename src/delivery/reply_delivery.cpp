#include "delivery/reply_delivery.h"

#include "delivery/recognition.h"
#include "expansion/field_lists.h"
#include "library/rep.h"
#include "library/rep_list.h"
#include "library/reply_tree.h"

namespace tw {

void ReplyDelivery::ApplicationEventsDeactivate() {
    ports_.fixTimer.SetFixTimerEnabled(true);
    state_.WatchingInput = true;
    // The program was in front until now, so the system's toggle is the one the user sees.
    state_.CapsLockOn = Keyboard().CapsLockOn();
    host_.CommitCurrentReply();
}

void ReplyDelivery::ApplicationEventsActivate() {
    ports_.fixTimer.SetFixTimerEnabled(false);
    state_.WatchingInput = false;
}

bool ReplyDelivery::RecognisesIn(WindowHandle window) {
    if (profiles_.empty()) {
        return true;
    }
    if (!recognition_.known || recognition_.window != window) {
        const DeliveryProfile* p = MatchProfile(profiles_, ports_.windows.Describe(window));
        recognition_ = {window, true, !p || p->recognise};
    }
    return recognition_.recognise;
}

void ReplyDelivery::Run(const DeliveryPlan& plan, WindowHandle target) {
    const TargetWindow window = ports_.windows.Describe(target);
    executor_.Run(ApplyProfile(plan, MatchProfile(profiles_, window), window));
}

void ReplyDelivery::KeyHookKeyAction(const KeyAction& key) {
    if (!RecognisesIn(Keyboard().ForegroundWindow())) {
        state_.TypedWord.clear();
        held_.reset();
        return;
    }
    if (key.pressed) {
        held_.reset();
    }
    if (RecognizeKeyAction(state_, key, Keyboard()) == KeyOutcome::DeliverTypedMacro) {
        held_ = HeldDelivery{std::move(state_.TypedWord), Keyboard().ForegroundWindow()};
        state_.TypedWord.clear();
    }
    if (held_ && !ports_.keyState.KeyMessagesQueued()) {
        HeldDelivery held = std::move(*held_);
        held_.reset();
        // The Backspaces go to the window in front, which must still be the word's.
        if (Keyboard().ForegroundWindow() == held.window) {
            state_.TypedWord = std::move(held.word);
            DeliverTypedMacro();
        }
    }
}

void ReplyDelivery::FixTimerTimer() {
    if (!state_.DeliveryEnabled) {
        return;
    }
    ports_.fixTimer.SetFixTimerEnabled(false);
    // The timer runs again after the tick, even when the delivery failed, but only while the
    // program is still inactive.
    struct Reenable {
        ReplyDelivery& self;
        ~Reenable() { self.ports_.fixTimer.SetFixTimerEnabled(self.state_.WatchingInput); }
    } reenable{*this};
    const TRepList* library = host_.Library();
    if (!library) {
        state_.PendingHotKey = -1;
        return;
    }
    if (state_.PendingHotKey == -1) {
        if (!RecognisesIn(Keyboard().ForegroundWindow())) {
            return;
        }
        state_.PendingHotKey = ScanHotKeys(*library, ports_.keyState, state_);
    } else if (!HotKeyStillDown(*library, state_.PendingHotKey, ports_.keyState)) {
        const int position = state_.PendingHotKey;
        state_.PendingHotKey = -1;
        DeliverHotKey(position);
    }
}

void ReplyDelivery::ShellHookWindowActivated(WindowHandle sourceWindow) {
    // The Backspaces of a word typed in one window must never land in another. A late report
    // of the window the word is typed in changes nothing.
    if (sourceWindow != state_.WordWindow) {
        state_.TypedWord.clear();
    }
    if (sourceWindow != 0 && !host_.IsInsertionsDialogVisible()) {
        state_.LastActiveWindow = sourceWindow;
    }
}

void ReplyDelivery::ShellHookWindowDestroyed(WindowHandle sourceWindow) {
    if (host_.IsTerminating() || sourceWindow == 0 || sourceWindow != state_.LastActiveWindow) {
        return;
    }
    state_.LastActiveWindow = 0;
    if (host_.IsInsertionsDialogVisible()) {
        host_.CancelInsertionsDialog();
    }
}

bool ReplyDelivery::EditorInLastActiveAvailable() {
    return state_.LastActiveWindow != 0 && ports_.windows.WindowExists(state_.LastActiveWindow);
}

CommandInputs ReplyDelivery::CommitAndReadCommandInputs() {
    host_.CommitCurrentReply();
    CommandInputs inputs;
    const TRepList* library = host_.Library();
    const TreeNode* node = host_.SelectedNode();
    const TRep* rep = node ? node->Data() : nullptr;
    inputs.replySelected = library && rep && !rep->IsFolder();
    if (!inputs.replySelected) {
        return inputs;
    }
    inputs.showMacroIns = host_.ShowMacroInsSetting();
    const int macro = library->MacroIndexOf(rep);
    inputs.fieldList = macro >= 0 ? FieldListOfMacro(library->Macros.Get(macro)) : std::string();
    inputs.lastActiveWindow = EditorInLastActiveAvailable() ? state_.LastActiveWindow : 0;
    return inputs;
}

void ReplyDelivery::EditorInLastActiveExecute() {
    if (!EditorInLastActiveAvailable()) {
        return;
    }
    const CommandInputs inputs = CommitAndReadCommandInputs();
    Run(PlanEditorInLastActive(inputs), inputs.lastActiveWindow);
}

void ReplyDelivery::EditorCopyEntireExecute() {
    executor_.Run(PlanEditorCopyEntire(CommitAndReadCommandInputs()));
}

void ReplyDelivery::DeliverTypedMacro() {
    const std::string word = std::move(state_.TypedWord);
    state_.TypedWord.clear();
    if (const TRepList* library = host_.Library()) {
        Run(PlanTypedMacro(*library, word), Keyboard().ForegroundWindow());
    }
}

void ReplyDelivery::DeliverHotKey(int position) {
    if (const TRepList* library = host_.Library()) {
        Run(PlanHotKey(*library, position), Keyboard().ForegroundWindow());
    }
}

void ReplyDelivery::DeliverDrop(const DeliveryPlan& plan, WindowHandle target) {
    if (!plan.empty()) {
        Run(plan, target);
    }
}

void ReplyDelivery::DeliverPicked(const DeliveryPlan& plan, WindowHandle target) {
    if (target == 0) {
        executor_.Run(plan);
    } else {
        Run(plan, target);
    }
}

} // namespace tw
