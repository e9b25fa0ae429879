#pragma once
// The library on disk: its root folder, the file system every read and write goes through
// (rooted there, so that nothing outside it changes) and the record of a change made of several
// writes (pending_change.h). The model (TRepList) decides what to write; this carries it out.
#include "library/library_result.h"
#include "library/startup_index.h"
#include "platform/file_system.h"
#include "platform/rooted_file_system.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace tw {

class DiskChange;

// A file on disk against the size and last-write time last seen of it.
enum class DiskState { Unchanged, Changed, Missing, Unknown };

class LibraryStore {
public:
    LibraryStore() : files_(SystemFileSystem()) {}

    // The folder holding the root "index.sub"; a separator is appended when missing.
    void SetRoot(const std::string& root);
    const std::string& Root() const { return root_; }
    // The computer's own file system unless set.
    void SetFileSystem(FileSystem& files) { files_.SetInner(files); }
    FileSystem& Files() const { return files_; }

    LibraryResult<std::vector<std::string>> Read(const std::string& path,
                                                 std::string* raw = nullptr) const;
    LibraryResult<> Write(const std::string& path, const std::vector<std::string>& lines);

    // Before a change: a record known to be finished is removed if it can be now; any other
    // record (one the load could not complete) makes the library read-only until the next start
    // completes it, so that nothing is written over what the record expects.
    LibraryResult<> Settle();
    // Carries a change out. Done with what the user is still told although the change was made
    // (a record that outlives it, said once), usually nothing.
    LibraryResult<std::vector<std::string>> Apply(const DiskChange& change);
    // Completes a change that a crash left unfinished; returns what the user is told.
    std::vector<std::string> FinishInterruptedChange();

    // --- what was seen of each file, so that nothing written elsewhere is overwritten ---
    void Saw(const std::string& path, const FolderEntry& listed) const;
    // Takes the file as it is now; forgets a file that is not there.
    void SawNow(const std::string& path);
    DiskState Check(const std::string& path) const;

    // --- the startup index (startup_index.h), kept current by every write above ---
    // The file it is kept in, outside the library; empty (the default): none is kept.
    void SetStartupIndexFile(std::string path) { indexFile_ = std::move(path); }
    bool KeepsStartupIndex() const { return !indexFile_.empty() && !root_.empty(); }
    // A whole load reads the last run's index once, builds the new one from what it finds
    // (Remember) and writes it at the end when anything was read or has gone.
    void BeginIndexedLoad();
    // The last run's entry for a file whose listing still shows the same size and time, taken
    // into the new index (and valid until the load ends); null when the file must be read.
    const StartupIndex::Entry* TakeUnchanged(const std::string& path, const FolderEntry& listed);
    // What a file read during the load held.
    void Remember(const std::string& path, StartupIndex::Entry entry);
    void EndIndexedLoad();
    // The folders the last run's index leads a load to, in the order the load reaches them
    // while nothing changed; separator-ended, the root first.
    std::vector<std::string> IndexedFolders(int maxDepth) const;

private:
    // The record's note, once; remembers a finished record that could not be removed.
    void NoteRecordLeft(const std::string& record, std::vector<std::string>& notes);

    std::string Relative(const std::string& path) const;
    // Index writes over a content the disk no longer holds take the disk's lines with ours
    // carried over, and name again any reply file that no line names.
    void MergeWithDisk(DiskChange& change) const;
    void FollowStamps(const DiskChange& change);
    // After a change, done or undone: entries follow renames, go with removed files, and written
    // reply files are listed and read again (never trusted from what was meant to be written).
    void FollowChange(const DiskChange& change, bool done);
    void Restamp(StartupIndex& index, const std::vector<std::string>& paths) const;
    // A missing or unsound file reads as an empty index.
    StartupIndex ReadStartupIndex() const;
    void SaveStartupIndex(const StartupIndex& index) const;

    std::string root_;
    mutable RootedFileSystem files_;
    bool recordLeftReported_ = false;
    std::string finishedRecord_; // a record that could not be removed, its change complete
    std::string indexFile_;
    StartupIndex index_;    // during a load: as it finds the files
    StartupIndex previous_; // during a load: the last run's entries not taken yet
    bool loadRead_ = false; // the load read a reply file
    struct Stamp {
        std::uint64_t size = 0;
        std::uint64_t writeTime = 0;
    };
    mutable std::unordered_map<std::string, Stamp> seen_; // by full path
};

// The first n from 1 up for which dir + n + ".rep" is not a file (replies) or dir + n is not a
// directory (folders). dir ends in a separator.
std::string NextFreeReplyId(const std::string& dir, FileSystem& files = SystemFileSystem());
std::string NextFreeFolderId(const std::string& dir, FileSystem& files = SystemFileSystem());

} // namespace tw
