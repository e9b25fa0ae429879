#pragma once
// One recording stand-in for every port and the main window, so a test reads one log of what
// the delivery did, in order.
#include "delivery/delivery_host.h"
#include "delivery/delivery_ports.h"
#include "delivery/delivery_steps.h"
#include "library/reply_tree.h"

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tw::testing {

class RecordingDelivery : public KeyStatePort,
                          public KeyInputPort,
                          public WindowPort,
                          public SleepPort,
                          public FixTimerPort,
                          public LocalClock,
                          public DeliveryHost {
public:
    std::vector<std::string> log;
    std::set<std::uint8_t> down;          // keys that read down
    bool keyMessagesQueued = false;       // more hook messages wait behind the current one
    std::deque<std::size_t> insertCounts; // what SendKeys reports, call by call; then all
    std::function<void()> onSleep;        // e.g. lets a held key come up
    std::set<WindowHandle> windows;       // existing windows
    std::optional<std::string> answers;   // the dialog's; none: cancelled
    std::function<void()> duringDialog;   // runs while the dialog is open
    const TRepList* library = nullptr;
    TreeNode* selected = nullptr;
    int showMacroIns = 0;
    bool dialogVisible = false;
    bool terminating = false;
    ClipboardKeeping* keeping = nullptr;

    DeliveryPorts Ports() { return {*this, *this, *this, *this, *this, *this}; }

    bool IsKeyDown(std::uint8_t key) override { return down.count(key) > 0; }
    bool KeyMessagesQueued() override { return keyMessagesQueued; }
    std::size_t SendKeys(const std::vector<KeyEvent>& events) override {
        log.push_back(DescribeStep(step::Keys{events}));
        std::size_t n = events.size();
        if (!insertCounts.empty()) {
            n = insertCounts.front();
            insertCounts.pop_front();
        }
        return n;
    }
    void BringToForeground(WindowHandle w) override { Log("foreground " + std::to_string(w)); }
    bool WindowExists(WindowHandle w) override { return windows.count(w) > 0; }
    std::map<WindowHandle, TargetWindow> described;
    TargetWindow Describe(WindowHandle w) override {
        const auto found = described.find(w);
        return found == described.end() ? TargetWindow{} : found->second;
    }
    void TellDeliveryFailed(DeliveryFailure failure, const std::string& program,
                            const ReplyContent& reply) override {
        const char* what = failure == DeliveryFailure::InputDropped ? "tell " : "tell cut ";
        Log(what + program + " offering " + reply.rtf);
    }
    void Sleep(int ms) override {
        Log("sleep " + std::to_string(ms));
        if (onSleep) {
            onSleep();
        }
    }
    void SetFixTimerEnabled(bool on) override { Log(on ? "timer on" : "timer off"); }
    LocalDateTime Now() override { return {2024, 3, 5, 14, 7, 9}; }

    const TRepList* Library() override { return library; }
    TreeNode* SelectedNode() override { return selected; }
    void SelectNode(TreeNode* node) override {
        selected = node;
        Log("select " + Caption(node));
    }
    void CommitCurrentReply() override { Log("commit"); }
    // Every reply names itself and holds two field names and a placeholder, so a copy's log
    // line shows what the expansion did.
    std::string ReplySource() override {
        return selected ? "{\\rtf1 " + selected->Caption() + " first last %ShortTime}" : "";
    }
    std::vector<ReplyContent> copies;
    void PutOnClipboard(const ReplyContent& reply) override {
        copies.push_back(reply);
        Log("copy " + std::string(reply.text.begin(), reply.text.end()));
    }
    int ShowMacroInsSetting() override { return showMacroIns; }
    std::optional<std::string> ShowInsertionsDialog(const std::string& fields,
                                                    const DialogAnchor& anchor) override {
        static constexpr const char* kAnchors[] = {" at ButInCB", " at ButInLastWnd", " at "};
        std::string at = kAnchors[static_cast<int>(anchor.kind)];
        if (anchor.kind == DialogAnchor::Kind::DropPoint) {
            at += std::to_string(anchor.x) + "," + std::to_string(anchor.y);
        }
        Log("dialog " + fields + at);
        dialogVisible = true;
        if (duringDialog) {
            duringDialog();
        }
        dialogVisible = false;
        return answers;
    }
    bool IsInsertionsDialogVisible() override { return dialogVisible; }
    void CancelInsertionsDialog() override {
        Log("dialog cancelled");
        answers.reset();
    }
    bool IsTerminating() override { return terminating; }
    ClipboardKeeping* Keeping() override { return keeping; }

private:
    void Log(const std::string& line) { log.push_back(line); }
    static std::string Caption(const TreeNode* node) { return node ? node->Caption() : "(none)"; }
};

} // namespace tw::testing
