// What the library saw of its files, and the merge of an index that changed on disk meanwhile.
#include "library/index_line.h"
#include "library/index_merge.h"
#include "library/library_error.h"
#include "library/library_store.h"
#include "library/pending_change.h"
#include "library/text_lines.h"

#include <algorithm>
#include <set>

namespace tw {

void LibraryStore::Saw(const std::string& path, const FolderEntry& listed) const {
    seen_[path] = {listed.size, listed.writeTime};
}

void LibraryStore::SawNow(const std::string& path) {
    if (auto listed = files_.StatFile(path)) {
        Saw(path, *listed);
    } else {
        seen_.erase(path);
    }
}

DiskState LibraryStore::Check(const std::string& path) const {
    const auto seen = seen_.find(path);
    if (seen == seen_.end()) {
        return DiskState::Unknown;
    }
    const std::optional<FolderEntry> now = files_.StatFile(path);
    if (!now) {
        return DiskState::Missing;
    }
    return now->size == seen->second.size && now->writeTime == seen->second.writeTime
               ? DiskState::Unchanged
               : DiskState::Changed;
}

void LibraryStore::MergeWithDisk(DiskChange& change) const {
    const DiskChange::Touched touched = change.Paths();
    std::set<std::string> leaving(touched.removed.begin(), touched.removed.end());
    for (const auto& [from, to] : touched.renamed) {
        leaving.insert(from);
    }
    for (DiskChange::Rewrite write : change.WritesOverContent()) {
        std::string disk;
        if (files_.ReadFileBytes(write.path, disk, kMaxLibraryFileBytes) != ReadStatus::Ok ||
            disk == write.previous || !write.path.ends_with(kIndexFileName)) {
            continue; // unreadable: the write itself reports it
        }
        const std::vector<std::string> ours = SplitLines(write.bytes);
        std::vector<std::string> merged =
            MergeIndexLines(SplitLines(write.previous), ours, SplitLines(disk));
        const std::string dir =
            write.path.substr(0, write.path.size() - std::string_view(kIndexFileName).size());
        std::set<std::string> named;
        for (const std::string& line : merged) {
            const IndexLine parts = SplitIndexLine(line);
            if (parts.kind == kReplyKind) {
                named.insert(parts.id);
            }
        }
        const auto listing = files_.ListFolder(dir);
        for (const FolderEntry& e : listing ? *listing : std::vector<FolderEntry>()) {
            const std::string id = NameWithoutExtension(e.name);
            if (e.isDir || !IsValidReplyFileName(e.name) || named.contains(id) ||
                leaving.contains(dir + e.name)) {
                continue;
            }
            // A reply file no line names would be lost at the next start.
            std::string name = "Reply " + id;
            for (const std::string& line : ours) {
                if (const IndexLine parts = SplitIndexLine(line);
                    parts.kind == kReplyKind && parts.id == id) {
                    name = parts.name;
                }
            }
            merged.push_back(MakeIndexLine(kReplyKind, id, name));
            named.insert(id);
        }
        write.bytes = JoinLines(merged);
        write.previous = std::move(disk);
        change.Retarget(write);
    }
}

void LibraryStore::FollowStamps(const DiskChange& change) {
    const DiskChange::Touched touched = change.Paths();
    // The path itself and, for a folder, what is below it; not its namesakes ("1" and "10.rep").
    const auto forget = [this](const std::string& path) {
        const std::string below = path.ends_with(kPathSep) ? path : path + kPathSep;
        std::erase_if(seen_,
                      [&](const auto& e) { return e.first == path || e.first.starts_with(below); });
    };
    for (const auto& rename : touched.renamed) {
        forget(rename.first);
        SawNow(rename.second);
    }
    for (const std::string& path : touched.removed) {
        forget(path);
    }
    std::for_each(touched.written.begin(), touched.written.end(),
                  [this](const std::string& path) { SawNow(path); });
}

} // namespace tw
