// A file beside the program never stands in for a system library; once the search is restricted a
// bare name finds nothing outside the system folder, while the hook library still loads from the
// program's folder by its full path. Its own binary: the restriction is process-wide.
#include "hooks/win32/win32_hook_module.h"
#include "platform/win32/system_libraries.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace tw::win32 {
namespace {

bool LoadsByBareName(const wchar_t* name) {
    HMODULE module = LoadLibraryW(name);
    return module && FreeLibrary(module);
}

TEST(DllSearch, SystemLibrariesComeFromTheSystemFolderAndThePlantedOnesFromNowhere) {
    const wchar_t* const planted = L"hooks_incomplete_dll.dll"; // built beside this test
    ASSERT_TRUE(LoadsByBareName(planted)) << "without a findable plant this proves nothing";
    EXPECT_EQ(LoadSystemLibrary(planted), nullptr);
    EXPECT_TRUE(FreeLibrary(LoadSystemLibrary(L"Msftedit.dll")));

    ASSERT_TRUE(RestrictDllSearchToSystem());
    EXPECT_FALSE(LoadsByBareName(planted));
    EXPECT_TRUE(LoadsByBareName(L"Msftedit.dll"));
    Win32HookModule hooks; // the program's folder
    const HookModule keybDll = hooks.Load("KeybDll");
    ASSERT_NE(keybDll, HookModule{}) << "error " << hooks.LastErrorCode();
    hooks.Unload(keybDll);
}

} // namespace
} // namespace tw::win32
