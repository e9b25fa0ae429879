// The registry adapter against the real registry of the test prefix, and the settings rules on
// top of it.
#include "settings/reg_proc.h"
#include "app/settings.h"
#include "app/win32/win32_registry.h"
#include "fakes/registry_contract.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace tw::win32 {
namespace {

const char* const kKey = "Software\\TextwrightTests\\Adapter";

class RegistryAdapter : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TextwrightTests"); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TextwrightTests"); }

    // Writes a value behind the adapter's back, with the real API.
    static void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\TextwrightTests\\Adapter", 0,
                                  nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size));
        RegCloseKey(key);
    }
    static DWORD RawType(const wchar_t* name) {
        DWORD type = 0;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\TextwrightTests\\Adapter", 0, KEY_READ,
                          &key) != ERROR_SUCCESS) {
            return REG_NONE;
        }
        if (RegQueryValueExW(key, name, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) {
            type = REG_NONE;
        }
        RegCloseKey(key);
        return type;
    }

    Win32Registry reg;
};

// The same cases the in-memory registry passes, over the test prefix's real hive.
struct RealHive {
    RealHive() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TextwrightTests"); }
    ~RealHive() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TextwrightTests"); }
    Win32Registry registry;
    RawRegistry& Registry() { return registry; }
    std::string Root() const { return "Software\\TextwrightTests\\Contract"; }
};
} // namespace
} // namespace tw::win32

namespace tw::testing {
INSTANTIATE_TYPED_TEST_SUITE_P(Real, RegistryContract, win32::RealHive);
} // namespace tw::testing

namespace tw::win32 {
namespace {

TEST_F(RegistryAdapter, ValuesLandWithTheNativeTypesAndWideText) {
    ASSERT_TRUE(reg.CreateKey(kKey));
    ASSERT_TRUE(reg.Write(kKey, "D", RegValue{RegType::Integer, {0x78, 0x56, 0x34, 0x12}}));
    ASSERT_TRUE(reg.Write(kKey, "B", RegValue{RegType::Binary, {1, 2, 3}}));
    // The autorun command names the program's path, whatever characters it holds.
    const std::string command = AutorunCommand("C:\\\xC5\x81ukasz \xE4\xB8\xAD\xE6\x96\x87\\T.exe");
    ASSERT_TRUE(reg.Write(kKey, "S", RegValue{RegType::String, {command.begin(), command.end()}}));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), RawType(L"D"));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), RawType(L"B"));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), RawType(L"S"));

    EXPECT_EQ(0x12345678, RegReadInteger(reg, kKey, "D"));
    const auto b = reg.Read(kKey, "B");
    ASSERT_TRUE(b);
    EXPECT_EQ(RegType::Binary, b->type);
    EXPECT_EQ((std::vector<std::uint8_t>{1, 2, 3}), b->data);
    EXPECT_EQ(command, RegReadString(reg, kKey, "S"));
    wchar_t raw[64] = {};
    DWORD size = sizeof raw;
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, L"Software\\TextwrightTests\\Adapter",
                                          L"S", RRF_RT_REG_SZ, nullptr, raw, &size));
    EXPECT_STREQ(L"\"C:\\\x0141ukasz \x4E2D\x6587\\T.exe\" -hidden", raw);
}

TEST_F(RegistryAdapter, ForeignTypesAndOddSizesReadSafely) {
    const wchar_t multi[] = L"one\0two\0";
    SetRaw(L"Multi", REG_MULTI_SZ, multi, sizeof multi);
    const BYTE shortDword[2] = {1, 0};
    SetRaw(L"ShortDword", REG_DWORD, shortDword, sizeof shortDword);
    const BYTE bin8[8] = {1, 0, 0, 0, 2, 0, 0, 0};
    SetRaw(L"Bin8", REG_BINARY, bin8, sizeof bin8);
    const wchar_t noTerminator[] = {L'x', L'y'};
    SetRaw(L"Unterminated", REG_SZ, noTerminator, sizeof noTerminator);
    const BYTE bin4[4] = {5, 0, 0, 0};
    SetRaw(L"Bin4", REG_BINARY, bin4, sizeof bin4);

    EXPECT_EQ(0, RegReadInteger(reg, kKey, "Multi"));
    EXPECT_EQ("", RegReadString(reg, kKey, "Multi"));
    EXPECT_EQ(0, RegReadInteger(reg, kKey, "ShortDword"));
    EXPECT_EQ(0, RegReadInteger(reg, kKey, "Bin8"));
    EXPECT_EQ("xy", RegReadString(reg, kKey, "Unterminated"));
    EXPECT_EQ(5, RegReadInteger(reg, kKey, "Bin4"));

    // An integer stored as binary is rewritten as binary; a foreign type is left alone.
    EXPECT_TRUE(RegWriteInteger(reg, kKey, "Bin4", 1));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), RawType(L"Bin4"));
    EXPECT_EQ(1, RegReadInteger(reg, kKey, "Bin4"));
    EXPECT_TRUE(RegWriteInteger(reg, kKey, "Multi", 1));
    EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), RawType(L"Multi"));
}

TEST_F(RegistryAdapter, AHugeValueIsNotLoaded) {
    std::vector<BYTE> huge(Win32Registry::kMaxValueBytes + 16, 7);
    SetRaw(L"Huge", REG_BINARY, huge.data(), static_cast<DWORD>(huge.size()));
    const auto v = reg.Read(kKey, "Huge");
    ASSERT_TRUE(v) << "it exists";
    EXPECT_TRUE(v->data.empty());
    std::uint8_t buffer[4] = {};
    EXPECT_FALSE(RegReadBinary(reg, kKey, "Huge", sizeof buffer, buffer));
}

TEST_F(RegistryAdapter, DefaultSettingsLandAsDwords) {
    // The real settings key of the test prefix: the program's first start does the same.
    RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Kolvenmark\\Textwright 2");
    EnsureDefaultSettings(reg);
    for (const char* name : {kShowTips, kShowMacroIns, kAlwaysOnTop, kEditMode}) {
        const auto v = reg.Read(kSettingsKey, name);
        ASSERT_TRUE(v) << name;
        EXPECT_EQ(RegType::Integer, v->type) << name;
    }
    EXPECT_TRUE(SettingIsOn(reg, kShowTips));
    EXPECT_FALSE(SettingIsOn(reg, kAlwaysOnTop));
    RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Kolvenmark");
}

} // namespace
} // namespace tw::win32
