#include "library/library_store.h"

#include "library/index_line.h"
#include "library/library_error.h"
#include "library/pending_change.h"
#include "library/text_lines.h"

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
                                    const std::vector<std::string>& lines) const {
    return WriteAllLines(files_, path, lines);
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

LibraryResult<std::vector<std::string>> LibraryStore::Apply(const DiskChange& change) {
    const LibraryResult<bool> removed = change.Apply(files_, root_);
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
