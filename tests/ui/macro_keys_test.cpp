// The key tables shared by the Macro field and the typed-macro recogniser, and KeyTable.
#include "delivery/macro_keys.h"
#include "ui/key_table.h"

#include <gtest/gtest.h>

#include <set>

namespace tw {
namespace {

TEST(MacroKeys, EachKeyTypesItsPlainAndShiftedCharacter) {
    struct Case {
        unsigned vk;
        char plain, shifted;
    };
    const Case cases[] = {{0x31, '1', '!'}, {0x32, '2', '@'}, {0x39, '9', '('},  {0x30, '0', ')'},
                          {0x41, 'a', 'A'}, {0x5A, 'z', 'Z'}, {0xBC, ',', '<'},  {0xBE, '.', '>'},
                          {0xBA, ';', ':'}, {0xBB, '=', '+'}, {0xBD, '-', '_'},  {0xBF, '/', '?'},
                          {0xC0, '`', '~'}, {0xDB, '[', '{'}, {0xDC, '\\', '|'}, {0xDD, ']', '}'},
                          {0xDE, '\'', '"'}};
    for (const Case& c : cases) {
        const int i = MacroKeyIndex(c.vk);
        ASSERT_GE(i, 0) << c.vk;
        EXPECT_EQ(MacroCharsPlain[static_cast<std::size_t>(i)], c.plain) << c.vk;
        EXPECT_EQ(MacroCharsShifted[static_cast<std::size_t>(i)], c.shifted) << c.vk;
    }
    EXPECT_EQ(MacroKeyIndex(0x20), -1); // Space
    EXPECT_EQ(MacroKeyIndex(0x0D), -1); // Enter
}

TEST(MacroKeys, TablesHoldNoCharacterTwice) {
    std::set<char> seen(MacroCharsPlain.begin(), MacroCharsPlain.end());
    seen.insert(MacroCharsShifted.begin(), MacroCharsShifted.end());
    EXPECT_EQ(seen.size(), 2u * kMacroKeyCount);
    std::set<unsigned> codes(MacroKeyCodes.begin(), MacroKeyCodes.end());
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(kMacroKeyCount));
    for (char c : {' ', '\t', '\r', '\0', '\x7F', '\xE9'}) {
        EXPECT_FALSE(IsMacroChar(c)) << int(c);
    }
}

TEST(KeyTableOrder, LettersThenDigits) {
    EXPECT_EQ(kKeyTableSize, 36);
    EXPECT_EQ(KeyTableChar(0), 'A');
    EXPECT_EQ(KeyTableChar(25), 'Z');
    EXPECT_EQ(KeyTableChar(26), '0');
    EXPECT_EQ(KeyTableChar(35), '9');
    EXPECT_EQ(KeyTableChar(36), '\0');
    EXPECT_EQ(KeyTableChar(-1), '\0');
    EXPECT_EQ(KeyTableIndexOf('q'), KeyTableIndexOf('Q'));
    EXPECT_EQ(KeyTableIndexOf('!'), -1);
    EXPECT_EQ(KeyTableIndexOf('\0'), -1);
}

} // namespace
} // namespace tw
