// Defaults written at start and the on/off rule of integer settings.
#include "settings/reg_proc.h"
#include "app/settings.h"
#include "fakes/fake_registry.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(EnsureDefaultSettings, FirstStartCreatesTheKeyWithFourDwords) {
    fakes::FakeRegistry reg;
    EnsureDefaultSettings(reg);
    ASSERT_TRUE(reg.KeyExists(kSettingsKey));
    EXPECT_EQ(4u, reg.ValueCount(kSettingsKey)) << "no binary values on a first start";
    const std::pair<const char*, int> expected[] = {
        {"ShowTips", 1}, {"ShowMacroIns", 1}, {"AlwaysOnTop", 0}, {"EditMode", 1}};
    for (const auto& [name, value] : expected) {
        const auto stored = reg.Read(kSettingsKey, name);
        ASSERT_TRUE(stored) << name;
        EXPECT_EQ(RegType::Integer, stored->type) << name;
        EXPECT_EQ(value, RegReadInteger(reg, kSettingsKey, name)) << name;
    }
}

TEST(EnsureDefaultSettings, RecreatesOnlyMissingValues) {
    fakes::FakeRegistry reg;
    EnsureDefaultSettings(reg);
    reg.Remove(kSettingsKey, "ShowTips");
    RegWriteInteger(reg, kSettingsKey, "ShowMacroIns", 5);
    RegWriteInteger(reg, kSettingsKey, "EditMode", 0);
    EnsureDefaultSettings(reg);
    EXPECT_EQ(1, RegReadInteger(reg, kSettingsKey, "ShowTips"));
    EXPECT_EQ(5, RegReadInteger(reg, kSettingsKey, "ShowMacroIns"));
    EXPECT_EQ(0, RegReadInteger(reg, kSettingsKey, "EditMode"));
}

TEST(EnsureDefaultSettings, KeepsAnIntegerStoredAsBinary) {
    fakes::FakeRegistry reg;
    reg.CreateKey(kSettingsKey);
    reg.Write(kSettingsKey, "AlwaysOnTop", RegValue{RegType::Binary, {1, 0, 0, 0}});
    EnsureDefaultSettings(reg);
    EXPECT_EQ(RegType::Binary, reg.Read(kSettingsKey, "AlwaysOnTop")->type);
    EXPECT_TRUE(SettingIsOn(reg, "AlwaysOnTop"));
}

TEST(EnsureDefaultSettings, AnUnwritableRegistryIsSilent) {
    fakes::FakeRegistry reg;
    reg.failWrites = true;
    EnsureDefaultSettings(reg);
    EXPECT_FALSE(reg.KeyExists(kSettingsKey));
    EXPECT_FALSE(SettingIsOn(reg, "ShowTips")) << "readers fall back to 0";
}

TEST(SettingIsOn, OnlyOneCountsAsOn) {
    fakes::FakeRegistry reg;
    EnsureDefaultSettings(reg);
    const std::pair<int, bool> cases[] = {{1, true}, {0, false}, {5, false}, {-1, false}};
    for (const auto& [stored, on] : cases) {
        RegWriteInteger(reg, kSettingsKey, "ShowTips", stored);
        EXPECT_EQ(on, SettingIsOn(reg, "ShowTips")) << stored;
    }
    reg.Write(kSettingsKey, "ShowTips", RegValue{RegType::String, {'1'}});
    EXPECT_FALSE(SettingIsOn(reg, "ShowTips"));
}

TEST(AutorunCommand, QuotesThePathSoSpacesCannotStartAnotherProgram) {
    EXPECT_EQ("\"C:\\Program Files\\Textwright\\Textwright.exe\" -hidden",
              AutorunCommand("C:\\Program Files\\Textwright\\Textwright.exe"));
}

} // namespace
} // namespace tw
