// Starting and stopping the components over the shared loader, and the setters' guards.
#include "fake_hook_ports.h"
#include "hooks/keyboard_hook.h"
#include "hooks/mouse_hook.h"
#include "hooks/shell_hook.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using test::FakeHookHost;
using test::FakeHookModule;

class SysHookLifecycle : public ::testing::Test {
protected:
    SysHookLifecycle() { port.libraries["KeybDll"] = FakeHookModule::AllExports(); }
    FakeHookModule port;
    FakeHookHost host;
    HookLoader loader{port};
};

TEST_F(SysHookLifecycle, ThreeComponentsShareOneLoad) {
    TKvShellHook shell(loader, host, "ShellHook");
    TKvKeyboardHook keys(loader, host, "KeyHook");
    TKvMouseHook mouse(loader, host, "MouseHook");
    std::string error = "stale";
    for (TKvSysHook* hook : {static_cast<TKvSysHook*>(&shell), static_cast<TKvSysHook*>(&keys),
                             static_cast<TKvSysHook*>(&mouse)}) {
        hook->SetHookDLL(kHookLibraryName);
        error = "stale";
        hook->Start(error);
        EXPECT_EQ("", error) << hook->DisplayName();
        EXPECT_TRUE(hook->Active());
        EXPECT_NE(0u, hook->ListenerWindow());
    }
    EXPECT_EQ(1u, port.loadAttempts.size());
    EXPECT_EQ(3, loader.ReferenceCount());
    ASSERT_EQ(3u, port.attaches.size());
    EXPECT_EQ(0, port.attaches[0].kind);
    EXPECT_EQ(1, port.attaches[1].kind);
    EXPECT_EQ(2, port.attaches[2].kind);
    EXPECT_EQ(shell.ListenerWindow(), port.attaches[0].receiver);
    EXPECT_EQ(3u, host.liveWindows.size());

    mouse.Stop();
    keys.Stop();
    EXPECT_TRUE(loader.Loaded());
    EXPECT_TRUE(port.unloaded.empty());
    shell.Stop();
    EXPECT_FALSE(loader.Loaded());
    EXPECT_EQ(1u, port.unloaded.size());
    EXPECT_TRUE(host.liveWindows.empty());
    EXPECT_FALSE(shell.Active());
    EXPECT_EQ(0u, shell.ListenerWindow());
}

TEST_F(SysHookLifecycle, SecondStartChangesNothingAndLeavesTheTextAlone) {
    TKvKeyboardHook keys(loader, host, "KeyHook");
    keys.SetHookDLL("KeybDll");
    std::string error;
    keys.Start(error);
    ASSERT_TRUE(keys.Active());
    const ListenerHandle window = keys.ListenerWindow();
    error = "left as it was";
    keys.Start(error);
    EXPECT_EQ("left as it was", error);
    EXPECT_EQ(window, keys.ListenerWindow());
    EXPECT_EQ(1, loader.ReferenceCount());
    EXPECT_EQ(1u, port.attaches.size());
}

TEST_F(SysHookLifecycle, FailedStartsReportTextAndHoldNothing) {
    struct Case {
        const char* what;
        std::string dll;
        bool failWindow;
        std::int32_t attachStatus;
        std::string expected;
        std::size_t attachCalls;
    };
    const Case cases[] = {
        {"no name", "", false, 0, "Cannot activate hook because DLL name is not set.", 0},
        {"missing file", "Absent", false, 0, "system text 126", 0},
        {"no window", "KeybDll", true, 0, "Failed to create listening window.", 0},
        {"attach refused", "KeybDll", false, -4, "Too many receivers.", 1},
        {"attach system error", "KeybDll", false, 1400, "system text 1400", 1},
    };
    for (const auto& c : cases) {
        FakeHookModule p;
        p.libraries["KeybDll"] = FakeHookModule::AllExports();
        p.attachStatus = c.attachStatus;
        FakeHookHost h;
        h.failCreate = c.failWindow;
        HookLoader l(p);
        TKvMouseHook mouse(l, h, "MouseHook");
        mouse.SetHookDLL(c.dll);
        std::string error = "stale";
        mouse.Start(error);
        EXPECT_EQ(c.expected, error) << c.what;
        EXPECT_FALSE(mouse.Active()) << c.what;
        EXPECT_EQ(0u, mouse.ListenerWindow()) << c.what;
        EXPECT_FALSE(l.Loaded()) << c.what;
        EXPECT_TRUE(h.liveWindows.empty()) << c.what;
        EXPECT_EQ(c.attachCalls, p.attaches.size()) << c.what;
        // A failed component can be started again once the cause is gone.
        p.attachStatus = 0;
        h.failCreate = false;
        mouse.SetHookDLL("KeybDll");
        mouse.Start(error);
        EXPECT_TRUE(mouse.Active()) << c.what;
    }
}

TEST_F(SysHookLifecycle, DestroyingAnActiveComponentStopsIt) {
    {
        TKvShellHook shell(loader, host, "ShellHook");
        shell.SetHookDLL("KeybDll");
        std::string error;
        shell.Start(error);
        ASSERT_TRUE(shell.Active());
    }
    EXPECT_FALSE(loader.Loaded());
    EXPECT_TRUE(host.liveWindows.empty());
}

TEST_F(SysHookLifecycle, StopOnAnInactiveComponentDoesNothing) {
    TKvKeyboardHook keys(loader, host, "KeyHook");
    TKvShellHook other(loader, host, "ShellHook");
    other.SetHookDLL("KeybDll");
    std::string error;
    other.Start(error);
    keys.Stop();
    EXPECT_EQ(1, loader.ReferenceCount());
}

TEST_F(SysHookLifecycle, HookDllCannotChangeWhileActive) {
    TKvShellHook named(loader, host, "ShellHook");
    TKvMouseHook unnamed(loader, host, "");
    for (TKvSysHook* hook :
         {static_cast<TKvSysHook*>(&named), static_cast<TKvSysHook*>(&unnamed)}) {
        hook->SetHookDLL("KeybDll");
        std::string error;
        hook->Start(error);
        hook->SetHookDLL("Other");
        EXPECT_EQ("KeybDll", hook->HookDLL());
        hook->Stop();
        hook->SetHookDLL("Other");
        EXPECT_EQ("Other", hook->HookDLL());
    }
    ASSERT_EQ(2u, host.errorBoxes.size());
    EXPECT_EQ("DLL name cannot be set while hook is active!", host.errorBoxes[0].first);
    EXPECT_EQ("ShellHook", host.errorBoxes[0].second);
    // Without a name the class name stands in.
    EXPECT_EQ("TKvMouseHook", host.errorBoxes[1].second);
}

TEST_F(SysHookLifecycle, AllowFilteringReachesTheLibraryAndIsLockedWhileActive) {
    TKvKeyboardHook keys(loader, host, "KeyHook");
    keys.SetHookDLL("KeybDll");
    keys.SetAllowFiltering(true);
    std::string error;
    keys.Start(error);
    ASSERT_TRUE(keys.Active());
    ASSERT_EQ(1u, port.attaches.size());
    EXPECT_TRUE(port.attaches[0].allowFiltering);
    try {
        keys.SetAllowFiltering(false);
        ADD_FAILURE() << "no error raised";
    } catch (const HookStateError& e) {
        EXPECT_STREQ("Cannot set AllowFiltering propert while hook is active!", e.what());
    }
    EXPECT_TRUE(keys.AllowFiltering());
    keys.Stop();
    keys.SetAllowFiltering(false);
    EXPECT_FALSE(keys.AllowFiltering());
}

TEST_F(SysHookLifecycle, DisplayNames) {
    EXPECT_EQ("KeyHook", TKvKeyboardHook(loader, host, "KeyHook").DisplayName());
    EXPECT_EQ("TKvShellHook", TKvShellHook(loader, host, "").DisplayName());
    EXPECT_EQ("TKvKeyboardHook", TKvKeyboardHook(loader, host, "").DisplayName());
    EXPECT_EQ("TKvMouseHook", TKvMouseHook(loader, host, "").DisplayName());
}

} // namespace
} // namespace tw
