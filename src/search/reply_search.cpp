#include "search/reply_search.h"

#include "expansion/code_pages.h"
#include "search/search_folding.h"

#include <algorithm>
#include <tuple>

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

// The runs of letters and digits, each as UTF-8.
std::vector<std::string> WordsOf(std::string_view folded) {
    std::vector<std::string> words;
    std::string word;
    for (char32_t c : DecodeUtf8(folded, kDefaultCodePage)) {
        if (IsWordChar(c)) {
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

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool Contains(std::string_view text, std::string_view word) {
    return text.find(word) != std::string_view::npos;
}

} // namespace

std::vector<std::string> SearchWords(std::string_view query) {
    std::vector<std::string> words;
    std::string word;
    for (char32_t c : FoldForSearch(query)) {
        if (c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == U'\u00A0') {
            if (!word.empty()) {
                words.push_back(std::move(word));
                word.clear();
            }
        } else {
            AppendUtf8(word, c);
        }
    }
    if (!word.empty()) {
        words.push_back(std::move(word));
    }
    return words;
}

ReplySearch::Folded ReplySearch::Fold(const SearchItem& item) {
    Folded f;
    f.name = FoldedUtf8(item.name);
    f.macro = FoldedUtf8(item.macro);
    f.macroName = f.macro.substr(0, f.macro.find('('));
    f.folder = FoldedUtf8(item.folder);
    f.text = FoldedUtf8(std::string_view(item.text).substr(0, kSearchedTextLength));
    f.nameWords = WordsOf(f.name);
    return f;
}

void ReplySearch::SetItems(std::vector<SearchItem> items) {
    items_ = std::move(items);
    folded_.clear();
    folded_.reserve(items_.size());
    for (const SearchItem& item : items_) {
        folded_.push_back(Fold(item));
    }
}

void ReplySearch::SetText(std::size_t item, const std::string& text) {
    items_.at(item).text = text;
    folded_.at(item).text = FoldedUtf8(std::string_view(text).substr(0, kSearchedTextLength));
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
    std::vector<Ranked> ranked;
    for (std::size_t i = 0; i < folded_.size(); ++i) {
        SearchRank rank = SearchRank::Everything;
        if (words.empty() || RankOf(folded_[i], words, rank)) {
            ranked.push_back({rank, recent.PositionOf(items_[i].key), i});
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
