#pragma once
// Finds replies by what the user remembers of them: each word typed must occur, without regard
// to case or accents, in a reply's name, macro, folder path or text. The best matches come
// first: the exact macro, a macro that starts with the first word, a name with a word starting
// with each word typed, a match without the text, then a match in the text; within a rank the
// replies delivered last, then the tree's order.
#include "search/recent_replies.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

struct SearchItem {
    std::string key;    // the reply's path in the library: its place among the recent ones
    std::string name;   // as the tree shows it
    std::string macro;  // as stored, with its parameter list
    std::string hotKey; // as the user reads it; shown, not searched
    std::string folder; // the captions of its folders from the root, joined by " / "
    std::string text;   // the reply's plain text; empty until it is known
};

enum class SearchRank { ExactMacro, MacroPrefix, NameWordPrefix, Folder, Text, Everything };

struct SearchHit {
    std::size_t item;
    SearchRank rank;
    bool operator==(const SearchHit&) const = default;
};

class ReplySearch {
public:
    // The replies in tree order. A reply already known by its key keeps what was folded of it,
    // and its text when none is given, so a library opened again is not folded again.
    void SetItems(std::vector<SearchItem> items);
    // A reply's plain text once it has been read.
    void SetText(std::size_t item, const std::string& text);
    std::size_t Count() const { return items_.size(); }
    const SearchItem& Item(std::size_t item) const { return items_.at(item); }

    // At most `limit` hits, best first. An empty query lists every reply, the recent ones first.
    std::vector<SearchHit> Find(std::string_view query, const RecentReplies& recent,
                                std::size_t limit) const;

private:
    // The fields folded for matching, kept as UTF-8.
    struct Folded {
        std::string name, macroName, macro, folder, text;
        std::vector<std::string> nameWords;
    };
    static Folded Fold(const SearchItem& item);
    static bool RankOf(const Folded& f, const std::vector<std::string>& words, SearchRank& rank);

    std::vector<SearchItem> items_;
    std::vector<Folded> folded_;
};

// The query's words, folded as the replies' fields are.
std::vector<std::string> SearchWords(std::string_view query);

} // namespace tw
