#pragma once
// Runs a delivery plan over the ports and the main window, step by step.
#include "delivery/delivery_host.h"
#include "delivery/delivery_ports.h"
#include "delivery/delivery_steps.h"
#include "delivery/drag_ports.h"

namespace tw {

class StepExecutor {
public:
    // Without a pointer a plan that clicks stops at its click: a paste after a missed click
    // would land wherever the focus happens to be.
    StepExecutor(DeliveryPorts ports, DeliveryHost& host, PointerPort* pointer = nullptr)
        : ports_(ports), host_(host), pointer_(pointer) {}

    // Runs the steps in order. With the RestoreClipboard setting on and the host keeping the
    // clipboard, a plan that pastes keeps the user's clipboard. A cancelled dialog or a vanished
    // window ends the run early. Errors of the main window propagate and end it too.
    void Run(const DeliveryPlan& plan);

    // How long WaitWhileCtrlDown waits at most, so a Ctrl key that never reads up cannot
    // freeze the program: 200 times 50 ms.
    static constexpr int kCtrlPollMs = 50;
    static constexpr int kMaxCtrlPolls = 200;

private:
    struct RunState {
        TreeNode* remembered = nullptr;
        std::string answers;
        bool offeredForPaste = false;
        bool cut = false;   // the system took only part of a batch of keys
        ReplyContent reply; // the reply made last
    };
    void RunSteps(const DeliveryPlan& plan);
    // False when the rest of the plan is to be skipped.
    bool RunStep(const DeliveryStep& step, RunState& run);
    void ExpandAndCopy(const step::ExpandAndCopy& s, RunState& run);
    // False when the system took fewer events than sent.
    bool SendBatch(const std::vector<KeyEvent>& events);
    bool SendKeys(const step::Keys& keys);
    // False when the system cut the typing short.
    bool TypeText(const std::u16string& text, int delayMs);
    void ReleaseModifierKeys();
    void WaitWhileCtrlDown();

    DeliveryPorts ports_;
    DeliveryHost& host_;
    PointerPort* pointer_;
};

} // namespace tw
