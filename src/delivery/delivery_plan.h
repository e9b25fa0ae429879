#pragma once
// The delivery paths, planned: each returns the steps that put a reply into another window.
// An empty plan delivers nothing.
#include "delivery/delivery_steps.h"

#include <string>

namespace tw {

class TRepList;

// SendCtrlV: Ctrl down, V down, V up, Ctrl up.
std::vector<KeyEvent> CtrlVEvents();

// A typed word followed by Space: erase the word and the Space first, then paste the reply of the
// macro it calls, with the typed values in its fields. No match: nothing.
DeliveryPlan PlanTypedMacro(const TRepList& library, const std::string& typedWord);

// The hot key at this position of the index has just been released.
DeliveryPlan PlanHotKey(const TRepList& library, int position);

// What the two commands read once the pending edits are written.
struct CommandInputs {
    bool replySelected = false;
    int showMacroIns = 0;
    std::string fieldList;             // of the selected reply's macro; empty: no fields
    WindowHandle lastActiveWindow = 0; // 0 when there is none or it no longer exists
};

DeliveryPlan PlanEditorInLastActive(const CommandInputs& inputs);
DeliveryPlan PlanEditorCopyEntire(const CommandInputs& inputs);

} // namespace tw
