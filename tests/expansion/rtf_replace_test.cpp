#include "expansion/placeholders.h"
#include "expansion/rtf_plain_text.h"
#include "expansion/rtf_replace.h"
#include "expansion/rtf_scanner.h"
#include "rtf_test_support.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using testing::RtfDocument;

const char kSep = kValueSeparator;

// The document text of the expanded reply, without the final paragraph mark.
std::string Expanded(const std::string& body, const std::string& names, const std::string& values) {
    const std::string out = ReplaceInRtf(RtfDocument(body), names, values);
    EXPECT_TRUE(IsBalancedRtf(out)) << out;
    std::string text = RtfToPlainText(out);
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) {
        text.resize(text.size() - 2);
    }
    return text;
}

struct ListCase {
    const char* what;
    const char* body;
    std::string names;
    std::string values;
    const char* expected;
};

TEST(ReplaceInRtf, FollowsTheListRulesInText) {
    const ListCase cases[] = {
        {"letter case of ASCII letters is ignored", "%date and %DATE", "%Date", "D", "D and D"},
        {"letters right after the name stay", "%Dates", "%Date", "D", "Ds"},
        {"a name inside another is a different name", "%YDay %TDay %Day", "%Day", "Mon",
         "%YDay %TDay Mon"},
        {"unknown placeholders stay", "%Month %Date", "%Date", "D", "%Month D"},
        {"substring of a word", "Username", "Name", "John", "UserJohn"},
        {"later fields see earlier answers", "A", "A,B", std::string("xBx") + kSep + "y", "xyx"},
        {"duplicate names: first answer wins", "N", "N,N", std::string("1") + kSep + "2", "1"},
        {"empty value leaves its name", "Name at Company", "Name,Company",
         std::string() + kSep + "ACME", "Name at ACME"},
        {"surplus values ignored", "A B", "A", std::string("1") + kSep + "2", "1 B"},
        {"fields without a value keep their name", "A B", "A,B", "1", "1 B"},
        {"inserted text is not searched again by its own name", "a a", "a", "aa", "aa aa"},
        {"matches do not overlap", "aaa", "aa", "X", "Xa"},
        {"empty name matches nothing", "A", std::string(",A"), std::string("z") + kSep + "1", "1"},
        {"equal lists change nothing", "Name and name", "Name", "name", "Name and name"},
        {"only ASCII letters fold", "\xfc\xdc", "\xdc", "U", "\xc3\xbcU"},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Expanded(c.body, c.names, c.values), c.expected);
    }
}

TEST(ReplaceInRtf, EmptyListsReturnTheSourceUnchanged) {
    const std::string doc = RtfDocument("Name");
    EXPECT_EQ(ReplaceInRtf(doc, "", "x"), doc);
    EXPECT_EQ(ReplaceInRtf(doc, "Name", ""), doc);
}

TEST(ReplaceInRtf, AReplyWithoutNamesComesBackByteForByte) {
    const std::string doc = RtfDocument("Dear {\\b customer}, \\'e9t\\'e9 \\u8364?\\tab done");
    EXPECT_EQ(ReplaceInRtf(doc, GetPlaceholderNames(),
                           GetPlaceholderValues(LocalDateTime{2026, 1, 5, 9, 5, 7})),
              doc);
}

TEST(ReplaceInRtf, AllPlaceholdersInOneReply) {
    const std::string body = "%Date|%ShortDate|%Day|%YDate|%YShortDate|%YDay|%TDate|"
                             "%TShortDate|%TDay|%Time|%ShortTime";
    EXPECT_EQ(Expanded(body, GetPlaceholderNames(),
                       GetPlaceholderValues(LocalDateTime{2026, 1, 5, 9, 5, 7})),
              "Monday, January 05, 2026|1/5/2026|Monday|Sunday, January 04, 2026|1/4/2026|"
              "Sunday|Tuesday, January 06, 2026|1/6/2026|Tuesday|9:05:07|9:05");
}

struct MarkupCase {
    const char* what;
    const char* body;
    const char* name;
    const char* expectedText;
};

// Names that are also control words, table entries or destination contents.
TEST(ReplaceInRtf, NeverTouchesMarkup) {
    const MarkupCase cases[] = {
        {"field b", "{\\b bold} b", "b", "Xold X"},
        {"field par", "par\\par apart", "par", "X\r\naXt"},
        {"field fonttbl", "fonttbl", "fonttbl", "X"},
        {"field f0", "f0 \\f0 f0", "f0", "X X"},
        {"font name", "Arial", "Arial", "X"},
        {"font name with a space", "Name Sans", "Name", "X Sans"},
        {"colour numbers", "red255", "red255", "X"},
        {"generator destination", "Riched20", "Riched", "X20"},
        {"hidden destination inside text", "a{\\*\\bkmkstart a}a", "a", "XX"},
        {"field result is text, field instruction is not",
         "{\\field{\\*\\fldinst{HYPERLINK \"Name\"}}{\\fldrslt{Name}}}", "Name", "X"},
        {"picture data", "{\\pict\\pngblip 4e616d65}Name", "4e", "Name"},
        {"name split by markup stays", "%Da{\\b te} %Da\\b te", "%Date", "%Date %Date"},
        {"name split by a line break in the source stays", "Na\r\nme", "Name", "Name"},
    };
    for (const MarkupCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string doc = RtfDocument(c.body);
        const std::string out = ReplaceInRtf(doc, c.name, "X");
        EXPECT_TRUE(IsBalancedRtf(out));
        // The markup of the document is all still there.
        EXPECT_NE(out.find("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fswiss Name Sans;}}"),
                  std::string::npos)
            << out;
        EXPECT_NE(out.find("{\\colortbl ;\\red255\\green0\\blue0;}"), std::string::npos) << out;
        EXPECT_NE(out.find("\\pard\\f0\\fs20 "), std::string::npos) << out;
        std::string text = RtfToPlainText(out);
        text.resize(text.size() - 2);
        EXPECT_EQ(text, c.expectedText) << out;
    }
}

TEST(ReplaceInRtf, EscapedCharactersCountAsTheCharacterTheyStandFor) {
    EXPECT_EQ(Expanded("Dear M\\'fcller", "M\xfcller", "Smith"), "Dear Smith");
    EXPECT_EQ(Expanded("Dear M\\'FCller", "m\xfcLLER", "Smith"), "Dear Smith");
    EXPECT_EQ(Expanded("a\\{b\\}c \\\\x", "{b},\\x", std::string("1") + kSep + "2"), "a1c 2");
    // The untouched neighbours of a match keep their original spelling.
    const std::string out = ReplaceInRtf(RtfDocument("\\'FC-Name-\\'FC"), "Name", "X");
    EXPECT_NE(out.find("\\'FC-X-\\'FC"), std::string::npos) << out;
}

TEST(ReplaceInRtf, ANameWhoseFirstCharacterIsEscapedIsStillFound) {
    // Neither a raw "%" nor a raw "N" anywhere: only the escapes can start a name.
    EXPECT_EQ(Expanded("\\'25Date", "%Date", "D"), "D");
    EXPECT_EQ(Expanded("\\'4eame and \\'25Time", "Name,%Time", std::string("Ann") + kSep + "9:05"),
              "Ann and 9:05");
    EXPECT_EQ(Expanded("a\\{b\\}", "{b}", "X"), "aX");
}

TEST(ReplaceInRtf, ValuesWithRtfSpecialsArriveIntact) {
    const std::string values[] = {"C:\\temp {draft}", "}{\\par\\b", "50% \\'41 done", "tab\there",
                                  "\\u321?"};
    for (const std::string& value : values) {
        SCOPED_TRACE(value);
        EXPECT_EQ(Expanded("[Field]", "Field", value), "[" + value + "]");
    }
}

TEST(ReplaceInRtf, LineBreaksInValuesBecomeLineBreaksOfTheText) {
    EXPECT_EQ(Expanded("<F>", "F", "one\r\ntwo\nthree"), "<one\r\ntwo\r\nthree>");
}

TEST(ReplaceInRtf, ACrEndingOneValueAndAnLfStartingTheNextMakeOneLineBreak) {
    // Values that meet are one text.
    const std::string source = "{\\rtf1 AB A}";
    const std::vector<Replacement> passes = {{"A", "x\r"}, {"B", "\ny"}};
    EXPECT_EQ(ReplaceInRtf(source, passes), "{\\rtf1 x\\line y x\\line }");
}

TEST(ReplaceInRtf, ValueAfterAControlWordWithoutSpaceDoesNotJoinIt) {
    // \fs20 ends at the backslash of \'fc; a value starting with a digit must not become
    // part of its parameter.
    const std::string doc = RtfDocument("{\\fs20\\'fcber}");
    const std::string out = ReplaceInRtf(doc,
                                         "\xfc"
                                         "ber",
                                         "5 items");
    EXPECT_NE(out.find("{\\fs20 5 items}"), std::string::npos) << out;
    EXPECT_EQ(RtfToPlainText(out), "5 items\r\n");

    const std::string out2 = ReplaceInRtf(RtfDocument("{\\fs20Name}"), "Name", "7");
    EXPECT_NE(out2.find("{\\fs20 7}"), std::string::npos) << out2;
}

TEST(ReplaceInRtf, LaterPassesFindNamesSpanningAnEarlierValue) {
    EXPECT_EQ(Expanded("xAy", "A,xBy", std::string("B") + kSep + "ok"), "ok");
    EXPECT_EQ(Expanded("\\'fcA", "A,\xfc\xfc", std::string("\xfc") + kSep + "ok"), "ok");
}

TEST(ReplaceInRtf, BinaryDataIsLeftAlone) {
    const std::string doc = RtfDocument("{\\bin6 %Date}} after %Date");
    const std::string out = ReplaceInRtf(doc, "%Date", "D");
    EXPECT_NE(out.find("{\\bin6 %Date}}"), std::string::npos) << out;
    EXPECT_NE(out.find("after D"), std::string::npos) << out;
    EXPECT_TRUE(IsBalancedRtf(out));
}

TEST(ReplaceInRtf, UnicodeEscapesAndTheirFallbacksAreMarkup) {
    // "?" is the fallback of \u8364 and never part of a name.
    EXPECT_EQ(Expanded("\\u8364?%Date", "?%Date", "X"), "\xe2\x82\xac%Date");
    EXPECT_EQ(Expanded("\\u8364?%Date", "%Date", "X"), "\xe2\x82\xacX");
    const std::string out = ReplaceInRtf(RtfDocument("{\\uc0\\u8364%Date}"), "%Date", "9 am");
    EXPECT_NE(out.find("\\u8364 9 am"), std::string::npos) << out;
}

TEST(ReplaceInRtf, TextOutsideTheDocumentGroupIsNotTouched) {
    const std::string doc = "{\\rtf1 Name}Name{Name}";
    EXPECT_EQ(ReplaceInRtf(doc, "Name", "X"), "{\\rtf1 X}Name{Name}");
}

TEST(ReplaceInRtf, DamagedSourceIsHandledWithoutLosingAnything) {
    const std::string damaged[] = {
        "{\\rtf1 Name",   "{\\rtf1 Name}}}",           "{\\rtf1 \\'zName",
        "{\\rtf1 Name\\", "{\\rtf1 \\bin999999 Name}", "{\\rtf1 \\u99999999999999999999 Name}"};
    for (const std::string& doc : damaged) {
        SCOPED_TRACE(doc);
        const std::string out = ReplaceInRtf(doc, "Name", "X");
        EXPECT_EQ(IsBalancedRtf(out), IsBalancedRtf(doc));
        EXPECT_GE(out.size(), doc.size() - 3);
    }
    EXPECT_EQ(ReplaceInRtf("{\\rtf1 \\'z Name", "Name", "X"), "{\\rtf1 \\'z X");
    // The two places after a damaged hex escape are its own: text put there could repair it.
    EXPECT_EQ(ReplaceInRtf("{\\rtf1 \\'Name}", "Name,me", std::string("X") + kSep + "ab"),
              "{\\rtf1 \\'Naab}");
    // Text right after an escape that is still open is left alone.
    EXPECT_EQ(ReplaceInRtf("{\\rtf1 \\'\\'4eame}", "Name", "X"), "{\\rtf1 \\'\\'4eame}");
    EXPECT_EQ(ReplaceInRtf("{\\rtf1 \\bin999 Name}", "Name", "X"), "{\\rtf1 \\bin999 Name}");
}

TEST(ReplaceInRtf, PlainTextBodiesAreReplacedAsPlainText) {
    EXPECT_EQ(ReplaceInRtf("Dear Name, {see} %date", "Name,%Date",
                           std::string("C:\\t {y}") + kSep + "Mon"),
              "Dear C:\\t {y}, {see} Mon");
    EXPECT_EQ(ReplaceInRtf("  {\\rtf1 Name}", "Name", "X"), "  {\\rtf1 X}");
}

TEST(ReplaceInRtf, ManyMatchesInOneLongRun) {
    std::string body;
    std::string expected;
    for (int i = 0; i < 2000; ++i) {
        body += "%Time ";
        expected += "9:05:07 ";
    }
    EXPECT_EQ(Expanded(body, "%Time", "9:05:07"), expected);
}

} // namespace
} // namespace tw
