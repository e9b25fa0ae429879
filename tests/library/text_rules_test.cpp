// The small text rules of the library: collation, hot-key codes, index lines, line splitting.
#include "library/collation.h"
#include "library/hot_key.h"
#include "library/index_line.h"
#include "library/text_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tw {
namespace {

TEST(Collation, SortsDigitsBeforeLettersAndIgnoresAsciiCase) {
    std::vector<std::string> texts = {"b",    "A", "10",        "_x", "a",
                                      "Zeta", "9", "\xE9t\xE9", "(p", "ab"};
    std::stable_sort(texts.begin(), texts.end(), IndexTextLess());
    EXPECT_EQ(texts, (std::vector<std::string>{"(p", "10", "9", "_x", "A", "a", "ab", "b", "Zeta",
                                               "\xE9t\xE9"}));
}

TEST(Collation, IsAConsistentStrictWeakOrdering) {
    const std::vector<std::string> texts = {"",   "a",   "A",   "ab",   "aB(",    "a(",
                                            "0",  "_",   "[",   "\x80", "\xFF",   "z",
                                            "Z1", "sig", "Sig", "si",   "sig(x)", "\x01"};
    for (const auto& a : texts) {
        EXPECT_EQ(CompareIndexText(a, a), 0);
        for (const auto& b : texts) {
            EXPECT_EQ(CompareIndexText(a, b), -CompareIndexText(b, a)) << a << " / " << b;
            EXPECT_EQ(CompareIndexText(a, b) == 0, SameTextAscii(a, b)) << a << " / " << b;
            for (const auto& c : texts) {
                if (CompareIndexText(a, b) < 0 && CompareIndexText(b, c) < 0) {
                    EXPECT_LT(CompareIndexText(a, c), 0) << a << " / " << b << " / " << c;
                }
            }
        }
    }
}

TEST(HotKey, EncodesDecodesAndShowsCodes) {
    EXPECT_EQ(EncodeHotKey(false, 'q'), "0Q");
    EXPECT_EQ(EncodeHotKey(true, '7'), "17");
    const DecodedHotKey d = DecodeHotKey("1q");
    EXPECT_TRUE(d.shift);
    EXPECT_EQ(d.key, 'Q');
    EXPECT_FALSE(DecodeHotKey("0A").shift);
    EXPECT_EQ(HotKeyText("0A"), "<CTRL>+<ALT>+A");
    EXPECT_EQ(HotKeyText("17"), "<CTRL>+<ALT>+<SHIFT>+7");
    EXPECT_EQ(HotKeyText("1b"), "<CTRL>+<ALT>+<SHIFT>+B");
    EXPECT_EQ(HotKeyText("1"), "<CTRL>+<ALT>+<SHIFT>+");
}

TEST(HotKey, CodesSortPlainBeforeShiftDigitsBeforeLetters) {
    std::vector<std::string> codes = {"1B", "0Z", "05", "0A"};
    std::sort(codes.begin(), codes.end(), IndexTextLess());
    std::vector<std::string> shown;
    for (const auto& c : codes) {
        shown.push_back(HotKeyText(c));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"<CTRL>+<ALT>+5", "<CTRL>+<ALT>+A", "<CTRL>+<ALT>+Z",
                                               "<CTRL>+<ALT>+<SHIFT>+B"}));
}

TEST(IndexLine, SplitsAtFirstUnderscoreAndFirstQuestionMark) {
    struct Case {
        std::string line, kind, id, name;
    };
    const Case cases[] = {
        {"REPLY_7?Hello?world", "REPLY_", "7", "Hello?world"},
        {"FOLDER_3?Customers_new", "FOLDER_", "3", "Customers_new"},
        {"reply_7?Hello", "reply_", "7", "Hello"},
        {"FOLDER_12", "FOLDER_", "", ""},
        {"FOLDER_?x", "FOLDER_", "", "x"},
        {"NOTE_1?x", "NOTE_", "1", "x"},
        {"no kind?x", "", "", "x"},
        {"A?b_c", "A?b_", "", "b_c"},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        const IndexLine parts = SplitIndexLine(c.line);
        EXPECT_EQ(parts.kind, c.kind) << c.line;
        EXPECT_EQ(parts.id, c.id) << c.line;
        EXPECT_EQ(parts.name, c.name) << c.line;
    }
    EXPECT_EQ(MakeIndexLine("REPLY_", "12", "Thank you note"), "REPLY_12?Thank you note");
}

TEST(IndexLine, AcceptsOnlyPlainPositiveNumbersAsIds) {
    const std::pair<const char*, bool> cases[] = {
        {"1", true},      {"12", true},  {"007", true},  {"999999999", true},
        {"", false},      {"0", false},  {"000", false}, {"1234567890", false},
        {"..", false},    {"-1", false}, {"+1", false},  {"1/..", false},
        {"..\\1", false}, {"1a", false}, {" 1", false},  {"C:1", false},
    };
    for (const auto& [id, valid] : cases) {
        EXPECT_EQ(IsValidId(id), valid) << id;
    }
    EXPECT_TRUE(IsValidReplyFileName("12.rep"));
    EXPECT_FALSE(IsValidReplyFileName(".rep"));
    EXPECT_FALSE(IsValidReplyFileName("../1.rep"));
    EXPECT_FALSE(IsValidReplyFileName("1.txt"));
}

TEST(IndexLine, NameWithoutExtensionLooksAtTheLastSeparatorOrDot) {
    EXPECT_EQ(NameWithoutExtension("12.rep"), "12");
    EXPECT_EQ(NameWithoutExtension("12"), "12");
    EXPECT_EQ(NameWithoutExtension("a.b.rep"), "a.b");
    EXPECT_EQ(NameWithoutExtension("a.b\\c"), "a.b\\c");
}

TEST(TextLines, SplitsAtAnyLineEndAndKeepsALastUnendedLine) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"\r\n\r\n", {"", ""}},
        {"a\rb\nc\r\n\n", {"a", "b", "c", ""}},
        {"\n\r", {"", ""}},
        {std::string("x\0y\r\n", 5), {std::string("x\0y", 3)}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitLines(c.text), c.lines);
        for (std::size_t most = 0; most <= c.lines.size(); ++most) {
            EXPECT_EQ(SplitLines(c.text, most),
                      std::vector<std::string>(c.lines.begin(), c.lines.begin() + most));
        }
    }
    EXPECT_EQ(JoinLines({"", "", "x"}), "\r\n\r\nx\r\n");
    EXPECT_EQ(JoinLines({}), "");
}

} // namespace
} // namespace tw
