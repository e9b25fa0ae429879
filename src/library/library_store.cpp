#include "library/library_store.h"

#include "library/collation.h"
#include "library/index_line.h"
#include "library/library_error.h"
#include "library/pending_change.h"
#include "library/text_lines.h"

#include <algorithm>

namespace tw {

void LibraryStore::SetRoot(const std::string& root) {
    root_ = root;
    if (!root_.empty() && root_.back() != kPathSep) {
        root_ += kPathSep;
    }
    files_.SetRoot(root_);
}

LibraryResult<std::vector<std::string>> LibraryStore::Read(const std::string& path,
                                                           std::string* raw) const {
    return ReadAllLines(files_, path, raw);
}

LibraryResult<> LibraryStore::Write(const std::string& path,
                                    const std::vector<std::string>& lines) {
    LibraryResult<> written = WriteAllLines(files_, path, lines);
    SawNow(path);
    if (written && KeepsStartupIndex()) {
        StartupIndex index = ReadStartupIndex();
        Restamp(index, {path});
        SaveStartupIndex(index);
    }
    return written;
}

LibraryResult<> LibraryStore::Settle() {
    const std::string record = root_ + kPendingChangeFileName;
    std::string bytes;
    if (root_.empty()) {
        return {};
    }
    if (files_.ReadFileBytes(record, bytes, 1u << 30) == ReadStatus::Ok) {
        if (!finishedRecord_.empty() && bytes == finishedRecord_) {
            files_.RemoveFileForce(record);
            return {};
        }
        return Failed("The last change to the library is not complete (\"" + record +
                      "\"). Start Textwright again to complete it; until then the library is "
                      "not changed.");
    }
    if (files_.FileExists(record)) {
        return Failed(CantOpenMessage(record));
    }
    return {};
}

void LibraryStore::NoteRecordLeft(const std::string& record, std::vector<std::string>& notes) {
    finishedRecord_ = record;
    if (!recordLeftReported_) {
        recordLeftReported_ = true;
        notes.push_back("File \"" + root_ + kPendingChangeFileName +
                        "\" can't be removed. The change it records is complete; the file is "
                        "removed later.");
    }
}

LibraryResult<std::vector<std::string>> LibraryStore::Apply(const DiskChange& planned) {
    DiskChange change = planned;
    MergeWithDisk(change);
    const LibraryResult<bool> removed = change.Apply(files_, root_);
    FollowChange(change, removed.Ok());
    FollowStamps(change);
    if (!removed) {
        return removed.Failure();
    }
    std::vector<std::string> notes;
    if (!removed.Value()) {
        NoteRecordLeft(change.Serialize(root_), notes);
    }
    return notes;
}

std::vector<std::string> LibraryStore::FinishInterruptedChange() {
    const PendingOutcome outcome = CompletePendingChange(files_, root_);
    std::vector<std::string> notes;
    if (!outcome.message.empty()) {
        notes.push_back(outcome.message);
    }
    if (outcome.recordLeft) {
        NoteRecordLeft(outcome.record, notes);
    }
    return notes;
}

StartupIndex LibraryStore::ReadStartupIndex() const {
    std::string bytes;
    if (files_.Inner().ReadFileBytes(indexFile_, bytes, kMaxLibraryFileBytes * 4) ==
        ReadStatus::Ok) {
        if (auto parsed = StartupIndex::Parse(bytes, root_)) {
            return std::move(*parsed);
        }
    }
    return {};
}

void LibraryStore::BeginIndexedLoad() {
    index_.Clear();
    previous_ = ReadStartupIndex();
    loadRead_ = false;
    seen_.reserve(seen_.size() + previous_.Size()); // one stamp a reply file: no rehash on the way
}

const StartupIndex::Entry* LibraryStore::TakeUnchanged(const std::string& path,
                                                       const FolderEntry& listed) {
    const std::string relative = Relative(path);
    const StartupIndex::Entry* known = previous_.Find(relative);
    if (!known || known->size != listed.size || known->writeTime != listed.writeTime) {
        return nullptr;
    }
    return previous_.MoveTo(relative, index_);
}

void LibraryStore::Remember(const std::string& path, StartupIndex::Entry entry) {
    index_.Put(Relative(path), std::move(entry));
    loadRead_ = true;
}

void LibraryStore::EndIndexedLoad() {
    // Nothing read and nothing left over: the new index would be the last one again.
    if (loadRead_ || previous_.Size() != 0) {
        SaveStartupIndex(index_);
    }
    // Not kept for the run: a change reads the file again rather than hold every reply twice.
    previous_.Clear();
    index_.Clear();
}

std::vector<std::string> LibraryStore::IndexedFolders(int maxDepth) const {
    std::vector<std::string> folders;
    const auto walk = [&](const auto& self, const std::string& relative, int depth) -> void {
        const StartupIndex::Entry* index = previous_.Find(relative + kIndexFileName);
        if (!index || depth > maxDepth) {
            return;
        }
        folders.push_back(root_ + relative);
        for (const std::string& line : index->lines) {
            const IndexLine parts = SplitIndexLine(line);
            if (SameTextAscii(parts.kind, kFolderKind) && IsValidId(parts.id)) {
                self(self, relative + parts.id + kPathSep, depth + 1);
            }
        }
    };
    walk(walk, std::string(), 0);
    return folders;
}

std::string LibraryStore::Relative(const std::string& path) const {
    return path.size() > root_.size() && path.compare(0, root_.size(), root_) == 0
               ? path.substr(root_.size())
               : std::string();
}

void LibraryStore::FollowChange(const DiskChange& change, bool done) {
    if (!KeepsStartupIndex()) {
        return;
    }
    const DiskChange::Touched touched = change.Paths();
    StartupIndex index = ReadStartupIndex();
    const auto forget = [this, &index](const std::string& path) {
        if (const std::string relative = Relative(path); !relative.empty()) {
            index.EraseBelow(relative);
        }
    };
    for (const auto& [from, to] : touched.renamed) {
        const std::string source = Relative(from);
        const std::string target = Relative(to);
        if (done && !source.empty() && !target.empty()) {
            index.MoveBelow(source, target); // a rename keeps size and last-write time
        } else {
            forget(from);
            forget(to);
        }
    }
    for (const std::string& path : touched.removed) {
        forget(path);
    }
    if (done) {
        Restamp(index, touched.written);
    } else {
        std::for_each(touched.written.begin(), touched.written.end(), forget);
    }
    SaveStartupIndex(index);
}

void LibraryStore::Restamp(StartupIndex& index, const std::vector<std::string>& paths) const {
    for (const std::string& path : paths) {
        const std::string relative = Relative(path);
        const std::size_t cut = path.find_last_of(kPathSep);
        const bool indexFile = StartupIndex::IsIndexFile(relative);
        if (relative.empty() || cut == std::string::npos ||
            (!indexFile && !relative.ends_with(kReplyExtension))) {
            continue;
        }
        index.Take(relative);
        // Listed first, read second: a write by anyone in between changes the time listed next.
        const auto listing = files_.ListFolder(path.substr(0, cut + 1));
        const std::string name = path.substr(cut + 1);
        for (const FolderEntry& e : listing ? *listing : std::vector<FolderEntry>()) {
            std::vector<std::string> lines;
            std::string scratch;
            if (e.name != name || e.isDir ||
                !ReadLines(files_, path, lines, scratch, indexFile ? SIZE_MAX : 2)) {
                continue;
            }
            if (indexFile) {
                index.Put(relative, {e.size, e.writeTime, {}, {}, std::move(lines)});
            } else if (lines.size() >= 2) {
                index.Put(relative, {e.size, e.writeTime, lines[0], lines[1], {}});
            }
        }
    }
}

void LibraryStore::SaveStartupIndex(const StartupIndex& index) const {
    FileSystem& outside = files_.Inner();
    const std::size_t cut = indexFile_.find_last_of(kPathSep);
    if (cut != std::string::npos && cut > 0) {
        outside.CreateDirectories(indexFile_.substr(0, cut));
    }
    // A failed write only costs the next start reading the files again.
    (void)outside.WriteFileAtomic(indexFile_, index.Serialize(root_));
}

std::string NextFreeReplyId(const std::string& dir, FileSystem& files) {
    for (long n = 1;; ++n) {
        const std::string id = std::to_string(n);
        const std::string path = dir + id + kReplyExtension;
        if (!files.FileExists(path) && !files.DirExists(path)) {
            return id;
        }
    }
}

std::string NextFreeFolderId(const std::string& dir, FileSystem& files) {
    for (long n = 1;; ++n) {
        const std::string id = std::to_string(n);
        if (!files.DirExists(dir + id) && !files.FileExists(dir + id)) {
            return id;
        }
    }
}

} // namespace tw
