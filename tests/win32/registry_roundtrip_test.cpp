// Proves the Windows tier: the real registry of the test prefix, reached through Wine.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

const wchar_t* const kTestKey = L"Software\\TextwrightTests\\Roundtrip";

class RegistryRoundtrip : public ::testing::Test {
protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TextwrightTests"); }
};

TEST_F(RegistryRoundtrip, DwordAndStringValuesSurviveReopeningTheKey) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    DWORD number = 0x12345678;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, L"Number", 0, REG_DWORD,
                                            reinterpret_cast<const BYTE*>(&number), sizeof number));
    const wchar_t text[] = L"M\u00fcller";
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, L"Text", 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(text), sizeof text));
    RegCloseKey(key);

    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, &key));
    DWORD type = 0, read = 0, size = sizeof read;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"Number", nullptr, &type,
                                              reinterpret_cast<BYTE*>(&read), &size));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(number, read);
    wchar_t back[32] = {};
    size = sizeof back;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"Text", nullptr, &type,
                                              reinterpret_cast<BYTE*>(back), &size));
    EXPECT_STREQ(text, back);
    RegCloseKey(key);
}

} // namespace
