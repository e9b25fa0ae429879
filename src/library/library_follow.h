#pragma once
// Following changes that others make to the library on disk. The library is compared entry by
// entry with its last listing; entries this program wrote, removed or renamed since are its own
// changes, any other difference is someone else's and calls for a reload. After a reload the
// selection and the open folders are found again by their paths, which captions play no part in.
#include "platform/file_system.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tw {

class ReplyTree;
class TreeNode;

// Folder listings by folder path relative to the library root, separator-ended; the root's is
// empty.
using FolderListings = std::map<std::string, std::vector<FolderEntry>>;

// Every folder under a library root as one listing each shows it.
class LibraryListing {
public:
    // Folders in `listed` (what a load has just listed) are taken from there, not listed again.
    static LibraryListing Take(FileSystem& files, const std::string& root,
                               FolderListings listed = {});
    // The entries listed differently in `now`, gone from it or new in it, as paths relative to
    // the root; a folder gone or new as a whole also gives its own separator-ended path.
    std::set<std::string> ChangedPaths(const LibraryListing& now) const;

    // How deep the walk goes, as deep as a load follows folders.
    static constexpr int kMaxDepth = 64;

private:
    struct Entry {
        std::string name;
        bool isDir = false;
        std::uint64_t size = 0;
        std::uint64_t writeTime = 0;
        bool operator==(const Entry&) const = default;
    };
    void Walk(FileSystem& files, const std::string& root, const std::string& relative, int depth,
              FolderListings& listed);

    std::map<std::string, std::vector<Entry>> folders_;
};

// Passes everything to another file system and remembers which library entries its changes
// touched, so that the notifications they cause are known for this program's own. Whole folders
// count only where this program made, renamed or deleted the folder itself: another program's
// reply added beside one of ours is still someone else's change.
class WriteTracker : public FileSystem {
public:
    explicit WriteTracker(FileSystem& inner) : inner_(inner) {}
    void SetRoot(const std::string& root) { root_ = root; }

    // True when a change by this program since the last Take may explain the difference at
    // `path` (relative to the root, as ChangedPaths gives it).
    bool Touched(const std::string& path) const;
    void Forget() {
        paths_.clear();
        trees_.clear();
    }

    ReadStatus ReadFileBytes(const std::string& path, std::string& out,
                             std::uintmax_t maxBytes) override {
        return inner_.ReadFileBytes(path, out, maxBytes);
    }
    WriteResult WriteFileAtomic(const std::string& path, const std::string& bytes) override;
    bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
    bool DirExists(const std::string& path) override { return inner_.DirExists(path); }
    bool CreateDirectories(const std::string& path) override;
    bool RenamePath(const std::string& from, const std::string& to) override;
    bool RemoveFileForce(const std::string& path) override;
    bool DeleteTreeNoFollow(const std::string& path) override;
    std::optional<DirIdentity> GetDirIdentity(const std::string& path) override {
        return inner_.GetDirIdentity(path);
    }
    std::optional<std::vector<FolderEntry>> ListFolder(const std::string& dir) override {
        return inner_.ListFolder(dir);
    }
    std::optional<FolderEntry> StatFile(const std::string& path) override {
        return inner_.StatFile(path);
    }
    bool ListsFromAnyThread() const override { return inner_.ListsFromAnyThread(); }

private:
    // The entry at `path`; with `tree`, also everything below it.
    void Note(const std::string& path, bool tree);

    FileSystem& inner_;
    std::string root_;
    std::set<std::string> paths_;
    std::set<std::string> trees_; // separator-ended
};

// The node's place in the library: the ids of its folders and its own file or folder id,
// joined by separators. Empty for null.
std::string NodeKey(const TreeNode* node);
// The node at that place; failing that, the nearest folder above it that is still there; null
// when none is.
TreeNode* NodeNearestKey(const ReplyTree& tree, const std::string& key);

} // namespace tw
