#pragma once
// A delivery as plain data: the steps a path plans, in the order the executor runs them.
#include "delivery/delivery_host.h"
#include "delivery/delivery_ports.h"

#include <string>
#include <variant>
#include <vector>

namespace tw {

class TreeNode;

namespace step {

// Remembers the selected node (possibly none), then selects this one.
struct Select {
    TreeNode* node = nullptr;
    bool operator==(const Select&) const = default;
};
// Remembers the selected node without changing it.
struct RememberSelection {
    bool operator==(const RememberSelection&) const = default;
};
// Asks for the values of the fields; a cancelled dialog ends the delivery here.
struct AskFieldValues {
    std::string fields;
    DialogAnchor anchor;
    bool operator==(const AskFieldValues&) const = default;
};
// Fields (when the path has them), then the placeholders, then the copy to the clipboard.
struct ExpandAndCopy {
    enum class Fields { None, Typed, Answers };
    Fields source = Fields::None;
    std::string names;
    std::string values; // Typed only; Answers takes those of the last AskFieldValues
    // The reply goes on the clipboard for the paste only: the user's content comes back once
    // the target has taken it.
    bool keepUserClipboard = false;
    // Not copied at all: kept for the notice that nothing could be typed, whose click copies it.
    bool holdForNotice = false;
    bool operator==(const ExpandAndCopy&) const = default;
};
// Selects no node, then the remembered one: the editor holds the stored reply again.
struct Reload {
    bool operator==(const Reload&) const = default;
};
// One batch, injected in one call; with a delay, one event at a time with the pause after each.
struct Keys {
    std::vector<KeyEvent> events;
    int delayMs = 0;
    bool operator==(const Keys&) const = default;
};
// The plain text of the reply the last ExpandAndCopy made, typed out as Unicode key events, line
// breaks as Enter, in batches the system accepts whole.
struct TypeText {
    int delayMs = 0;
    bool operator==(const TypeText&) const = default;
};
// Input into the window in front would be dropped (it runs elevated): the user is told, once per
// program, and offered the reply the last ExpandAndCopy held.
struct TellCannotType {
    std::string program;
    bool operator==(const TellCannotType&) const = default;
};
// A key-up for each of Shift, Ctrl and Alt that reads down, in this order.
struct ReleaseModifierKeys {
    bool operator==(const ReleaseModifierKeys&) const = default;
};
// Sleeps 50 ms at a time while Ctrl reads down.
struct WaitWhileCtrlDown {
    bool operator==(const WaitWhileCtrlDown&) const = default;
};
struct Sleep {
    int milliseconds = 0;
    bool operator==(const Sleep&) const = default;
};
struct Activate {
    WindowHandle window = 0;
    bool operator==(const Activate&) const = default;
};
// A left button press and release at the point, so that the control there takes the focus.
struct Click {
    int x = 0;
    int y = 0;
    bool operator==(const Click&) const = default;
};
// Ends the delivery here when the window no longer exists.
struct StopUnlessWindowExists {
    WindowHandle window = 0;
    bool operator==(const StopUnlessWindowExists&) const = default;
};

} // namespace step

using DeliveryStep =
    std::variant<step::Select, step::RememberSelection, step::AskFieldValues, step::ExpandAndCopy,
                 step::Reload, step::Keys, step::ReleaseModifierKeys, step::WaitWhileCtrlDown,
                 step::Sleep, step::Activate, step::StopUnlessWindowExists, step::Click,
                 step::TypeText, step::TellCannotType>;
using DeliveryPlan = std::vector<DeliveryStep>;

// One line per step, for traces and test failure messages. Nodes are shown by caption.
std::string DescribeStep(const DeliveryStep& step);
std::vector<std::string> DescribePlan(const DeliveryPlan& plan);

} // namespace tw
