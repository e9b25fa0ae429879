// The hook library is always loaded by full path from the program's folder.
#include "hooks/hook_library_path.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(HookLibraryPath, RelativeNamesResolveInTheProgramFolder) {
    const std::pair<const char*, const char*> cases[] = {
        {"KeybDll", "C:\\Prog\\KeybDll"},
        {"KeybDll.dll", "C:\\Prog\\KeybDll.dll"},
        {"sub\\KeybDll.dll", "C:\\Prog\\sub\\KeybDll.dll"},
        {"C:KeybDll.dll", "C:\\Prog\\KeybDll.dll"}, // drive-relative: never the drive's folder
        {"C:\\Other\\KeybDll.dll", "C:\\Other\\KeybDll.dll"},
        {"d:/other/KeybDll.dll", "d:/other/KeybDll.dll"},
        {"\\\\server\\share\\KeybDll.dll", "\\\\server\\share\\KeybDll.dll"},
        {"", "C:\\Prog\\"},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(expected, HookLibraryPath("C:\\Prog\\", name)) << name;
        EXPECT_EQ(expected, HookLibraryPath("C:\\Prog", name)) << name;
    }
}

} // namespace
} // namespace tw
