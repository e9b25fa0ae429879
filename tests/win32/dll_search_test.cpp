// Libraries come from where the program means them to: a file beside the program never stands in
// for a system library, and once the search is restricted a bare name finds nothing outside the
// system folder, while the hook library still loads from the program's folder by its full path.
// Its own binary: the restriction holds for the whole process.
#include "hooks/win32/win32_hook_module.h"
#include "platform/win32/system_libraries.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace tw::win32 {
namespace {

// Built beside this test, so the default search finds it in the program's folder.
const wchar_t kBesideTheProgram[] = L"hooks_incomplete_dll.dll";

bool LoadsByBareName(const wchar_t* name) {
    HMODULE module = LoadLibraryW(name);
    if (module) {
        FreeLibrary(module);
    }
    return module != nullptr;
}

TEST(DllSearch, SystemLibrariesComeFromTheSystemFolderAndThePlantedOnesFromNowhere) {
    ASSERT_TRUE(LoadsByBareName(kBesideTheProgram))
        << "without a findable plant this proves nothing";
    EXPECT_EQ(LoadSystemLibrary(kBesideTheProgram), nullptr);
    HMODULE richEdit = LoadSystemLibrary(L"Msftedit.dll");
    EXPECT_NE(richEdit, nullptr);
    FreeLibrary(richEdit);

    ASSERT_TRUE(RestrictDllSearchToSystem());
    EXPECT_FALSE(LoadsByBareName(kBesideTheProgram));
    EXPECT_TRUE(LoadsByBareName(L"Msftedit.dll"));
    Win32HookModule hooks; // the program's folder, by full path
    const HookModule keybDll = hooks.Load("KeybDll");
    EXPECT_NE(keybDll, HookModule{}) << "error " << hooks.LastErrorCode();
    if (keybDll) {
        hooks.Unload(keybDll);
    }
}

} // namespace
} // namespace tw::win32
