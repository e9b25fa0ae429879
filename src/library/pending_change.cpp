#include "library/pending_change.h"

#include "library/index_line.h"
#include "library/library_error.h"
#include "library/text_lines.h"
#include "platform/file_system.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace tw {

namespace {

constexpr const char* kHeader = "Textwright pending change 2";
constexpr int kRemovalAttempts = 3;

bool Exists(FileSystem& files, const std::string& path) {
    return files.FileExists(path) || files.DirExists(path);
}

// The path below root with '/' between its parts, or empty when it is not one of the format's
// own names (numbered folders, then a reply file, an index file or another numbered folder).
std::string Relative(const std::string& path, const std::string& root) {
    if (path.size() <= root.size() || path.compare(0, root.size(), root) != 0) {
        return {};
    }
    std::string rel = path.substr(root.size());
    std::size_t start = 0;
    while (true) {
        const std::size_t sep = rel.find(kPathSep, start);
        const std::string part = rel.substr(start, sep == std::string::npos ? sep : sep - start);
        const bool last = sep == std::string::npos;
        if (!IsValidId(part) && !(last && (IsValidReplyFileName(part) || part == kIndexFileName))) {
            return {};
        }
        if (last) {
            return rel;
        }
        rel[sep] = '/';
        start = sep + 1;
    }
}

std::string Absolute(std::string rel, const std::string& root) {
    for (char& c : rel) {
        if (c == '/') {
            c = kPathSep;
        }
    }
    std::string path = root + rel;
    return Relative(path, root).empty() ? std::string() : path;
}

// Reads "word rest\r\n" at pos.
bool ReadLine(const std::string& text, std::size_t& pos, std::string& line) {
    const std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) {
        return false;
    }
    line = text.substr(pos, end - pos);
    pos = end + 2;
    return true;
}

// A whole decimal or hexadecimal field that fits 64 bits; anything else is malformed.
std::optional<std::uint64_t> ParseNumber(const std::string& text, int base) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::string Hex(std::uint64_t value) {
    char buffer[17];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    return std::string(buffer, ec == std::errc() ? ptr : buffer);
}

// A scanner or a sync client may hold the file for a moment.
bool RemoveRecord(FileSystem& files, const std::string& record) {
    for (int attempt = 0; attempt < kRemovalAttempts; ++attempt) {
        if (files.RemoveFileForce(record) || !files.FileExists(record)) {
            return true;
        }
    }
    return false;
}

} // namespace

DiskChange::Fingerprint DiskChange::FingerprintOf(const std::string& bytes) {
    return {bytes.size(), HashBytes(bytes)};
}

void DiskChange::Write(std::string path, std::string bytes, std::optional<std::string> previous) {
    std::optional<Fingerprint> before;
    if (previous) {
        before = FingerprintOf(*previous);
    }
    steps_.push_back(
        {Kind::Write, std::move(path), {}, std::move(bytes), std::move(previous), before});
}

std::vector<DiskChange::Rewrite> DiskChange::WritesOverContent() const {
    std::vector<Rewrite> writes;
    for (const Step& s : steps_) {
        if (s.kind == Kind::Write && s.previous) {
            writes.push_back({s.path, s.bytes, *s.previous});
        }
    }
    return writes;
}

void DiskChange::Retarget(const Rewrite& write) {
    for (Step& s : steps_) {
        if (s.kind == Kind::Write && s.path == write.path) {
            s.bytes = write.bytes;
            s.previous = write.previous;
            s.before = FingerprintOf(write.previous);
        }
    }
}

DiskChange::Touched DiskChange::Paths() const {
    Touched touched;
    for (const Step& s : steps_) {
        if (s.kind == Kind::Write) {
            touched.written.push_back(s.path);
        } else if (s.kind == Kind::Rename) {
            touched.renamed.emplace_back(s.path, s.to);
        } else if (s.kind == Kind::Remove) {
            touched.removed.push_back(s.path);
        }
    }
    return touched;
}

void DiskChange::MakeDir(std::string path) {
    steps_.push_back({Kind::MakeDir, std::move(path), {}, {}, {}, {}});
}

void DiskChange::Rename(std::string from, std::string to) {
    steps_.push_back({Kind::Rename, std::move(from), std::move(to), {}, {}, {}});
}

void DiskChange::Remove(std::string path) {
    steps_.push_back({Kind::Remove, std::move(path), {}, {}, {}, {}});
}

bool DiskChange::DiskMatches(FileSystem& files) const {
    // Every content a written file may hold: from before the change, or after any of its writes.
    std::map<std::string, std::vector<std::optional<Fingerprint>>> allowed;
    for (const Step& s : steps_) {
        if (s.kind == Kind::Write) {
            allowed[s.path].push_back(s.before);
            allowed[s.path].push_back(FingerprintOf(s.bytes));
        } else if (s.kind == Kind::Rename && Exists(files, s.path) == Exists(files, s.to)) {
            return false;
        }
    }
    for (const auto& [path, states] : allowed) {
        std::uint64_t largest = 0;
        for (const auto& fp : states) {
            largest = std::max<std::uint64_t>(largest, fp ? fp->size : 0);
        }
        std::string bytes;
        std::optional<Fingerprint> now;
        const ReadStatus read = files.ReadFileBytes(path, bytes, largest);
        if (read == ReadStatus::Ok) {
            now = FingerprintOf(bytes);
        } else if (read == ReadStatus::TooLarge || Exists(files, path)) {
            return false;
        }
        if (std::find(states.begin(), states.end(), now) == states.end()) {
            return false;
        }
    }
    return true;
}

std::string DiskChange::Do(FileSystem& files, const Step& step, bool again) {
    switch (step.kind) {
    case Kind::Write: {
        WriteResult r = files.WriteFileAtomic(step.path, step.bytes);
        return r.ok ? std::string() : r.error;
    }
    case Kind::MakeDir:
        return files.CreateDirectories(step.path)
                   ? std::string()
                   : "Directory \"" + step.path + "\" can't be created.";
    case Kind::Rename:
        if (again && !Exists(files, step.path) && Exists(files, step.to)) {
            return {};
        }
        return files.RenamePath(step.path, step.to)
                   ? std::string()
                   : "\"" + step.path + "\" can't be moved to \"" + step.to + "\".";
    case Kind::Remove:
        if (files.DirExists(step.path)) {
            files.DeleteTreeNoFollow(step.path);
        } else {
            files.RemoveFileForce(step.path);
        }
        return {};
    }
    return {};
}

bool DiskChange::Undo(FileSystem& files, const Step& step) {
    switch (step.kind) {
    case Kind::Write:
        return step.previous ? files.WriteFileAtomic(step.path, *step.previous).ok
                             : files.RemoveFileForce(step.path);
    case Kind::MakeDir:
        return files.DeleteTreeNoFollow(step.path);
    case Kind::Rename:
        return files.RenamePath(step.to, step.path);
    case Kind::Remove:
        return true;
    }
    return true;
}

LibraryResult<bool> DiskChange::Apply(FileSystem& files, const std::string& root) const {
    const std::string record = root + kPendingChangeFileName;
    const bool journaled = steps_.size() > 1;
    if (journaled) {
        const WriteResult r = files.WriteFileAtomic(record, Serialize(root));
        if (!r.ok) {
            return Failed(r.error);
        }
    }
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        const std::string error = Do(files, steps_[i], false);
        if (error.empty()) {
            continue;
        }
        bool undone = true;
        for (std::size_t j = i; j-- > 0;) {
            undone = Undo(files, steps_[j]) && undone;
        }
        // When the undoing failed too, the record stays: the next start completes the change.
        if (journaled && undone) {
            RemoveRecord(files, record);
        }
        return Failed(error);
    }
    return !journaled || RemoveRecord(files, record);
}

std::string DiskChange::Serialize(const std::string& root) const {
    std::string out = std::string(kHeader) + "\r\n";
    for (const Step& s : steps_) {
        switch (s.kind) {
        case Kind::Write:
            out += "W " + Relative(s.path, root) + " " + std::to_string(s.bytes.size()) + " " +
                   (s.before ? std::to_string(s.before->size) + ":" + Hex(s.before->hash) : "-") +
                   "\r\n";
            out += s.bytes + "\r\n";
            break;
        case Kind::MakeDir:
            out += "D " + Relative(s.path, root) + "\r\n";
            break;
        case Kind::Rename:
            out += "R " + Relative(s.path, root) + " " + Relative(s.to, root) + "\r\n";
            break;
        case Kind::Remove:
            out += "X " + Relative(s.path, root) + "\r\n";
            break;
        }
    }
    return out + "END\r\n";
}

std::optional<DiskChange> DiskChange::Parse(const std::string& text, const std::string& root) {
    std::size_t pos = 0;
    std::string line;
    if (!ReadLine(text, pos, line) || line != kHeader) {
        return std::nullopt;
    }
    DiskChange change;
    while (ReadLine(text, pos, line)) {
        if (line == "END") {
            return pos == text.size() ? std::optional<DiskChange>(std::move(change)) : std::nullopt;
        }
        if (line.size() < 3 || line[1] != ' ') {
            return std::nullopt;
        }
        const std::size_t second = line.find(' ', 2);
        const std::size_t firstEnd = second == std::string::npos ? line.size() : second;
        const std::string first = Absolute(line.substr(2, firstEnd - 2), root);
        const std::string rest = second == std::string::npos ? "" : line.substr(second + 1);
        const char kind = line[0];
        if (first.empty() || (kind == 'W' || kind == 'R') != (second != std::string::npos)) {
            return std::nullopt;
        }
        if (kind == 'W') {
            const std::size_t space = rest.find(' ');
            const std::string beforeField =
                space == std::string::npos ? "" : rest.substr(space + 1);
            const std::size_t colon = beforeField.find(':');
            const auto size = ParseNumber(rest.substr(0, space), 10);
            std::optional<Fingerprint> before;
            if (beforeField != "-") {
                const auto beforeSize = ParseNumber(beforeField.substr(0, colon), 10);
                const auto beforeHash = colon == std::string::npos
                                            ? std::nullopt
                                            : ParseNumber(beforeField.substr(colon + 1), 16);
                if (!beforeSize || !beforeHash) {
                    return std::nullopt;
                }
                before = Fingerprint{*beforeSize, *beforeHash};
            }
            if (!size || *size > text.size() - pos || text.compare(pos + *size, 2, "\r\n") != 0) {
                return std::nullopt;
            }
            const std::size_t n = static_cast<std::size_t>(*size);
            change.Write(first, text.substr(pos, n), std::nullopt);
            change.steps_.back().before = before;
            pos += n + 2;
        } else if (kind == 'R') {
            const std::string to = Absolute(rest, root);
            if (to.empty()) {
                return std::nullopt;
            }
            change.Rename(first, to);
        } else if (kind == 'D') {
            change.MakeDir(first);
        } else if (kind == 'X') {
            change.Remove(first);
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

PendingOutcome CompletePendingChange(FileSystem& files, const std::string& root) {
    using State = PendingOutcome::State;
    const std::string record = root + kPendingChangeFileName;
    std::string text;
    if (root.empty() || files.ReadFileBytes(record, text, 1u << 30) != ReadStatus::Ok) {
        return {};
    }
    const auto change = DiskChange::Parse(text, root);
    if (!change) {
        return {State::Discarded, !RemoveRecord(files, record), IncorrectStructureMessage(record),
                text};
    }
    if (!change->DiskMatches(files)) {
        return {State::Discarded, !RemoveRecord(files, record),
                "A change to the library recorded in \"" + record +
                    "\" was not carried out: the files it changes have been changed since.",
                text};
    }
    for (const DiskChange::Step& step : change->steps_) {
        const std::string error = DiskChange::Do(files, step, true);
        if (!error.empty()) {
            return {State::Unfinished, false,
                    "The last change to the library could not be completed. " + error, text};
        }
    }
    return {State::Completed, !RemoveRecord(files, record), {}, text};
}

} // namespace tw
