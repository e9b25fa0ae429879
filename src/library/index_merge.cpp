#include "library/index_merge.h"

#include "library/index_line.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace tw {

namespace {

// Kind and id without case: how a load matches a line to its file.
std::string KeyOf(const std::string& line) {
    const IndexLine parts = SplitIndexLine(line);
    std::string key = parts.kind + parts.id;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

// The first line of each key, by key; later duplicates describe nothing.
std::map<std::string, std::string> ByKey(const std::vector<std::string>& lines) {
    std::map<std::string, std::string> keyed;
    for (const std::string& line : lines) {
        keyed.emplace(KeyOf(line), line);
    }
    return keyed;
}

std::string PredecessorKey(const std::vector<std::string>& lines, std::size_t at) {
    return at == 0 ? std::string() : KeyOf(lines[at - 1]);
}

// The keys of ours that keep their order from base (a longest common subsequence); the others
// of base moved.
std::set<std::string> InPlace(const std::vector<std::string>& base,
                              const std::vector<std::string>& ours) {
    const std::size_t n = base.size();
    const std::size_t m = ours.size();
    std::vector<std::vector<std::size_t>> common(n + 1, std::vector<std::size_t>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = m; j-- > 0;) {
            common[i][j] = KeyOf(base[i]) == KeyOf(ours[j])
                               ? common[i + 1][j + 1] + 1
                               : std::max(common[i + 1][j], common[i][j + 1]);
        }
    }
    std::set<std::string> kept;
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        if (KeyOf(base[i]) == KeyOf(ours[j])) {
            kept.insert(KeyOf(base[i]));
            ++i;
            ++j;
        } else if (common[i + 1][j] >= common[i][j + 1]) {
            ++i;
        } else {
            ++j;
        }
    }
    return kept;
}

std::vector<std::string>::iterator Find(std::vector<std::string>& lines, const std::string& key) {
    return std::find_if(lines.begin(), lines.end(),
                        [&key](const std::string& line) { return KeyOf(line) == key; });
}

} // namespace

std::vector<std::string> MergeIndexLines(const std::vector<std::string>& base,
                                         const std::vector<std::string>& ours,
                                         const std::vector<std::string>& theirs) {
    const auto baseLines = ByKey(base);
    const auto ourLines = ByKey(ours);
    const auto theirLines = ByKey(theirs);
    std::vector<std::string> merged = theirs;

    // What we removed goes, whatever they did to it: its file has gone or moved with our change.
    for (const auto& entry : baseLines) {
        const std::string& key = entry.first;
        if (!ourLines.contains(key)) {
            std::erase_if(merged, [&key](const std::string& l) { return KeyOf(l) == key; });
        }
    }
    const std::set<std::string> inPlace = InPlace(base, ours);
    for (std::size_t i = 0; i < ours.size(); ++i) {
        const std::string key = KeyOf(ours[i]);
        if (ourLines.at(key) != ours[i]) {
            continue; // a duplicate
        }
        const bool added = !baseLines.contains(key);
        const auto theirsNow = theirLines.find(key);
        if (!added && theirsNow == theirLines.end()) {
            continue; // they removed it: their file is gone
        }
        if (added && theirsNow != theirLines.end()) {
            continue; // they added the same line: theirs stands
        }
        const bool moved = !added && !inPlace.contains(key);
        const bool theyKept = !added && theirsNow->second == baseLines.at(key);
        std::string line = ours[i];
        if (!added && !theyKept) {
            line = theirsNow->second; // both changed it: the disk's text
        }
        if (!added && !moved) {
            if (theyKept) {
                *Find(merged, key) = line;
            }
            continue;
        }
        if (!added) {
            merged.erase(Find(merged, key));
        }
        const std::string after = PredecessorKey(ours, i);
        auto at = after.empty() ? merged.begin() : Find(merged, after);
        if (at != merged.end() && !after.empty()) {
            ++at;
        } else if (!after.empty()) {
            at = merged.end();
        }
        merged.insert(at, line);
    }
    return merged;
}

} // namespace tw
