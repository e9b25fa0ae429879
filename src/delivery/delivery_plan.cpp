#include "delivery/delivery_plan.h"

#include "expansion/field_lists.h"
#include "library/rep.h"
#include "library/rep_list.h"

namespace tw {
namespace {

constexpr int kPauseBeforePasteMs = 50;

void AppendActivateAndPaste(DeliveryPlan& plan, WindowHandle window) {
    plan.push_back(step::Activate{window});
    plan.push_back(step::Keys{CtrlVEvents()});
}

TreeNode* NodeOf(const TRep* rep) {
    return rep ? rep->Node : nullptr;
}

// The start both commands share: with fields to ask for, the dialog and an expansion with its
// answers; otherwise the placeholders only.
DeliveryPlan PlanCommand(const CommandInputs& inputs, DialogAnchor::Kind button) {
    DeliveryPlan plan;
    if (ShouldAskForFieldValues(inputs.showMacroIns, inputs.fieldList)) {
        plan.push_back(step::AskFieldValues{inputs.fieldList, DialogAnchor{button}});
        plan.push_back(step::RememberSelection{});
        plan.push_back(
            step::ExpandAndCopy{step::ExpandAndCopy::Fields::Answers, inputs.fieldList, ""});
    } else {
        plan.push_back(step::RememberSelection{});
        plan.push_back(step::ExpandAndCopy{});
    }
    return plan;
}

bool AsksForFields(const DeliveryPlan& plan) {
    return std::holds_alternative<step::AskFieldValues>(plan.front());
}

} // namespace

std::vector<KeyEvent> CtrlVEvents() {
    return {{vkey::Ctrl, false}, {vkey::V, false}, {vkey::V, true}, {vkey::Ctrl, true}};
}

DeliveryPlan PlanTypedMacro(const TRepList& library, const std::string& typedWord) {
    std::string names;
    std::string values;
    const int position = library.FindMacro(typedWord, &names, &values);
    TreeNode* node = position >= 0 ? NodeOf(library.MacroRep(position)) : nullptr;
    if (!node) {
        return {};
    }
    // One Backspace per typed character and one for the Space the target has already received,
    // sent before the reply is made: making it can take long (the clipboard's owner may render
    // a large snapshot), and keys typed meanwhile land after the word, where Backspaces sent
    // later would erase them instead of it. Those keys then come before the paste, not lost.
    std::vector<KeyEvent> erase;
    for (std::size_t i = 0; i <= typedWord.size(); ++i) {
        erase.push_back({vkey::Backspace, false});
        erase.push_back({vkey::Backspace, true});
    }
    return {step::Keys{std::move(erase)}, step::Select{node},
            step::ExpandAndCopy{step::ExpandAndCopy::Fields::Typed, names, values}, step::Reload{},
            step::Keys{CtrlVEvents()}};
}

DeliveryPlan PlanHotKey(const TRepList& library, int position) {
    if (position < 0 || position >= library.HotKeyCount()) {
        return {};
    }
    TreeNode* node = NodeOf(library.HotKeyRep(position));
    if (!node) {
        return {};
    }
    return {step::Select{node},          step::ExpandAndCopy{},     step::Reload{},
            step::ReleaseModifierKeys{}, step::WaitWhileCtrlDown{}, step::Keys{CtrlVEvents()}};
}

DeliveryPlan PlanEditorInLastActive(const CommandInputs& inputs) {
    // The command is unavailable then; a paste without its target would land in our own editor.
    if (!inputs.replySelected || inputs.lastActiveWindow == 0) {
        return {};
    }
    DeliveryPlan plan = PlanCommand(inputs, DialogAnchor::Kind::ButInLastWnd);
    if (AsksForFields(plan)) {
        plan.push_back(step::Reload{});
        plan.push_back(step::StopUnlessWindowExists{inputs.lastActiveWindow});
        AppendActivateAndPaste(plan, inputs.lastActiveWindow);
    } else {
        plan.push_back(step::Sleep{kPauseBeforePasteMs});
        AppendActivateAndPaste(plan, inputs.lastActiveWindow);
        plan.push_back(step::Reload{});
    }
    return plan;
}

DeliveryPlan PlanEditorCopyEntire(const CommandInputs& inputs) {
    if (!inputs.replySelected) {
        return {};
    }
    DeliveryPlan plan = PlanCommand(inputs, DialogAnchor::Kind::ButInCB);
    plan.push_back(step::Reload{});
    return plan;
}

DeliveryPlan PlanPickerDelivery(const PickerInputs& inputs) {
    TreeNode* node = NodeOf(inputs.reply);
    if (!node) {
        return {};
    }
    DeliveryPlan plan;
    step::ExpandAndCopy expand;
    if (ShouldAskForFieldValues(inputs.showMacroIns, inputs.fieldList)) {
        plan.push_back(step::AskFieldValues{
            inputs.fieldList, DialogAnchor{DialogAnchor::Kind::DropPoint, inputs.x, inputs.y}});
        expand = {step::ExpandAndCopy::Fields::Answers, inputs.fieldList, ""};
    }
    plan.push_back(step::Select{node});
    plan.push_back(expand);
    plan.push_back(step::Reload{});
    if (inputs.target != 0) {
        // The picker has just closed: the target may have gone with it, and it takes a moment
        // to become the window in front again.
        plan.push_back(step::StopUnlessWindowExists{inputs.target});
        plan.push_back(step::Sleep{kPauseBeforePasteMs});
        AppendActivateAndPaste(plan, inputs.target);
    }
    return plan;
}

} // namespace tw
