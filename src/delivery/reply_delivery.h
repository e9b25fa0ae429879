#pragma once
// The main window's delivery: it owns the delivery state and turns hook events, FixTimer ticks
// and the two commands into planned deliveries run over the ports. The main window owns one,
// implements DeliveryHost and forwards the events below, one call each.
#include "delivery/delivery_profile.h"
#include "delivery/delivery_host.h"
#include "delivery/delivery_ports.h"
#include "delivery/delivery_state.h"
#include "delivery/delivery_plan.h"
#include "delivery/recognition.h"
#include "delivery/step_executor.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tw {

class ReplyDelivery {
public:
    // Without a pointer a plan that clicks (the drop of a dragged reply) ends at its click.
    ReplyDelivery(DeliveryPorts ports, DeliveryHost& host, PointerPort* pointer = nullptr)
        : ports_(ports), host_(host), executor_(ports, host, pointer) {}

    DeliveryState& State() { return state_; }
    const DeliveryState& State() const { return state_; }

    // The program stops being, or becomes again, the active application.
    void ApplicationEventsDeactivate();
    void ApplicationEventsActivate();
    // KeyHook's OnKeyAction; the event is never filtered. A Space with more key messages queued
    // behind it holds its delivery until they are handled: a key pressed among them reached
    // the target after the Space, where the Backspaces would erase it, so it drops the delivery,
    // as does another window come to the front meanwhile.
    void KeyHookKeyAction(const KeyAction& key);
    void KeyHookKeyAction(std::uint32_t virtualKey, bool pressed) {
        KeyHookKeyAction(KeyAction{virtualKey, pressed});
    }
    // MouseHook's OnMouseClick, for every button and movement; it drops a held delivery too.
    void MouseHookMouseClick() {
        state_.TypedWord.clear();
        held_.reset();
    }
    void FixTimerTimer();
    // ShellHook's events (own windows are not reported).
    void ShellHookWindowActivated(WindowHandle sourceWindow);
    void ShellHookWindowDestroyed(WindowHandle sourceWindow);

    // The enabled state of EditorInLastActive's reply part: a previously active window exists.
    bool EditorInLastActiveAvailable();
    void EditorInLastActiveExecute();
    void EditorCopyEntireExecute();

    // Space was typed after TypedWord; TypedWord is empty afterwards, whatever happened.
    void DeliverTypedMacro();
    // The hot key at this position of the index was released.
    void DeliverHotKey(int position);
    // The planned drop of a reply dragged out of the tree, run like every other path through
    // the profile of the window dropped on.
    void DeliverDrop(const DeliveryPlan& plan, WindowHandle target);
    // A reply picked in the search picker: pasted into `target`, or only copied for 0.
    void DeliverPicked(const DeliveryPlan& plan, WindowHandle target);

    // The delivery profiles; a window none of them matches gets every plan as it is.
    void SetProfiles(std::vector<DeliveryProfile> profiles) {
        profiles_ = std::move(profiles);
        recognition_ = {};
    }

private:
    // Writes the pending edits, then reads what the command's plan depends on.
    CommandInputs CommitAndReadCommandInputs();

    KeyboardLayoutPort& Keyboard() { return ports_.keyboard ? *ports_.keyboard : fixedUs_; }
    // Runs the plan rewritten for the window it goes to.
    void Run(const DeliveryPlan& plan, WindowHandle target);
    // False when the profile of the window turns typed macros and hot keys off there.
    bool RecognisesIn(WindowHandle window);

    DeliveryPorts ports_;
    FixedUsLayout fixedUs_;
    DeliveryHost& host_;
    StepExecutor executor_;
    DeliveryState state_;
    // A Space whose delivery waits for the key messages queued behind it.
    struct HeldDelivery {
        std::string word;
        WindowHandle window = 0; // in front at the Space
    };
    std::optional<HeldDelivery> held_;
    std::vector<DeliveryProfile> profiles_;
    // Whether the window last asked about recognises macros; asked again when it changes.
    struct Recognition {
        WindowHandle window = 0;
        bool known = false;
        bool recognise = true;
    } recognition_;
};

} // namespace tw
