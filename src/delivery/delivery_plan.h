#pragma once
// The delivery paths, planned: each returns the steps that put a reply into another window.
// An empty plan delivers nothing.
#include "delivery/delivery_steps.h"

#include <string>

namespace tw {

class TRep;
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

// A reply chosen in the search picker: pasted into the window that was in front when the picker
// opened, or only copied.
struct PickerInputs {
    const TRep* reply = nullptr;
    int showMacroIns = 0;
    std::string fieldList; // of the reply's macro; empty: no fields
    // Where the insertions dialog centres: the picker's place on the screen.
    int x = 0;
    int y = 0;
    WindowHandle target = 0; // 0: copy only
};

DeliveryPlan PlanPickerDelivery(const PickerInputs& inputs);

} // namespace tw
