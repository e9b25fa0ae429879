// The order of the start, and the second instance that leaves without a trace.
#include "app/program_sequence.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

class RecordingHost : public ProgramHost {
public:
    MutexResult CreateInstanceMutex(const std::string& name) override {
        calls.push_back("mutex " + name);
        return mutex;
    }
    void RegisterCursors() override { calls.push_back("cursors"); }
    void InitializeApplication(const std::string& title) override {
        calls.push_back("application " + title);
    }
    void CreateWindows() override { calls.push_back("windows"); }
    void ShowMainWindowOnStart() override { calls.push_back("show"); }
    void CloseMainWindow() override { calls.push_back("close"); }
    int RunMessageLoop() override {
        calls.push_back("loop");
        return 3;
    }
    MutexResult mutex = MutexResult::Created;
    std::vector<std::string> calls;
};

TEST(RunProgram, NormalStartShowsTheMainWindowThenRunsTheLoop) {
    RecordingHost host;
    EXPECT_EQ(3, RunProgram(host, {}));
    EXPECT_EQ((std::vector<std::string>{"mutex Textwright2Mutex", "cursors",
                                        "application Textwright", "windows", "show", "loop"}),
              host.calls);
}

TEST(RunProgram, HiddenStartClosesTheMainWindowInsteadOfShowingIt) {
    RecordingHost host;
    RunProgram(host, {"-hidden"});
    EXPECT_EQ((std::vector<std::string>{"mutex Textwright2Mutex", "cursors",
                                        "application Textwright", "windows", "close", "loop"}),
              host.calls);
    RecordingHost capitals;
    RunProgram(capitals, {"-HIDDEN"});
    EXPECT_EQ("show", capitals.calls[4]);
}

TEST(RunProgram, SecondInstanceEndsWithZeroAndDoesNothingElse) {
    RecordingHost host;
    host.mutex = MutexResult::AlreadyExists;
    EXPECT_EQ(0, RunProgram(host, {"-hidden"}));
    EXPECT_EQ(std::vector<std::string>{"mutex Textwright2Mutex"}, host.calls);
}

TEST(RunProgram, AnyOtherMutexFailureStillRuns) {
    RecordingHost host;
    host.mutex = MutexResult::Failed;
    EXPECT_EQ(3, RunProgram(host, {}));
    EXPECT_EQ("loop", host.calls.back());
}

} // namespace
} // namespace tw
