#pragma once
// What every RawRegistry must do, run over the in-memory registry natively and over the real one
// under Wine: the settings tests trust the fake only as far as both pass the same cases.
//
// Instantiate with a Subject that has `RawRegistry& Registry()` and `std::string Root()`, a key
// path the subject keeps empty for the test and removes afterwards.
#include "platform/raw_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw::testing {

template <class Subject> class RegistryContract : public ::testing::Test {
protected:
    Subject subject;
    RawRegistry& reg = subject.Registry();
    const std::string root = subject.Root();
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, KeysAreMadeWithTheirParentsAndOnlyByCreateKey) {
    RawRegistry& reg = this->reg;
    const std::string deep = this->root + "\\One\\Two";
    EXPECT_FALSE(reg.KeyExists(deep));
    EXPECT_FALSE(reg.Write(deep, "V", RegValue{RegType::Integer, {1, 0, 0, 0}}));
    EXPECT_FALSE(reg.KeyExists(deep)) << "a write never creates its key";
    reg.Remove(deep, "V"); // an absent key is not an error
    ASSERT_TRUE(reg.CreateKey(deep));
    EXPECT_TRUE(reg.KeyExists(deep));
    EXPECT_TRUE(reg.KeyExists(this->root + "\\one")) << "parents exist, and case does not count";
    EXPECT_FALSE(reg.KeyExists(this->root + "\\Two"));
    EXPECT_TRUE(reg.CreateKey(deep)) << "creating an existing key succeeds";
}

TYPED_TEST_P(RegistryContract, ValuesComeBackAsWrittenUnderAnyCaseOfTheirName) {
    RawRegistry& reg = this->reg;
    const std::string key = this->root;
    ASSERT_TRUE(reg.CreateKey(key));
    const std::string utf8 = "C:\\\xC5\x81ukasz \xE4\xB8\xAD\xE6\x96\x87";
    const struct {
        const char* name;
        RegValue value;
    } cases[] = {
        {"Integer", {RegType::Integer, {0x78, 0x56, 0x34, 0x12}}},
        {"Binary", {RegType::Binary, {1, 2, 3, 0, 255}}},
        {"EmptyBinary", {RegType::Binary, {}}},
        {"Text", {RegType::String, {utf8.begin(), utf8.end()}}},
        {"EmptyText", {RegType::String, {}}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(reg.Write(key, c.name, c.value)) << c.name;
    }
    for (const auto& c : cases) {
        std::string shouted = c.name;
        for (char& ch : shouted) {
            ch = static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
        }
        const auto read = reg.Read(key, shouted);
        ASSERT_TRUE(read) << c.name;
        EXPECT_EQ(c.value.type, read->type) << c.name;
        EXPECT_EQ(c.value.data, read->data) << c.name;
        EXPECT_FALSE(read->tooLarge) << c.name;
    }
    EXPECT_FALSE(reg.Read(key, "Absent"));
    EXPECT_FALSE(reg.Read(key + "\\Missing", "Integer"));
}

TYPED_TEST_P(RegistryContract, AnOverwriteReplacesTypeAndDataAndRemoveIsIdempotent) {
    RawRegistry& reg = this->reg;
    const std::string key = this->root;
    ASSERT_TRUE(reg.CreateKey(key));
    ASSERT_TRUE(reg.Write(key, "V", RegValue{RegType::Binary, {9, 9, 9, 9, 9, 9, 9, 9}}));
    ASSERT_TRUE(reg.Write(key, "v", RegValue{RegType::Integer, {1, 0, 0, 0}}));
    const auto read = reg.Read(key, "V");
    ASSERT_TRUE(read);
    EXPECT_EQ(RegType::Integer, read->type);
    EXPECT_EQ((std::vector<std::uint8_t>{1, 0, 0, 0}), read->data);
    reg.Remove(key, "V");
    EXPECT_FALSE(reg.Read(key, "v"));
    reg.Remove(key, "V");
    EXPECT_TRUE(reg.KeyExists(key)) << "removing values leaves the key";
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, KeysAreMadeWithTheirParentsAndOnlyByCreateKey,
                            ValuesComeBackAsWrittenUnderAnyCaseOfTheirName,
                            AnOverwriteReplacesTypeAndDataAndRemoveIsIdempotent);

} // namespace tw::testing
