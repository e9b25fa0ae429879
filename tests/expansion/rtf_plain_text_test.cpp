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
        {"\\'e9t\\'e9 \\{x\\} a\\\\b \\'80\\'93\x85",
         "\xc3\xa9t\xc3\xa9 {x} a\\b \xe2\x82\xac\xe2\x80\x9c\xe2\x80\xa6"},
        {"\\u233?t\\u8364?", "\xc3\xa9t\xe2\x82\xac"},
        {"{\\uc2\\u8364ab}c", "\xe2\x82\xac"
                              "c"},
        {"{\\uc0\\u8364}c", "\xe2\x82\xac"
                            "c"},
        {"\\u-10179?\\u-9139?|\\u-10179?|\\u-9139?", "\xf0\x9f\x91\x8d|\xef\xbf\xbd|\xef\xbf\xbd"},
        {"\\u-10179?\r\n\\u-9139?", "\xf0\x9f\x91\x8d"},
        {"\\ldblquote x\\rdblquote  \\emdash", "\xe2\x80\x9cx\xe2\x80\x9d \xe2\x80\x94"},
        {"a\\~b\\-c\\_d", "a\xc2\xa0"
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

TEST(RtfToPlainText, DecodesInTheDocumentsCodePage) {
    const struct {
        const char* source;
        const char* text;
    } cases[] = {
        {"{\\rtf1\\ansi\\ansicpg1250 \\'a3ukasz \\'9f}", "\xc5\x81ukasz \xc5\xba"},
        {"{\\rtf1\\ansi\\ansicpg1251 \\'cc\\'ee\xf1}", "\xd0\x9c\xd0\xbe\xd1\x81"},
        {"{\\rtf1\\ansi \\'a3}", "\xc2\xa3"},
        {"{\\rtf1\\ansi\\ansicpg932 \\'93\\u26085?}", "\xef\xbf\xbd\xe6\x97\xa5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RtfToPlainText(c.source), c.text) << c.source;
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
