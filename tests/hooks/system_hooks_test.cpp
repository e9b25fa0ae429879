// The main window's set of hooks: started and stopped in order, failures left silent.
#include "fake_hook_ports.h"
#include "hooks/system_hooks.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using test::FakeHookHost;
using test::FakeHookModule;

TEST(SystemHooks, StartInOrderAndStopInReverse) {
    FakeHookModule port;
    port.libraries["KeybDll"] = FakeHookModule::AllExports();
    FakeHookHost host;
    HookLoader loader(port);
    SystemHooks hooks(loader, host);
    EXPECT_EQ("KeybDll", hooks.KeyHook.HookDLL());
    EXPECT_FALSE(hooks.ShellHook.NotifyOwnEvents);
    EXPECT_FALSE(hooks.KeyHook.AllowFiltering());

    hooks.StartHooks();
    ASSERT_EQ(3u, port.attaches.size());
    EXPECT_EQ(0, port.attaches[0].kind);
    EXPECT_EQ(1, port.attaches[1].kind);
    EXPECT_EQ(2, port.attaches[2].kind);
    for (const auto& a : port.attaches)
        EXPECT_FALSE(a.allowFiltering);
    EXPECT_EQ(3, loader.ReferenceCount());

    hooks.StopHooks();
    EXPECT_FALSE(hooks.ShellHook.Active() || hooks.KeyHook.Active() || hooks.MouseHook.Active());
    EXPECT_FALSE(loader.Loaded());
    EXPECT_TRUE(host.liveWindows.empty());
}

TEST(SystemHooks, MissingLibraryLeavesEveryHookSilent) {
    FakeHookModule port; // nothing loads
    FakeHookHost host;
    HookLoader loader(port);
    SystemHooks hooks(loader, host);
    hooks.StartHooks();
    EXPECT_FALSE(hooks.ShellHook.Active() || hooks.KeyHook.Active() || hooks.MouseHook.Active());
    EXPECT_TRUE(host.errorBoxes.empty());
    hooks.StopHooks();
    EXPECT_FALSE(loader.Loaded());
}

TEST(SystemHooks, OneRefusedHookDoesNotStopTheOthers) {
    FakeHookModule port;
    port.libraries["KeybDll"] = FakeHookModule::AllExports();
    FakeHookHost host;
    HookLoader loader(port);
    SystemHooks hooks(loader, host);
    port.attachStatus = 0;
    hooks.ShellHook.SetHookDLL(""); // cannot start
    hooks.StartHooks();
    EXPECT_FALSE(hooks.ShellHook.Active());
    EXPECT_TRUE(hooks.KeyHook.Active());
    EXPECT_TRUE(hooks.MouseHook.Active());
    EXPECT_EQ(2, loader.ReferenceCount());
    hooks.StopHooks();
    EXPECT_FALSE(loader.Loaded());
}

} // namespace
} // namespace tw
