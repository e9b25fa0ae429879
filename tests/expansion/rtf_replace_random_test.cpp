// Seeded random documents through the replacement: the fuzz target's properties, run on every
// build so a regression shows without a fuzzing run.
#include "expansion/placeholders.h"
#include "rtf_replace_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tw {
namespace {

// Pieces that make RTF interesting for the scanner: markup of every kind and text near names.
const char* const kPieces[] = {
    "{",       "}",          "\\b ",     "\\b0",        "\\par ",   "\\'fc",   "\\'FC",  "\\'",
    "\\'4",    "\\\\",       "\\{",      "\\}",         "\\u8364?", "\\uc0 ",  "\\uc2 ", "\\u-4",
    "\\bin3 ", "\\*",        "{\\*\\x ", "{\\fonttbl ", "{\\pict ", "\\fs20",  "\\fs",   "\r\n",
    "\\",      "Name",       "name",     "%Date",       "%Da",      "te",      "N",      "a",
    " ",       "\xfc",       "ber",      "-",           "1",        "\\line ", "\\~",    "\t",
    "%",       "%ShortTime", "Company",  "fs",          "par",      "b",       "\\'4e",  "me"};

const char* const kValues[] = {"X",           "C:\\temp {draft}",
                               "M\xfcller",   "1",
                               "a\r\nb",      "}{",
                               "\\par",       "Name",
                               "%Date again", "\\'",
                               "-5",          " lead",
                               "\x01",        "e\tf",
                               "ber",         "\xc5\x81\xf0\x9f\x91\x8d"};

std::string RandomDocument(std::mt19937& rng) {
    std::string doc = (rng() % 5 == 0) ? "" : "{\\rtf1\\ansi ";
    const int pieces = static_cast<int>(rng() % 40);
    for (int i = 0; i < pieces; ++i) {
        doc += kPieces[rng() % (sizeof kPieces / sizeof *kPieces)];
    }
    if (rng() % 3 != 0) {
        doc += "}";
    }
    return doc;
}

TEST(ReplaceInRtfRandom, MarkupAndBalanceSurviveThousandsOfDocuments) {
    std::mt19937 rng(20261207);
    const std::string names[] = {"Name,Company",
                                 "%Date",
                                 "N,a",
                                 "\xfc"
                                 "ber,b,par",
                                 "me,Name,%Da",
                                 GetPlaceholderNames()};
    int checked = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string doc = RandomDocument(rng);
        const std::string& nameList = names[rng() % (sizeof names / sizeof *names)];
        std::string values;
        const int count = 1 + static_cast<int>(rng() % 4);
        for (int v = 0; v < count; ++v) {
            values += (v ? "\x01" : "") +
                      std::string(kValues[rng() % (sizeof kValues / sizeof *kValues)]);
        }
        const std::string problem = testing::CheckReplacement(doc, nameList, values);
        ASSERT_EQ(problem, "") << "document: " << doc << "\nnames: " << nameList
                               << "\nvalues: " << values;
        ++checked;
    }
    EXPECT_EQ(checked, 4000);
}

TEST(ReplaceInRtfRandom, TheCheckNoticesBrokenMarkup) {
    // The property itself must be able to fail, and must not fail on what values bring.
    const struct {
        const char* before;
        const char* after;
        bool same;
    } cases[] = {
        {"{\\rtf1 \\b Name}", "{\\rtf1 \\bX}", false},
        {"{\\rtf1 \\b Name}", "{\\rtf1 \\b X}", true},
        {"{\\rtf1 \\f1 A}", "{\\rtf1 \\f12 A}", false},
        {"{\\rtf1 \\f A}", "{\\rtf1 \\f0 A}", false},
        {"{\\rtf1 A}", "{\\rtf1 {A}}", false},
        {"{\\rtf1 A}", "{\\rtf1 A}}", false},
        {"{\\rtf1 {\\*\\x Name}}", "{\\rtf1 {\\*\\x Other}}", false},
        {"{\\rtf1 \\~}", "{\\rtf1 \\-}", false},
        {"{\\rtf1 ABC}", "{\\rtf1 A\\line B\\tab C\\u321?x}", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(testing::SameMarkup(c.before, c.after), c.same) << c.before << " " << c.after;
        EXPECT_EQ(testing::SameMarkup(c.after, c.before), c.same) << c.after << " " << c.before;
    }
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// Long stretches of plain text between markup, with up to eight fields.
TEST(ReplaceInRtfRandom, LongDocumentsKeepTheirMarkup) {
    std::mt19937 rng(4242);
    const std::string names[] = {GetPlaceholderNames(), "%Date", "Name,Company", "a,B,c,D,e,%,x y",
                                 "\xfc"
                                 "ber,\\'fc,{,Q"};
    const char filler[] = "abcdeNxyz %DdTt \xfc\x7f";
    for (int i = 0; i < 1500; ++i) {
        std::string doc = "{\\rtf1\\ansi ";
        const int pieces = static_cast<int>(rng() % 30);
        for (int k = 0; k < pieces; ++k) {
            doc += kPieces[rng() % (sizeof kPieces / sizeof *kPieces)];
            const int stretch = static_cast<int>(rng() % 3 == 0 ? rng() % 90 : 0);
            for (int f = 0; f < stretch; ++f) {
                doc += filler[rng() % (sizeof filler - 1)];
            }
        }
        doc += "}";
        const std::string& nameList = names[rng() % (sizeof names / sizeof *names)];
        std::string values;
        for (int v = 0; v < 8; ++v) {
            values += (v ? "\x01" : "") +
                      std::string(kValues[rng() % (sizeof kValues / sizeof *kValues)]);
        }
        const std::string problem = testing::CheckReplacement(doc, nameList, values);
        ASSERT_EQ(problem, "") << "document: " << doc << "\nnames: " << nameList
                               << "\nvalues: " << values;
    }
}

} // namespace
} // namespace tw
