// Seeded random documents through the replacement: the fuzz target's properties, run on every
// build so a regression shows without a fuzzing run.
#include "expansion/placeholders.h"
#include "expansion/rtf_replace_paths.h"
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

const char* const kValues[] = {
    "X",    "C:\\temp {draft}", "M\xfcller", "1",  "a\r\nb", "}{",   "\\par",
    "Name", "%Date again",      "\\'",       "-5", " lead",  "\x01", "e\tf",
    "ber"};

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
    // The property itself must be able to fail: a replacement that broke a control word.
    const std::string doc = "{\\rtf1 \\b Name}";
    EXPECT_NE(testing::MarkupOf(doc), testing::MarkupOf("{\\rtf1 \\bX}"));
    EXPECT_EQ(testing::MarkupOf(doc), testing::MarkupOf("{\\rtf1 \\b X}"));
}

} // namespace
} // namespace tw

namespace tw {
namespace {

TEST(TextsCanOverlap, FindsEveryWayTwoTextsCanShareCharacters) {
    EXPECT_TRUE(TextsCanOverlap("%Date", "%DATE"));
    EXPECT_TRUE(TextsCanOverlap("abc", "b"));
    EXPECT_TRUE(TextsCanOverlap("b", "abc"));
    EXPECT_TRUE(TextsCanOverlap("xab", "abz"));
    EXPECT_TRUE(TextsCanOverlap("abz", "xab"));
    EXPECT_FALSE(TextsCanOverlap("%Date", "%Day"));
    EXPECT_FALSE(TextsCanOverlap("%Time", "%TDay"));
    EXPECT_FALSE(TextsCanOverlap("Monday, January 05, 2026", "%Date"));
    EXPECT_FALSE(TextsCanOverlap("\xfc", "\xdc"));
}

// Every placement of two short texts over a small alphabet, tried one by one.
TEST(TextsCanOverlap, AgreesWithTryingEveryPlacement) {
    const auto tryAll = [](const std::string& a, const std::string& b) {
        const long long na = static_cast<long long>(a.size());
        const long long nb = static_cast<long long>(b.size());
        for (long long shift = 1 - nb; shift < na; ++shift) {
            bool agree = true;
            long long shared = 0;
            for (long long i = std::max(0LL, shift); i < std::min(na, shift + nb); ++i, ++shared) {
                agree = agree && FoldAscii(static_cast<unsigned char>(a[i])) ==
                                     FoldAscii(static_cast<unsigned char>(b[i - shift]));
            }
            if (agree && shared > 0) {
                return true;
            }
        }
        return false;
    };
    std::mt19937 rng(99);
    const char alphabet[] = "aAb%\xfc";
    int overlapping = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string a;
        std::string b;
        for (int k = static_cast<int>(rng() % 6); k > 0; --k) {
            a += alphabet[rng() % (sizeof alphabet - 1)];
        }
        for (int k = static_cast<int>(rng() % 6); k > 0; --k) {
            b += alphabet[rng() % (sizeof alphabet - 1)];
        }
        const bool expected = tryAll(a, b);
        ASSERT_EQ(TextsCanOverlap(a, b), expected) << "'" << a << "' '" << b << "'";
        overlapping += expected ? 1 : 0;
    }
    EXPECT_GT(overlapping, 1000);
    EXPECT_LT(overlapping, 19000);
}

TEST(PassesAreIndependent, HoldsForThePlaceholdersAndNotForInteractingFields) {
    const auto placeholders = PairReplacements(
        GetPlaceholderNames(), GetPlaceholderValues(LocalDateTime{2024, 2, 29, 0, 7, 9}));
    ASSERT_TRUE(placeholders);
    EXPECT_TRUE(PassesAreIndependent(*placeholders));
    EXPECT_FALSE(PassesAreIndependent({{"A", "xBx"}, {"B", "y"}}));
    EXPECT_TRUE(PassesAreIndependent({{"A", "y"}, {"B", "xAx"}}));
    EXPECT_FALSE(PassesAreIndependent({{"N", "1"}, {"N", "2"}}));
    EXPECT_FALSE(PassesAreIndependent({{"Name", "1"}, {"me", "2"}}));
}

TEST(PassesAreIndependent, AListTooLongToProveTakesThePassByPassWay) {
    std::vector<Replacement> passes;
    for (int i = 0; i < 3000; ++i) {
        passes.push_back({"%field" + std::to_string(i) + std::string(200, 'q'), "v"});
    }
    EXPECT_FALSE(PassesAreIndependent(passes));
    const std::string doc = "{\\rtf1 %field7" + std::string(200, 'q') + " %field12}";
    EXPECT_EQ(ReplaceInRtf(doc, passes), "{\\rtf1 v %field12}");
}

// One scan is only a shortcut: wherever it is taken it must give the pass-by-pass result.
TEST(ReplaceInRtfRandom, OneScanAgreesWithPassByPass) {
    std::mt19937 rng(7);
    const char* const names[] = {"Name",
                                 "%Date",
                                 "%Day",
                                 "Company",
                                 "\xfc"
                                 "ber",
                                 "b",
                                 "%",
                                 "N",
                                 "ame",
                                 "x y",
                                 "par",
                                 "-",
                                 "1"};
    int compared = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string doc = RandomDocument(rng);
        if (!IsRtfSource(doc)) {
            continue;
        }
        std::vector<Replacement> passes;
        const int count = 1 + static_cast<int>(rng() % 4);
        for (int k = 0; k < count; ++k) {
            passes.push_back({names[rng() % (sizeof names / sizeof *names)],
                              kValues[rng() % (sizeof kValues / sizeof *kValues)]});
        }
        if (!PassesAreIndependent(passes)) {
            continue;
        }
        ASSERT_EQ(ReplaceInRtfOneScan(doc, passes), ReplaceInRtfPassByPass(doc, passes))
            << "document: " << doc;
        ++compared;
    }
    EXPECT_GT(compared, 1000);
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// Long stretches of plain text, so the run walker's block search, its cached blocks and its
// tail all meet markup and names at every offset; name lists with many different first bytes
// take its byte-by-byte way instead.
TEST(ReplaceInRtfRandom, LongDocumentsAgreeWithTheTokenizerAndPassByPass) {
    std::mt19937 rng(4242);
    const std::string names[] = {GetPlaceholderNames(), "%Date", "Name,Company", "a,B,c,D,e,%,x y",
                                 "\xfc"
                                 "ber,\\'fc,{,Q"};
    const char filler[] = "abcdeNxyz %DdTt \xfc\x7f";
    int compared = 0;
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
        const auto passes = PairReplacements(nameList, values);
        if (passes && PassesAreIndependent(*passes)) {
            ASSERT_EQ(ReplaceInRtfOneScan(doc, *passes), ReplaceInRtfPassByPass(doc, *passes))
                << "document: " << doc << "\nnames: " << nameList;
            ++compared;
        }
    }
    EXPECT_GT(compared, 300);
}

TEST(RtfTextRunWalker, SeesTheTokenizersRunsInMarkupOfEveryKind) {
    // Hand-picked cases on top of the random ones: fallbacks, binary data, hidden groups,
    // damaged escapes and text after the document's end, each next to a marked byte.
    const std::string sources[] = {
        "{\\rtf1 %a\\u8364?%b\\uc2\\u8364 %c%d%e}",
        "{\\rtf1 %a\\bin4 %}{\\%b}",
        "{\\rtf1 {\\*\\x %a}{\\fonttbl %b}{\\b %c}%d}%e{%f}",
        "{\\rtf1 \\'4%a\\'%b\\'zz%c\\'2%d\\'25%e}",
        "{\\rtf1 \\b%a\\b0 %b\\par\r\n%c\t%d\\\\%e\\{%f}",
        "{\\rtf1 \\uc0\\u-4%a{\\uc3\\u5 \\'41\\b%b%c%d}%e\\u7\\",
        std::string("{\\rtf1 ") + std::string(70, 'x') + "%a" + std::string(40, '%') + "}",
    };
    std::array<bool, 256> marked{};
    marked['%'] = true;
    marked['a'] = true;
    for (const std::string& source : sources) {
        EXPECT_EQ(testing::WalkerRuns(source, marked), testing::TokenizerRuns(source, marked))
            << source;
        EXPECT_EQ(testing::WalkerRuns(source, marked, 0), testing::TokenizerRuns(source, marked))
            << source;
    }
    // The comparison can fail: the walker reports marks, the tokenizer's runs hold them.
    EXPECT_NE(testing::WalkerRuns("{\\rtf1 %a}", marked),
              testing::TokenizerRuns("{\\rtf1 a}", marked));
}

} // namespace
} // namespace tw
