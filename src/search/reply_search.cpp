#include "search/reply_search.h"

#include "expansion/code_pages.h"
#include "search/search_folding.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

namespace tw {
namespace {

// Longer texts are searched in their beginning only: it keeps every search within a frame.
constexpr std::size_t kSearchedTextLength = 64 * 1024;

std::string FoldedUtf8(std::string_view text) {
    std::string out;
    for (char32_t c : FoldForSearch(text)) {
        AppendUtf8(out, c);
    }
    return out;
}

bool IsWordChar(char32_t c) {
    return (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') || c >= 0x80;
}

bool IsSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == U'\u00A0';
}

// The folded text cut where `keeps` says no, each piece as UTF-8. Names are cut at every
// character that is no letter or digit; a query only at spaces, so "sig(" stays one word.
template <class Keeps> std::vector<std::string> WordsOf(std::u32string_view folded, Keeps keeps) {
    std::vector<std::string> words;
    std::string word;
    for (char32_t c : folded) {
        if (keeps(c)) {
            AppendUtf8(word, c);
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    if (!word.empty()) {
        words.push_back(std::move(word));
    }
    return words;
}

std::string FoldedText(std::string_view text) {
    return FoldedUtf8(text.substr(0, kSearchedTextLength));
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool Contains(std::string_view text, std::string_view word) {
    return text.find(word) != std::string_view::npos;
}

} // namespace

std::vector<std::string> SearchWords(std::string_view query) {
    return WordsOf(FoldForSearch(query), [](char32_t c) { return !IsSpace(c); });
}

ReplySearch::Folded ReplySearch::Fold(const SearchItem& item) {
    Folded f;
    const std::u32string name = FoldForSearch(item.name);
    for (char32_t c : name) {
        AppendUtf8(f.name, c);
    }
    f.macro = FoldedUtf8(item.macro);
    f.macroName = f.macro.substr(0, f.macro.find('('));
    f.folder = FoldedUtf8(item.folder);
    f.nameWords = WordsOf(name, IsWordChar);
    return f;
}

void ReplySearch::SetItems(std::vector<SearchItem> items) {
    std::unordered_map<std::string_view, std::size_t> before;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        before.emplace(items_[i].key, i);
    }
    std::vector<Folded> folded;
    folded.reserve(items.size());
    for (SearchItem& item : items) {
        const auto old = before.find(item.key);
        if (old == before.end()) {
            folded.push_back(Fold(item));
            folded.back().text = FoldedText(item.text);
            continue;
        }
        SearchItem& was = items_[old->second];
        Folded& wasFolded = folded_[old->second];
        if (item.name == was.name && item.macro == was.macro && item.folder == was.folder) {
            folded.push_back(std::move(wasFolded));
        } else {
            folded.push_back(Fold(item));
            folded.back().text = std::move(wasFolded.text);
        }
        // A text not given yet is the one known before, until it is read again.
        if (item.text.empty()) {
            item.text = std::move(was.text);
        } else {
            folded.back().text = FoldedText(item.text);
        }
    }
    items_ = std::move(items);
    folded_ = std::move(folded);
}

void ReplySearch::SetText(std::size_t item, const std::string& text) {
    items_.at(item).text = text;
    folded_.at(item).text = FoldedText(text);
}

bool ReplySearch::RankOf(const Folded& f, const std::vector<std::string>& words, SearchRank& rank) {
    bool withoutText = true;
    for (const std::string& w : words) {
        if (Contains(f.name, w) || Contains(f.macro, w) || Contains(f.folder, w)) {
            continue;
        }
        if (!Contains(f.text, w)) {
            return false;
        }
        withoutText = false;
    }
    if (words.size() == 1 && !f.macroName.empty() &&
        (words[0] == f.macroName || words[0] == f.macro)) {
        rank = SearchRank::ExactMacro;
    } else if (!f.macroName.empty() && StartsWith(f.macroName, words[0])) {
        rank = SearchRank::MacroPrefix;
    } else if (std::all_of(words.begin(), words.end(), [&](const std::string& w) {
                   return std::any_of(f.nameWords.begin(), f.nameWords.end(),
                                      [&](const std::string& n) { return StartsWith(n, w); });
               })) {
        rank = SearchRank::NameWordPrefix;
    } else {
        rank = withoutText ? SearchRank::Folder : SearchRank::Text;
    }
    return true;
}

std::vector<SearchHit> ReplySearch::Find(std::string_view query, const RecentReplies& recent,
                                         std::size_t limit) const {
    const std::vector<std::string> words = SearchWords(query);
    struct Ranked {
        SearchRank rank;
        std::size_t recency;
        std::size_t item;
        bool operator<(const Ranked& o) const {
            return std::tie(rank, recency, item) < std::tie(o.rank, o.recency, o.item);
        }
    };
    // Asked once per reply: a table, not a walk through the recent list each time.
    std::unordered_map<std::string_view, std::size_t> recency;
    for (std::size_t i = 0; i < recent.Keys().size(); ++i) {
        recency.emplace(recent.Keys()[i], i);
    }
    std::vector<Ranked> ranked;
    for (std::size_t i = 0; i < folded_.size(); ++i) {
        SearchRank rank = SearchRank::Everything;
        if (words.empty() || RankOf(folded_[i], words, rank)) {
            const auto position = recency.find(items_[i].key);
            ranked.push_back(
                {rank, position == recency.end() ? RecentReplies::kNotRecent : position->second,
                 i});
        }
    }
    const std::size_t kept = std::min(limit, ranked.size());
    std::partial_sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(kept),
                      ranked.end());
    std::vector<SearchHit> hits;
    hits.reserve(kept);
    for (std::size_t i = 0; i < kept; ++i) {
        hits.push_back({ranked[i].item, ranked[i].rank});
    }
    return hits;
}

} // namespace tw
