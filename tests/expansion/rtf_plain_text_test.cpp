#include "expansion/rtf_plain_text.h"
#include "expansion/rtf_scanner.h"
#include "rtf_test_support.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(RtfToPlainText, ReadsTheDocumentTextOnly) {
    const struct {
        const char* body;
        const char* text;
    } cases[] = {
        {"Hello {\\b bold} world", "Hello bold world"},
        {"one\\par two\\line three\\tab four", "one\r\ntwo\r\nthree\tfour"},
        {"\\'e9t\\'e9 \\{x\\} a\\\\b", "\xe9t\xe9 {x} a\\b"},
        {"\\u233?t\\u8364?", "\xe9t?"},
        {"{\\uc2\\u8364ab}c", "abc"},
        {"{\\uc0\\u8364}c", "c"},
        {"\\ldblquote x\\rdblquote  \\emdash", "\x93x\x94 \x97"},
        {"a\\~b\\-c\\_d", "a\xa0"
                          "bc-d"},
        {"{\\*\\unknown hidden}shown", "shown"},
        {"x{\\pict\\wmetafile8 0102}y", "xy"},
        {"split\r\nsource", "splitsource"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        EXPECT_EQ(RtfToPlainText(testing::RtfDocument(c.body)), std::string(c.text) + "\r\n");
    }
}

TEST(RtfToPlainText, NonRtfIsReturnedAsItIs) {
    EXPECT_EQ(RtfToPlainText("plain {text} \\par"), "plain {text} \\par");
    EXPECT_EQ(RtfToPlainText(""), "");
}

TEST(IsBalancedRtf, CountsOnlyRealBraces) {
    EXPECT_TRUE(IsBalancedRtf("{\\rtf1 a\\{b}"));
    EXPECT_TRUE(IsBalancedRtf("{\\rtf1 {\\bin2 }}}}"));
    EXPECT_FALSE(IsBalancedRtf("{\\rtf1 a\\}"));
    EXPECT_FALSE(IsBalancedRtf("{\\rtf1 a}}"));
    EXPECT_FALSE(IsBalancedRtf("}{"));
}

TEST(RtfScanner, TokensCoverEverySourceByteInOrder) {
    const std::string doc = testing::RtfDocument("a{\\b b}\\'e9\\u8364?\\bin3 x}y z\\");
    RtfScanner scanner(doc);
    std::size_t at = 0;
    int texts = 0;
    for (RtfToken t = scanner.Next(); t.kind != RtfTokenKind::End; t = scanner.Next()) {
        ASSERT_EQ(t.begin, at);
        ASSERT_GT(t.end, t.begin);
        at = t.end;
        texts += t.inText ? 1 : 0;
    }
    EXPECT_EQ(at, doc.size());
    EXPECT_GT(texts, 3);
}

} // namespace
} // namespace tw
