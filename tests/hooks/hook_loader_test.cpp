// The shared loader: one load for all components, reference counting, name retry, error texts.
#include "fake_hook_ports.h"
#include "hooks/hook_loader.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using test::FakeHookModule;

class HookLoaderTest : public ::testing::Test {
protected:
    FakeHookModule port;
    HookLoader loader{port};
};

TEST_F(HookLoaderTest, LoadsOnceAndUnloadsWhenTheLastReferenceGoes) {
    port.libraries["KeybDll"] = FakeHookModule::AllExports();
    ASSERT_EQ(0, loader.LoadHookLibrary("KeybDll"));
    // Later loads only count; the name is not even compared.
    EXPECT_EQ(0, loader.LoadHookLibrary("KeybDll"));
    EXPECT_EQ(0, loader.LoadHookLibrary("SomethingElse"));
    EXPECT_EQ(1u, port.loadAttempts.size());
    EXPECT_EQ(3, loader.ReferenceCount());

    loader.ReleaseHookLibrary();
    loader.ReleaseHookLibrary();
    EXPECT_TRUE(loader.Loaded());
    EXPECT_TRUE(port.unloaded.empty());
    loader.ReleaseHookLibrary();
    EXPECT_FALSE(loader.Loaded());
    EXPECT_EQ(0, loader.ReferenceCount());
    EXPECT_EQ(1u, port.unloaded.size());

    // Releasing with nothing loaded does nothing.
    loader.ReleaseHookLibrary();
    EXPECT_EQ(1u, port.unloaded.size());
    EXPECT_EQ(0, loader.ReferenceCount());
}

TEST_F(HookLoaderTest, ReloadsAfterFullRelease) {
    port.libraries["KeybDll"] = FakeHookModule::AllExports();
    ASSERT_EQ(0, loader.LoadHookLibrary("KeybDll"));
    loader.ReleaseHookLibrary();
    ASSERT_EQ(0, loader.LoadHookLibrary("KeybDll"));
    EXPECT_EQ(2u, port.loadAttempts.size());
    EXPECT_EQ(1, loader.ReferenceCount());
}

TEST_F(HookLoaderTest, RetriesTheNameWithDllExtension) {
    struct Case {
        const char* name;
        const char* loadable;
        std::vector<std::string> attempts;
    };
    const Case cases[] = {
        {"KeybDll", "KeybDll.dll", {"KeybDll", "KeybDll.dll"}},
        {"hooks.bin", "hooks.dll", {"hooks.bin", "hooks.dll"}},
        {"C:\\my.dir\\KeybDll",
         "C:\\my.dir\\KeybDll.dll",
         {"C:\\my.dir\\KeybDll", "C:\\my.dir\\KeybDll.dll"}},
        {"KeybDll.DLL", "none", {"KeybDll.DLL"}},
        {"KeybDll.dll", "none", {"KeybDll.dll"}},
    };
    for (const auto& c : cases) {
        FakeHookModule fresh;
        fresh.libraries[c.loadable] = FakeHookModule::AllExports();
        HookLoader l(fresh);
        const std::int32_t status = l.LoadHookLibrary(c.name);
        EXPECT_EQ(c.attempts, fresh.loadAttempts) << c.name;
        EXPECT_EQ(std::string(c.loadable) == "none" ? 126 : 0, status) << c.name;
    }
}

TEST_F(HookLoaderTest, MissingFileReturnsTheSystemErrorCode) {
    port.failureCode = 2;
    EXPECT_EQ(2, loader.LoadHookLibrary("KeybDll"));
    EXPECT_FALSE(loader.Loaded());
    EXPECT_EQ(0, loader.ReferenceCount());
    EXPECT_EQ("system text 2", loader.HookErrorText(2));
}

TEST_F(HookLoaderTest, FailedLoadWithoutErrorCodeIsStillAFailure) {
    port.failureCode = 0;
    EXPECT_NE(0, loader.LoadHookLibrary("KeybDll"));
    EXPECT_FALSE(loader.Loaded());
}

TEST_F(HookLoaderTest, LibraryMissingAnExportIsRefusedAndUnloaded) {
    for (const char* missing : {"AttachReceiver", "DetachReceiver", "LastError"}) {
        FakeHookModule fresh;
        auto exports = FakeHookModule::AllExports();
        exports.erase(missing);
        fresh.libraries["KeybDll"] = exports;
        HookLoader l(fresh);
        EXPECT_EQ(-1, l.LoadHookLibrary("KeybDll")) << missing;
        EXPECT_FALSE(l.Loaded()) << missing;
        EXPECT_EQ(0, l.ReferenceCount()) << missing;
        EXPECT_EQ(1u, fresh.unloaded.size()) << missing;
        EXPECT_EQ("DLL doesn't export all required functions.", l.HookErrorText(-1));
        EXPECT_EQ(-1, l.AttachReceiver(TKvHookKind::Keyboard, 1, false)) << missing;
        EXPECT_TRUE(fresh.attaches.empty()) << missing;
    }
}

TEST_F(HookLoaderTest, ErrorTexts) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "No error."},
        {-1, "DLL doesn't export all required functions."},
        {-2, "Receiver already registered."},
        {-3, "Receiver not registered."},
        {-4, "Too many receivers."},
        {-5, "System hook already installed."},
        {-6, "Unknown error -6"},
        {-2147483647 - 1, "Unknown error -2147483648"},
        {1, "system text 1"},
        {1400, "system text 1400"},
    };
    for (const auto& [status, text] : cases)
        EXPECT_EQ(text, loader.HookErrorText(status)) << status;
}

TEST_F(HookLoaderTest, AttachPassesKindReceiverAndFilteringThrough) {
    port.libraries["KeybDll"] = FakeHookModule::AllExports();
    ASSERT_EQ(0, loader.LoadHookLibrary("KeybDll"));
    port.attachStatus = -4;
    EXPECT_EQ(-4, loader.AttachReceiver(TKvHookKind::Mouse, 0xABCD, true));
    ASSERT_EQ(1u, port.attaches.size());
    EXPECT_EQ(2, port.attaches[0].kind);
    EXPECT_EQ(0xABCDu, port.attaches[0].receiver);
    EXPECT_TRUE(port.attaches[0].allowFiltering);
    loader.ReleaseHookLibrary();
}

TEST_F(HookLoaderTest, WarnsAtExitOnlyWhileLoaded) {
    port.libraries["KeybDll"] = FakeHookModule::AllExports();
    loader.CheckUnloadedAtExit();
    EXPECT_TRUE(port.warnings.empty());
    ASSERT_EQ(0, loader.LoadHookLibrary("KeybDll"));
    loader.CheckUnloadedAtExit();
    ASSERT_EQ(1u, port.warnings.size());
    EXPECT_EQ("KvSysHook DLL was not unloaded!", port.warnings[0].first);
    EXPECT_EQ("KvSysHookLoader", port.warnings[0].second);
    loader.ReleaseHookLibrary();
}

} // namespace
} // namespace tw
