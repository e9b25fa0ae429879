// The loader and the components against the real hook library and real windows.
#include "hooks/keyboard_hook.h"
#include "hooks/mouse_hook.h"
#include "hooks/shell_hook.h"
#include "hooks/win32/process_hooks.h"
#include "hooks/win32/win32_hook_module.h"
#include "hooks_test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

namespace tw {
namespace {

using test::KeybDllExports;
using test::PumpUntil;
using test::RecordingWindow;

bool ModuleLoaded(const wchar_t* name) {
    return GetModuleHandleW(name) != nullptr;
}

std::wstring TempFolder(const wchar_t* leaf) {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    std::wstring folder = std::wstring(base) + leaf;
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\";
}

std::string Narrow(const std::wstring& w) {
    return std::string(w.begin(), w.end());
}

TEST(HookLoaderWin32, LibraryLackingAnExportIsRefusedAndUnloaded) {
    Win32HookModule module;
    HookLoader loader(module);
    EXPECT_EQ(-1, loader.LoadHookLibrary("hooks_incomplete_dll"));
    EXPECT_EQ("DLL doesn't export all required functions.", loader.HookErrorText(-1));
    EXPECT_FALSE(loader.Loaded());
    EXPECT_FALSE(ModuleLoaded(L"hooks_incomplete_dll.dll"));
}

TEST(HookLoaderWin32, MissingFileGivesTheSystemText) {
    Win32HookModule module;
    HookLoader loader(module);
    const std::int32_t status = loader.LoadHookLibrary("NoSuchHookLibrary");
    EXPECT_EQ(ERROR_MOD_NOT_FOUND, status);
    const std::string text = loader.HookErrorText(status);
    wchar_t system[512] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   static_cast<DWORD>(status), 0, system, 512, nullptr);
    std::string expected = Narrow(system);
    while (!expected.empty() && (expected.back() == '\n' || expected.back() == '\r'))
        expected.pop_back();
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(expected, text);
    std::printf("system text for a missing library: \"%s\"\n", text.c_str());
}

TEST(HookLoaderWin32, PlantedCopyInTheCurrentFolderIsNotPickedUp) {
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring real = program;
    real = real.substr(0, real.find_last_of(L'\\') + 1) + L"KeybDll.dll";
    const std::wstring planted = TempFolder(L"tw_hooks_planted");
    const std::wstring empty = TempFolder(L"tw_hooks_empty_program");
    ASSERT_TRUE(CopyFileW(real.c_str(), (planted + L"KeybDll.dll").c_str(), FALSE));
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(planted.c_str());

    Win32HookModule module(Narrow(empty));
    HookLoader loader(module);
    const std::int32_t status = loader.LoadHookLibrary("KeybDll");

    SetCurrentDirectoryW(previous);
    EXPECT_EQ(ERROR_MOD_NOT_FOUND, status);
    EXPECT_FALSE(loader.Loaded());
    DeleteFileW((planted + L"KeybDll.dll").c_str());
}

TEST(HookLoaderWin32, ThreeComponentsLoadOnceAndUnloadWhenTheThirdStops) {
    ASSERT_FALSE(ProcessHookLoader().Loaded());
    TKvShellHook shell(ProcessHookLoader(), ProcessHookHost(), "ShellHook");
    TKvKeyboardHook keys(ProcessHookLoader(), ProcessHookHost(), "KeyHook");
    TKvMouseHook mouse(ProcessHookLoader(), ProcessHookHost(), "MouseHook");
    std::string error;
    for (TKvSysHook* hook : {static_cast<TKvSysHook*>(&shell), static_cast<TKvSysHook*>(&keys),
                             static_cast<TKvSysHook*>(&mouse)}) {
        hook->SetHookDLL(kHookLibraryName);
        error = "unset";
        hook->Start(error);
        EXPECT_EQ("", error) << hook->DisplayName();
        EXPECT_TRUE(hook->Active()) << hook->DisplayName();
    }
    EXPECT_EQ(3, ProcessHookLoader().ReferenceCount());
    EXPECT_TRUE(ModuleLoaded(L"KeybDll.dll"));

    mouse.Stop();
    keys.Stop();
    EXPECT_EQ(1, ProcessHookLoader().ReferenceCount());
    EXPECT_TRUE(ModuleLoaded(L"KeybDll.dll"));
    shell.Stop();
    EXPECT_FALSE(ProcessHookLoader().Loaded());
    // The library's hook thread notices its receivers are gone, removes the hooks and lets the
    // library go; nobody called DetachReceiver.
    EXPECT_TRUE(PumpUntil([] { return !ModuleLoaded(L"KeybDll.dll"); }));
}

TEST(HookLoaderWin32, ComponentsStartAgainAfterAFullStop) {
    TKvKeyboardHook keys(ProcessHookLoader(), ProcessHookHost(), "KeyHook");
    keys.SetHookDLL("KeybDll");
    for (int round = 0; round < 3; ++round) {
        std::string error;
        keys.Start(error);
        ASSERT_EQ("", error) << round;
        keys.Stop();
    }
    EXPECT_FALSE(ProcessHookLoader().Loaded());
}

TEST(KeybDllContract, StatusCodesAndByteArguments) {
    KeybDllExports dll;
    ASSERT_TRUE(dll.Complete());
    RecordingWindow window;
    // Upper bits of the byte arguments are garbage; only the low byte counts.
    EXPECT_EQ(0, dll.attach(0xABCDEF01, window.Handle(), 0x12345600));
    EXPECT_EQ(0, dll.lastError());
    EXPECT_EQ(-2, dll.attach(0x00000001, window.Handle(), 0));
    EXPECT_EQ(-2, dll.lastError());
    EXPECT_EQ(0, dll.attach(2, window.Handle(), 0)); // another kind, same window
    EXPECT_EQ(static_cast<std::int32_t>(ERROR_INVALID_PARAMETER),
              dll.attach(3, window.Handle(), 0));
    EXPECT_EQ(static_cast<std::int32_t>(ERROR_INVALID_WINDOW_HANDLE),
              dll.attach(1, reinterpret_cast<HWND>(0x7FFF0001), 0));
    EXPECT_EQ(0, dll.detach(0x99999901, window.Handle()));
    EXPECT_EQ(-3, dll.detach(1, window.Handle()));
    EXPECT_EQ(-3, dll.lastError());
    EXPECT_EQ(0, dll.detach(2, window.Handle()));
}

TEST(KeybDllContract, TooManyReceivers) {
    KeybDllExports dll;
    ASSERT_TRUE(dll.Complete());
    std::vector<std::unique_ptr<RecordingWindow>> windows;
    std::int32_t status = 0;
    while (status == 0 && windows.size() < 200) {
        windows.push_back(std::make_unique<RecordingWindow>());
        status = dll.attach(0, windows.back()->Handle(), 0);
    }
    EXPECT_EQ(-4, status);
    EXPECT_EQ(65u, windows.size());
    for (auto& w : windows)
        dll.detach(0, w->Handle());
}

} // namespace
} // namespace tw
