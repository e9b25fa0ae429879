#pragma once
// Recording stand-ins for the main window's ports. All of them write to one shared log so a test
// can check the order of steps across ports.
#include "app/common_routines.h"
#include "app/error_report.h"
#include "platform/message_boxes.h"
#include "ui/main_form_ports.h"
#include "ui/textwright_form.h"

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

// Every port of the main window but the registry, all logging into `log`. Fixtures derive from it
// and hand Ports(registry) to the form.
struct MainFormFakes {
    Log log;
    LoggingBoxes boxes{log};
    LoggingShell shell{log};
    FakeWindow window{log};
    FakeTray tray{log};
    FakeTimer timer;
    FakeTipDialog tipDialog{log};
    FakeApplication application{log};
    FakeDialogs dialogs{log};
    FakeHooks hooks{log};

    MainFormPorts Ports(RawRegistry& registry) {
        return MainFormPorts{
            .registry = registry,
            .boxes = boxes,
            .errorReport = boxes,
            .shell = shell,
            .window = window,
            .tray = tray,
            .tipTimer = timer,
            .tipDialog = tipDialog,
            .application = application,
            .dialogs = dialogs,
            .hooks = hooks,
        };
    }
};

} // namespace tw::testing
