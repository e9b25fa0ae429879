#pragma once
// Recording stand-ins for the main window's ports. All of them write to one shared log so a test
// can check the order of steps across ports; tests/fakes/form_harness.h builds the form over them.
#include "app/common_routines.h"
#include "app/error_report.h"
#include "delivery/delivery_steps.h"
#include "hooks/fake_hook_ports.h"
#include "platform/message_boxes.h"
#include "ui/main_form_ports.h"
#include "ui/textwright_form.h"

#include <optional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tw::testing {

using Log = std::vector<std::string>;

class FakeWindow : public MainWindowView {
public:
    explicit FakeWindow(Log& log) : log_(log) {}
    void ShowMainWindow() override {
        visible = true;
        log_.push_back("window show");
    }
    void HideMainWindow() override {
        visible = false;
        log_.push_back("window hide");
    }
    bool IsMainWindowVisible() override { return visible; }
    void RestoreApplication() override { log_.push_back("window restore"); }
    void MakeMainWindowTopmost() override { log_.push_back("window topmost"); }
    void SetBusyCursor(bool busy) override {
        log_.push_back(busy ? "cursor busy" : "cursor normal");
    }
    void BeginBulkLoad() override { log_.push_back("bulk begin"); }
    void EndBulkLoad() override { log_.push_back("bulk end"); }
    bool visible = true;

private:
    Log& log_;
};

class FakeTray : public TrayIconPort {
public:
    explicit FakeTray(Log& log) : log_(log) {}
    void SetTrayIconVisible(bool v) override {
        visible = v;
        log_.push_back(v ? "tray show" : "tray hide");
    }
    void ShowNotice(const std::string& title, const std::string& text) override {
        log_.push_back("notice " + title + ": " + text);
    }
    bool visible = false;

private:
    Log& log_;
};

class FakeTimer : public TimerPort {
public:
    void SetTimerEnabled(bool e) override { enabled = e; }
    bool enabled = true;
};

class FakeTipDialog : public TipDialogPort {
public:
    explicit FakeTipDialog(Log& log) : log_(log) {}
    bool ShowTipDialog(bool showAtStartup) override {
        log_.push_back(std::string("tip dialog ") + (showAtStartup ? "checked" : "unchecked"));
        return boxAtClose;
    }
    bool boxAtClose = true;

private:
    Log& log_;
};

class FakeApplication : public ApplicationPort {
public:
    explicit FakeApplication(Log& log) : log_(log) {}
    void Terminate() override { log_.push_back("terminate"); }
    bool IsApplicationActive() override { return active; }
    bool active = true;

private:
    Log& log_;
};

class FakeDialogs : public DialogsPort {
public:
    explicit FakeDialogs(Log& log) : log_(log) {}
    void ShowOptionsDialog() override {
        log_.push_back("options dialog");
        if (failOptions) {
            throw std::runtime_error("Access denied");
        }
    }
    void ShowAboutBox() override { log_.push_back("about box"); }
    bool failOptions = false;

private:
    Log& log_;
};

class FakeHooks : public HookComponents {
public:
    explicit FakeHooks(Log& log) : log_(log) {}
    void StartHooks() override { log_.push_back("hooks start"); }
    void StopHooks() override { log_.push_back("hooks stop"); }
    SystemHooks& Components() override { return components; }

    test::FakeHookModule module;
    test::FakeHookHost host;
    HookLoader loader{module};
    SystemHooks components{loader, host};

private:
    Log& log_;
};

// The system as delivery reaches it: key state, injected keys, other windows, sleeps, the clock,
// the insertions dialog and the trace. What it does goes to the shared log.
class FakeSystemInput : public KeyStatePort,
                        public KeyInputPort,
                        public WindowPort,
                        public SleepPort,
                        public LocalClock,
                        public InsertionsDialogPort,
                        public InputTrace {
public:
    explicit FakeSystemInput(Log& log) : log_(log) {}
    std::set<std::uint8_t> down;
    std::set<WindowHandle> windows;
    std::optional<std::string> answers; // the dialog's; none: cancelled
    std::vector<std::uint32_t> traced;
    bool dialogVisible = false;

    bool IsKeyDown(std::uint8_t key) override { return down.count(key) > 0; }
    bool KeyMessagesQueued() override { return false; }
    std::size_t SendKeys(const std::vector<KeyEvent>& events) override {
        log_.push_back(DescribeStep(step::Keys{events}));
        return events.size();
    }
    void BringToForeground(WindowHandle w) override {
        log_.push_back("foreground " + std::to_string(w));
    }
    bool WindowExists(WindowHandle w) override { return windows.count(w) > 0; }
    std::map<WindowHandle, TargetWindow> described;
    TargetWindow Describe(WindowHandle w) override {
        const auto found = described.find(w);
        return found == described.end() ? TargetWindow{} : found->second;
    }
    void Sleep(int ms) override { log_.push_back("sleep " + std::to_string(ms)); }
    // Tuesday 5 March 2024, 14:07:09.
    LocalDateTime Now() override { return {2024, 3, 5, 14, 7, 9}; }
    std::optional<std::string> ShowInsertionsDialog(const std::string& fields,
                                                    const DialogAnchor& anchor) override {
        const char* const at[] = {" at ButInCB", " at ButInLastWnd", " at the drop point"};
        log_.push_back("dialog " + fields + at[static_cast<int>(anchor.kind)]);
        return answers;
    }
    bool IsInsertionsDialogVisible() override { return dialogVisible; }
    void CancelInsertionsDialog() override { log_.push_back("dialog cancelled"); }
    void KeyMessageArrived(std::uint32_t key) override { traced.push_back(key); }

private:
    Log& log_;
};

// The desktop a drag crosses: the main window spans 100..499 x 100..399; every point outside
// it lies in `outside`.
class FakeDesktop : public PointerPort, public DesktopWindowPort, public DropCursorPort {
public:
    explicit FakeDesktop(Log& log) : log_(log) {}
    static constexpr WindowHandle kMain = 1;
    WindowHandle outside = 0;
    PointerPoint pointer;

    PointerPoint PointerPosition() override { return pointer; }
    void MovePointer(PointerPoint to) override { pointer = to; }
    void ClickLeftButton(PointerPoint at) override {
        log_.push_back("click " + std::to_string(at.x) + "," + std::to_string(at.y));
    }
    WindowHandle MainWindow() override { return kMain; }
    WindowBounds MainWindowBounds() override { return {100, 100, 400, 300}; }
    WindowHandle WindowAt(PointerPoint at) override {
        const bool inMain = at.x >= 100 && at.x < 500 && at.y >= 100 && at.y < 400;
        return inMain ? kMain : outside;
    }
    WindowHandle ParentOf(WindowHandle) override { return 0; }
    void ShowReplyDropCursorForNoDrop() override { log_.push_back("cursor reply-drop"); }
    void RestoreNoDropCursor() override { log_.push_back("cursor no-drop"); }

private:
    Log& log_;
};

class LoggingBoxes : public MessageBoxes, public ErrorReportPort {
public:
    explicit LoggingBoxes(Log& log) : log_(log) {}
    void ShowInfo(const std::string& t) override { log_.push_back("info: " + t); }
    void ShowWarning(const std::string& t) override { log_.push_back("warning: " + t); }
    void ShowError(const std::string& t) override { log_.push_back("error: " + t); }
    bool AskYesNo(const std::string& t) override {
        log_.push_back("confirm: " + t);
        return true;
    }
    Answer AskYesNoCancel(const std::string& t) override {
        log_.push_back("confirm: " + t);
        return Answer::Cancel;
    }
    void ShowErrorReport(const std::string& t) override { log_.push_back("error report: " + t); }

private:
    Log& log_;
};

class LoggingShell : public ShellPort {
public:
    explicit LoggingShell(Log& log) : log_(log) {}
    bool OpenDocument(const std::string& p) override {
        log_.push_back("open " + p);
        return false;
    }

private:
    Log& log_;
};

// The node with this caption, in display order; null when there is none.
inline TreeNode* NodeByCaption(ReplyTree& tree, const std::string& caption) {
    for (TreeNode* n = tree.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
        if (n->Caption() == caption)
            return n;
    }
    return nullptr;
}

} // namespace tw::testing
