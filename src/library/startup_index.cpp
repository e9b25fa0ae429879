#include "library/startup_index.h"

#include "library/index_line.h"
#include "library/text_lines.h"
#include "platform/files.h"

#include <charconv>
#include <cstdio>

namespace tw {

namespace {

constexpr std::string_view kHeader = "Textwright startup index 2";
constexpr std::string_view kEnd = "END ";

std::string Hex(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

bool ReadNumber(std::string_view text, std::uint64_t& value) {
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && at == end && !text.empty();
}

// "<size> <time> <path>"
bool ParseStamp(std::string_view line, StartupIndex::Entry& entry, std::string& path) {
    const std::size_t first = line.find(' ');
    const std::size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
    if (second == std::string_view::npos || second + 1 >= line.size()) {
        return false;
    }
    path = line.substr(second + 1);
    return ReadNumber(line.substr(0, first), entry.size) &&
           ReadNumber(line.substr(first + 1, second - first - 1), entry.writeTime);
}

bool StartsBelow(const std::string& path, const std::string& dir) {
    return path.size() > dir.size() && path.compare(0, dir.size(), dir) == 0 &&
           path[dir.size()] == kPathSep;
}

} // namespace

bool StartupIndex::IsIndexFile(std::string_view relative) {
    const std::string_view name = relative.substr(relative.find_last_of(kPathSep) + 1);
    return name == kIndexFileName;
}

const StartupIndex::Entry* StartupIndex::Find(const std::string& relative) const {
    const auto it = entries_.find(relative);
    return it == entries_.end() ? nullptr : &it->second;
}

void StartupIndex::Put(const std::string& relative, Entry entry) {
    entries_[relative] = std::move(entry);
}

std::optional<StartupIndex::Entry> StartupIndex::Take(const std::string& relative) {
    auto node = entries_.extract(relative);
    if (!node) {
        return std::nullopt;
    }
    return std::move(node.mapped());
}

const StartupIndex::Entry* StartupIndex::MoveTo(const std::string& relative, StartupIndex& to) {
    auto node = entries_.extract(relative);
    if (!node) {
        return nullptr;
    }
    to.entries_.erase(relative);
    return &to.entries_.insert(std::move(node)).position->second;
}

void StartupIndex::EraseBelow(const std::string& relative) {
    entries_.erase(relative);
    // Not from `relative` on: "1.rep" sorts between "1" and "1/...".
    auto it = entries_.lower_bound(relative + kPathSep);
    while (it != entries_.end() && StartsBelow(it->first, relative)) {
        it = entries_.erase(it);
    }
}

void StartupIndex::MoveBelow(const std::string& from, const std::string& to) {
    std::map<std::string, Entry> moved;
    if (auto node = entries_.extract(from)) {
        moved.emplace(to, std::move(node.mapped()));
    }
    auto it = entries_.lower_bound(from + kPathSep);
    while (it != entries_.end() && StartsBelow(it->first, from)) {
        moved.emplace(to + it->first.substr(from.size()), std::move(it->second));
        it = entries_.erase(it);
    }
    EraseBelow(to);
    entries_.merge(moved);
}

std::string StartupIndex::Serialize(const std::string& root) const {
    std::string out;
    out.reserve(64 + entries_.size() * 48);
    out.append(kHeader).append("\r\n").append(root).append("\r\n");
    out.append(std::to_string(entries_.size())).append("\r\n");
    for (const auto& [path, e] : entries_) {
        out.append(std::to_string(e.size)).append(" ").append(std::to_string(e.writeTime));
        out.append(" ").append(path).append("\r\n");
        if (IsIndexFile(path)) {
            out.append(std::to_string(e.lines.size())).append("\r\n");
            for (const std::string& line : e.lines) {
                out.append(line).append("\r\n");
            }
        } else {
            out.append(e.macro).append("\r\n").append(e.hotKey).append("\r\n");
        }
    }
    const std::string seal = Hex(HashBytes(out));
    out.append(kEnd).append(seal).append("\r\n");
    return out;
}

std::optional<StartupIndex> StartupIndex::Parse(std::string_view text, const std::string& root) {
    // The last line seals the rest: a file cut short or changed anywhere is not used.
    const std::size_t endLine = text.rfind(kEnd);
    if (endLine == std::string_view::npos ||
        text.substr(endLine) !=
            std::string(kEnd) + Hex(HashBytes(text.substr(0, endLine))) + "\r\n") {
        return std::nullopt;
    }
    // Line by line: a large index is not held twice while it is read.
    std::string_view rest = text.substr(0, endLine);
    const auto next = [&rest](std::string_view& line) {
        const std::size_t cut = rest.find("\r\n");
        if (cut == std::string_view::npos) {
            return false;
        }
        line = rest.substr(0, cut);
        rest.remove_prefix(cut + 2);
        return true;
    };
    std::string_view header, rootLine, countLine;
    std::uint64_t count = 0;
    if (!next(header) || header != kHeader || !next(rootLine) || rootLine != root ||
        !next(countLine) || !ReadNumber(countLine, count)) {
        return std::nullopt;
    }
    StartupIndex index;
    for (std::uint64_t i = 0; i < count; ++i) {
        std::string_view stamp, first, second;
        Entry entry;
        std::string path;
        if (!next(stamp) || !ParseStamp(stamp, entry, path) || !next(first)) {
            return std::nullopt;
        }
        if (IsIndexFile(path)) {
            std::uint64_t lines = 0;
            // Each line takes at least its end: a count beyond the rest is a damaged one.
            if (!ReadNumber(first, lines) || lines > rest.size() / 2) {
                return std::nullopt;
            }
            entry.lines.resize(static_cast<std::size_t>(lines));
            for (std::string& line : entry.lines) {
                if (!next(second)) {
                    return std::nullopt;
                }
                line = second;
            }
        } else if (next(second)) {
            entry.macro = first;
            entry.hotKey = second;
        } else {
            return std::nullopt;
        }
        index.entries_.emplace_hint(index.entries_.end(), std::move(path), std::move(entry));
    }
    if (!rest.empty()) {
        return std::nullopt;
    }
    return index;
}

std::string StartupIndexPath(const std::string& dataFolder, const std::string& root) {
    return WithSeparator(dataFolder) + "startup-" + Hex(HashBytes(root)) + ".idx";
}

} // namespace tw
