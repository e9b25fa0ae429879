// Finding replies by what the user remembers of them, and the order of the ones delivered last.
#include "library/model_fixture.h"
#include "platform/files.h"
#include "search/library_search_items.h"
#include "search/reply_search.h"
#include "search/search_folding.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace tw {

inline void PrintTo(const SearchHit& hit, std::ostream* out) {
    *out << "{" << hit.item << " rank " << static_cast<int>(hit.rank) << "}";
}

namespace {

std::string Utf8(const std::u32string& text) {
    std::string out;
    for (char32_t c : text) {
        out += c < 0x80 ? std::string(1, static_cast<char>(c)) : "<" + std::to_string(c) + ">";
    }
    return out;
}

TEST(SearchFolding, CaseAndAccentsFoldInEveryScriptTheLibraryMeets) {
    const struct {
        std::string text;
        std::u32string folded;
    } cases[] = {
        {"M\xC3\xBCller ANSWER", U"muller answer"},
        {"M\xFCller", U"muller"}, // a library name in the ANSI code page
        {"Stra\xC3\x9F"
         "e",
         U"strasse"},
        {"\xC3\x86sop \xC5\x92uvre", U"aesop oeuvre"},
        {"\xC5\x81\xC3\xB3"
         "d\xC5\xBA \xC4\x8C"
         "esk\xC3\xA9",
         U"lodz ceske"},
        {"\xCE\x9A\xCE\x91\xCE\x9B\xCE\x89 \xCE\xBA\xCE\xB1\xCE\xBB\xCE\xAE \xCF\x82",
         U"\u03BA\u03B1\u03BB\u03B7 \u03BA\u03B1\u03BB\u03B7 \u03C3"},
        {"\xD0\x81\xD0\x9B\xD0\x9A\xD0\x90 \xD0\x84", U"\u0435\u043B\u043A\u0430 \u0454"},
        {"e\xCC\x81t\xC3\xA9", U"ete"}, // a combining acute
        {"\xE4\xB8\xAD\xE6\x96\x87 1-2", U"\u4E2D\u6587 1-2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8(c.folded), Utf8(FoldForSearch(c.text))) << c.text;
    }
}

struct Library {
    std::vector<SearchItem> items = {
        {"1.rep", "Greeting", "hi", "", "", "Hello and welcome to our support desk."},
        {"2.rep", "Refund policy", "refund", "", "Billing", "Refunds take 14 days."},
        {"3.rep", "Refused card", "", "", "Billing", "Your card was declined by the bank."},
        {"4\\1.rep", "Address", "addr(street,city)", "", "Letters / Formal", "Street and city."},
        {"4\\2.rep", "Signature", "sig", "", "Letters / Formal", "Best regards, M\xC3\xBCller"},
        {"5.rep", "Hi there", "hithere", "", "", "Hi!"},
        {"6.rep", "Welcome pack", "", "", "", "Your pack ships today."},
    };
};

TEST(ReplySearch, RanksMacroThenNameThenFolderThenTextAndRecentBreaksTies) {
    ReplySearch search;
    search.SetItems(Library().items);
    RecentReplies recent;
    recent.Delivered("6.rep");
    recent.Delivered("3.rep");
    using R = SearchRank;
    const struct {
        const char* query;
        std::vector<SearchHit> hits;
    } cases[] = {
        // The exact macro first, a longer one starting the same next, then the text.
        {"hi", {{0, R::ExactMacro}, {5, R::MacroPrefix}, {6, R::Text}}},
        {"HI", {{0, R::ExactMacro}, {5, R::MacroPrefix}, {6, R::Text}}},
        // A macro with parameters is found by its name part.
        {"addr", {{3, R::ExactMacro}}},
        // The rank decides before recency does.
        {"ref", {{1, R::MacroPrefix}, {2, R::NameWordPrefix}}},
        {"pol ref", {{1, R::NameWordPrefix}}},
        // Every word must occur somewhere, in any field.
        {"refund days", {{1, R::MacroPrefix}}},
        {"refund weeks", {}},
        // Within a rank the reply delivered last comes first, before the tree's order.
        {"billing", {{2, R::Folder}, {1, R::Folder}}},
        {"formal sig", {{4, R::Folder}}},
        // The text, with case and accents folded; the recent one comes first.
        {"welcome", {{6, R::NameWordPrefix}, {0, R::Text}}},
        {"muller", {{4, R::Text}}},
        {"declined bank", {{2, R::Text}}},
        {"  card   DECLINED ", {{2, R::Text}}},
        {"card", {{2, R::NameWordPrefix}}},
        {"nothing like it", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.hits, search.Find(c.query, recent, 50)) << c.query;
    }
}

TEST(ReplySearch, AnEmptyQueryListsRecentFirstAndTheLimitKeepsTheBest) {
    ReplySearch search;
    search.SetItems(Library().items);
    RecentReplies recent;
    recent.Delivered("4\\2.rep");
    recent.Delivered("3.rep");
    std::vector<std::size_t> order;
    for (const SearchHit& hit : search.Find("", recent, 50)) {
        order.push_back(hit.item);
    }
    EXPECT_EQ((std::vector<std::size_t>{2, 4, 0, 1, 3, 5, 6}), order);
    const auto best = search.Find("", recent, 2);
    ASSERT_EQ(2u, best.size());
    EXPECT_EQ(2u, best[0].item);
    EXPECT_EQ(4u, best[1].item);

    // A text read later is searched from then on.
    EXPECT_TRUE(search.Find("parcel", recent, 50).empty());
    search.SetText(6, "The parcel ships today.");
    EXPECT_EQ((std::vector<SearchHit>{{6, SearchRank::Text}}), search.Find("parcel", recent, 50));
}

TEST(RecentReplies, KeepsTheLastHundredMostRecentFirstAndSurvivesDamage) {
    RecentReplies recent;
    for (int i = 0; i < 120; ++i) {
        recent.Delivered(std::to_string(i) + ".rep");
    }
    recent.Delivered("110.rep"); // again: it moves to the front, not twice in the list
    ASSERT_EQ(RecentReplies::kCapacity, recent.Keys().size());
    EXPECT_EQ(0u, recent.PositionOf("110.rep"));
    EXPECT_EQ(1u, recent.PositionOf("119.rep"));
    EXPECT_EQ(RecentReplies::kNotRecent, recent.PositionOf("19.rep")) << "the oldest fell out";
    EXPECT_EQ(99u, recent.PositionOf("20.rep"));

    EXPECT_EQ(recent.Keys(), RecentReplies::Parse(recent.Serialize()).Keys());
    const struct {
        std::string text;
        std::vector<std::string> keys;
    } damaged[] = {
        {"", {}},
        {"a.rep\r\n\r\nb.rep\n", {"a.rep", "b.rep"}},
        {"a.rep\nbad\x01key\na.rep\n" + std::string(5000, 'x') + "\nc.rep", {"a.rep", "c.rep"}},
        {std::string("a.rep\0b.rep\nc.rep", 17), {"c.rep"}},
    };
    for (const auto& d : damaged) {
        EXPECT_EQ(d.keys, RecentReplies::Parse(d.text).Keys()) << d.text;
    }
    std::string many;
    for (int i = 0; i < 300; ++i) {
        many += std::to_string(i) + "\n";
    }
    EXPECT_EQ(RecentReplies::kCapacity, RecentReplies::Parse(many).Keys().size());
}

struct LibraryItems : testing::ModelFixture {};

TEST_F(LibraryItems, RepliesInTreeOrderWithFolderCaptionsKeysAndTexts) {
    list.SetLibraryRoot("lib");
    TRep* hello = Reply("Hello", nullptr, "1", "hello");
    TRep* letters = Folder("Letters", nullptr, "4");
    TRep* formal = Folder("Formal", letters, "7");
    TRep* sig = Reply("Signature", formal, "2", "", "0K");
    list.SetBody(sig, {"{\\rtf1\\ansi Best {\\b regards},\\par M\\'fcller}"});
    list.SetBody(hello, {"Hi"});

    const LibrarySearchItems found = SearchItemsOf(list);
    ASSERT_EQ(2u, found.items.size());
    EXPECT_EQ((std::vector<TRep*>{hello, sig}), found.replies);
    const SearchItem& s = found.items[1];
    EXPECT_EQ(std::string("7") + kPathSep + "2.rep", s.key.substr(s.key.find('4') + 2));
    EXPECT_EQ("Signature", s.name);
    EXPECT_EQ("", s.macro);
    EXPECT_FALSE(s.hotKey.empty());
    EXPECT_EQ("Letters / Formal", s.folder);
    EXPECT_EQ("hello", found.items[0].macro);
    EXPECT_EQ("", found.items[0].folder);
    EXPECT_TRUE(s.text.empty()) << "texts are read apart";

    // What is searched is the plain text, accents and all.
    ReplySearch search;
    search.SetItems(found.items);
    search.SetText(1, SearchTextOf(list, sig));
    EXPECT_EQ((std::vector<SearchHit>{{1, SearchRank::Text}}),
              search.Find("regards muller", RecentReplies(), 10));
}

} // namespace
} // namespace tw
