// The type rules of the settings access functions, over an in-memory registry.
#include "settings/reg_proc.h"
#include "fakes/fake_registry.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

namespace tw {
namespace {

const std::string kKey = "SOFTWARE\\Test";

RegValue Dword(std::uint32_t v) {
    return {RegType::Integer,
            {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)}};
}
RegValue Binary(std::vector<std::uint8_t> bytes) {
    return {RegType::Binary, std::move(bytes)};
}
RegValue String(const std::string& s) {
    return {RegType::String, {s.begin(), s.end()}};
}

class RegProc : public ::testing::Test {
protected:
    void SetUp() override { reg.CreateKey(kKey); }
    fakes::FakeRegistry reg;
};

struct IntegerCase {
    const char* what;
    std::optional<RegValue> stored;
    std::int32_t expected;
};

TEST_F(RegProc, ReadIntegerFollowsTheStoredType) {
    const IntegerCase cases[] = {
        {"dword", Dword(7), 7},
        {"negative dword", Dword(0xFFFFFFFEu), -2},
        {"4-byte binary is little-endian", Binary({0x01, 0x02, 0x00, 0x00}), 0x0201},
        {"3-byte binary is absent", Binary({1, 2, 3}), 0},
        {"8-byte binary is absent", Binary({1, 0, 0, 0, 5, 5, 5, 5}), 0},
        {"string", String("1"), 0},
        {"other type", RegValue{RegType::Other, {1, 0, 0, 0}}, 0},
        {"absent", std::nullopt, 0},
    };
    for (const auto& c : cases) {
        reg.Remove(kKey, "V");
        if (c.stored) {
            reg.Write(kKey, "V", *c.stored);
        }
        EXPECT_EQ(c.expected, RegReadInteger(reg, kKey, "V")) << c.what;
    }
    EXPECT_EQ(0, RegReadInteger(reg, "SOFTWARE\\Missing", "V"));
}

TEST_F(RegProc, ReadBinaryReadsAtMostTheBufferAndSaysHowMuch) {
    const struct {
        const char* what;
        std::optional<RegValue> stored;
        bool read;
        std::size_t bytesRead;
        std::array<std::uint8_t, 4> buffer; // after the read, starting from AA AA AA AA
    } cases[] = {
        {"exact", Binary({1, 2, 3, 4}), true, 4, {1, 2, 3, 4}},
        {"shorter", Binary({1, 2}), true, 2, {1, 2, 0xAA, 0xAA}},
        {"empty", Binary({}), true, 0, {0xAA, 0xAA, 0xAA, 0xAA}},
        {"longer is not read", Binary({1, 2, 3, 4, 5}), false, 99, {0xAA, 0xAA, 0xAA, 0xAA}},
        {"too large to load",
         RegValue{RegType::Binary, {}, true},
         false,
         99,
         {0xAA, 0xAA, 0xAA, 0xAA}},
        {"dword", Dword(9), false, 99, {0xAA, 0xAA, 0xAA, 0xAA}},
        {"absent", std::nullopt, false, 99, {0xAA, 0xAA, 0xAA, 0xAA}},
    };
    for (const auto& c : cases) {
        reg.Remove(kKey, "V");
        if (c.stored) {
            reg.Write(kKey, "V", *c.stored);
        }
        std::array<std::uint8_t, 4> buf{0xAA, 0xAA, 0xAA, 0xAA};
        std::size_t got = 99;
        EXPECT_EQ(c.read, RegReadBinary(reg, kKey, "V", buf.size(), buf.data(), &got)) << c.what;
        EXPECT_EQ(c.bytesRead, got) << c.what;
        EXPECT_EQ(c.buffer, buf) << c.what;
    }
}

TEST_F(RegProc, ReadStringGivesEmptyForAnythingButAString) {
    reg.Write(kKey, "S", String("C:\\x y\\T.exe -hidden"));
    reg.Write(kKey, "D", Dword(1));
    EXPECT_EQ("C:\\x y\\T.exe -hidden", RegReadString(reg, kKey, "S"));
    EXPECT_EQ("", RegReadString(reg, kKey, "D"));
    EXPECT_EQ("", RegReadString(reg, kKey, "Absent"));
    EXPECT_EQ("", RegReadString(reg, "SOFTWARE\\Missing", "S"));
}

TEST_F(RegProc, WriteIntegerKeepsTheStoredType) {
    EXPECT_TRUE(RegWriteInteger(reg, kKey, "New", 5));
    EXPECT_EQ(Dword(5).data, reg.Read(kKey, "New")->data);
    EXPECT_EQ(RegType::Integer, reg.Read(kKey, "New")->type);

    reg.Write(kKey, "Bin", Binary({9, 9, 9, 9}));
    EXPECT_TRUE(RegWriteInteger(reg, kKey, "Bin", 0x01020304));
    EXPECT_EQ(RegType::Binary, reg.Read(kKey, "Bin")->type);
    EXPECT_EQ((std::vector<std::uint8_t>{4, 3, 2, 1}), reg.Read(kKey, "Bin")->data);
    EXPECT_EQ(0x01020304, RegReadInteger(reg, kKey, "Bin"));

    reg.Write(kKey, "Str", String("keep"));
    EXPECT_TRUE(RegWriteInteger(reg, kKey, "Str", 1)) << "the key was opened";
    EXPECT_EQ("keep", RegReadString(reg, kKey, "Str"));
}

TEST_F(RegProc, WritersNeverCreateKeys) {
    const std::string missing = "SOFTWARE\\Missing";
    const std::uint8_t bytes[2] = {1, 2};
    EXPECT_FALSE(RegWriteInteger(reg, missing, "V", 1));
    EXPECT_FALSE(RegWriteString(reg, missing, "V", "x"));
    EXPECT_FALSE(RegWriteBinary(reg, missing, "V", sizeof bytes, bytes));
    EXPECT_FALSE(reg.KeyExists(missing));
    RegRemoveValue(reg, missing, "V"); // no error
    EXPECT_FALSE(reg.KeyExists(missing));
}

TEST_F(RegProc, WriteBinaryRefusesAValueOfAnotherType) {
    const std::uint8_t bytes[3] = {1, 2, 3};
    EXPECT_TRUE(RegWriteBinary(reg, kKey, "B", sizeof bytes, bytes));
    EXPECT_EQ((std::vector<std::uint8_t>{1, 2, 3}), reg.Read(kKey, "B")->data);
    reg.Write(kKey, "D", Dword(4));
    EXPECT_FALSE(RegWriteBinary(reg, kKey, "D", sizeof bytes, bytes));
    EXPECT_EQ(4, RegReadInteger(reg, kKey, "D"));
}

TEST_F(RegProc, KeysAndValuesExistAndGo) {
    const std::string deep = "SOFTWARE\\A\\B\\C";
    EXPECT_FALSE(RegKeyExists(reg, deep));
    EXPECT_TRUE(RegEnsureKey(reg, deep));
    EXPECT_TRUE(RegKeyExists(reg, deep));
    EXPECT_TRUE(RegEnsureKey(reg, deep)) << "an existing key is fine";

    EXPECT_FALSE(RegValueExists(reg, kKey, "V"));
    EXPECT_FALSE(RegValueExists(reg, "SOFTWARE\\Missing", "V"));
    RegWriteString(reg, kKey, "V", "");
    EXPECT_TRUE(RegValueExists(reg, kKey, "V")) << "an empty string still exists";
    RegRemoveValue(reg, kKey, "V");
    EXPECT_FALSE(RegValueExists(reg, kKey, "V"));
    RegRemoveValue(reg, kKey, "V"); // absent: no error
}

TEST_F(RegProc, EnsureKeyReportsAFailedCreation) {
    reg.failWrites = true;
    EXPECT_FALSE(RegEnsureKey(reg, "SOFTWARE\\New"));
    EXPECT_TRUE(RegEnsureKey(reg, kKey));
}

} // namespace
} // namespace tw
