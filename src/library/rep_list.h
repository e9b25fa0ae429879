#pragma once
// The reply library: owner of every TRep, shown as the nodes of a ReplyTree, with the hot-key and
// macro indexes shown in two ListModels.
//
// Errors: the load operations (LoadIndex, LoadReplyFile) report each problem through the
// MessageBoxes port and go on; between BeginLoad and EndLoad the problems are gathered and shown
// in one message at EndLoad. The write operations (SaveReply, RenameItem, MoveItem,
// DeleteFromDisk, AddNewReply, AddNewFolder) return a LibraryResult: a failure carries the
// message for the user and is shown by the caller; whatever was written before stays written.
// The disk itself (root, file system, the pending-change record) belongs to a LibraryStore.
//
// Positions in the list carry no meaning beyond the call that returned them: removing an item
// moves the last item into its place.
#include "library/library_follow.h"
#include "library/library_result.h"
#include "library/library_store.h"
#include "library/rep.h"
#include "library/rep_index_list.h"
#include "library/reply_tree.h"
#include "platform/file_system.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tw {

class DiskChange;
class ListingPrefetch;
class MessageBoxes;
struct DirIdentity;

// What giving a reply a hot key or a macro came to.
enum class Assignment {
    Assigned,      // the reply has it now
    Unchanged,     // it had it already, or an empty one was given (which clears it)
    HeldByAnother, // another reply holds it; nothing changed
};

class TRepList {
public:
    TRepList(ReplyTree& tree, ListModel& hotKeyListBox, ListModel& macroListBox,
             MessageBoxes* messages = nullptr);
    // Removes every item, so the tree and list models (and their observers) must outlive it.
    ~TRepList();
    TRepList(const TRepList&) = delete;
    TRepList& operator=(const TRepList&) = delete;

    ReplyTree& Tree;
    TRepHotKeyList HotKeys;
    TRepMacroList Macros;

    // The folder holding the root "index.sub"; a separator is appended when missing.
    void SetLibraryRoot(const std::string& root) {
        store_.SetRoot(root);
        ++changes_;
    }
    const std::string& LibraryRoot() const { return store_.Root(); }
    // Where the library's files are read and written; the computer's own file system unless set.
    // Every change goes through a check that it stays inside the library root.
    void SetFileSystem(FileSystem& files) { store_.SetFileSystem(files); }
    FileSystem& Files() const { return store_.Files(); }
    // Where the startup index of this library is kept (startup_index.h); empty: none is kept.
    void SetStartupIndexFile(const std::string& path) { store_.SetStartupIndexFile(path); }

    int Count() const { return static_cast<int>(items_.size()); }
    // Grows with every change of what the library shows: its tree, its indexes, a reply's text
    // or its root. Equal counts mean nothing changed in between.
    std::uint64_t Changes() const {
        return Tree.Changes() + HotKeys.Changes() + Macros.Changes() + changes_;
    }
    TRep* At(int position) const { return items_.at(static_cast<std::size_t>(position)).get(); }

    // --- model ---
    int AddItem(const std::string& name, TreeNode* parent);
    void DeleteAt(int position);
    void RemoveSubtree(TreeNode* node);
    void ClearAll();
    void BeginLoad();
    void EndLoad();
    void SetBody(TRep* item, const std::vector<std::string>& lines);
    // A reply's RTF source, line by line. A loaded library does not hold every reply's text: it
    // is read from the reply's file the first time it is asked for. When that fails the failure
    // is reported and the text is empty, and it is read again the next time.
    const std::vector<std::string>& BodyOf(TRep* item) const;
    int HotKeyIndexOf(const TRep* item) const { return HotKeys.IndexOf(item); }
    int MacroIndexOf(const TRep* item) const { return Macros.IndexOf(item); }

    // --- lookup and assignment ---
    int FindHotKey(const std::string& code) const { return HotKeys.Find(code); }
    int HotKeyCount() const { return HotKeys.Count(); }
    const std::string& HotKeyAt(int position) const { return HotKeys.Get(position); }
    TRep* HotKeyRep(int position) const { return HotKeys.Rep(position); }
    TRep* MacroRep(int position) const { return Macros.Rep(position); }
    // Returns the position of the macro the typed text calls, or -1. `fields` gets the stored
    // parameter list (commas kept), `values` the typed arguments joined by 0x01.
    int FindMacro(const std::string& typed, std::string* fields = nullptr,
                  std::string* values = nullptr) const;
    // An empty code or macro clears the item's own. Setting the macro the item has already
    // counts as Assigned (its spelling may change), the same hot key as Unchanged.
    Assignment SetHotKey(TRep* item, const std::string& code);
    Assignment SetMacro(TRep* item, const std::string& macro);

    // --- folder format ---
    // Completes a change that a crash left unfinished (see pending_change.h); a problem is
    // reported like a load problem.
    void FinishInterruptedChange();
    void LoadIndex(const std::string& indexPath, TreeNode* parent);
    int LoadReplyFile(const std::string& path, const std::string& name, TreeNode* parent);
    // The folder listings the last whole load made, given once.
    FolderListings TakeListings() { return std::exchange(listings_, {}); }
    enum class SaveState { Saved, ChangedElsewhere };
    // Writes the reply's file unless it changed on disk since this program last read or wrote
    // it; then nothing is written and one of the two below settles it.
    LibraryResult<SaveState> SaveReply(TRep* item);
    // Our version is written; the disk's is kept as a new reply in the same folder, named like
    // the item with kChangedElsewhereSuffix. Gives that reply (null when there was nothing to
    // keep).
    LibraryResult<TRep*> KeepMine(TRep* item);
    // The disk's macro, hot key and text replace the item's.
    LibraryResult<> TakeTheirs(TRep* item);
    static constexpr const char* kChangedElsewhereSuffix = " (changed elsewhere)";
    int FindIndexLine(const TRep* item, const std::vector<std::string>& lines) const;
    LibraryResult<> RenameItem(TRep* item, const std::string& newName);
    LibraryResult<> MoveItem(TRep* item, TRep* target);
    LibraryResult<> DeleteFromDisk(TRep* item);
    // The add commands' writes. `selected` (may be null) picks the receiving folder: the one
    // holding it, or the root. They give the new reply / folder, or null when the new reply
    // file could not be read back (reported like a load problem).
    LibraryResult<TRep*> AddNewReply(TRep* selected);
    LibraryResult<TRep*> AddNewFolder(TRep* selected);

    // How deep folders may nest before the load stops following them.
    static constexpr int kMaxFolderDepth = 64;
    // From how many folders a load with a startup index lists them ahead on a thread.
    static constexpr std::size_t kFoldersWorthListingAhead = 16;

private:
    void RemoveEntries(TRep* item);
    // `listedAs`: the folder as its parent's listing shows it, during a whole load.
    void LoadIndexAt(const std::string& indexPath, TreeNode* parent, int depth,
                     const FolderEntry* listedAs);
    // The index file's lines: from the startup index while `listed` (the file in its folder's
    // listing) still matches, else read into `read`; null when it cannot be read.
    const std::vector<std::string>* IndexLines(const std::string& path, const FolderEntry* listed,
                                               std::vector<std::string>& read);
    // `listed`: the file as its folder's listing shows it, during a whole load.
    int LoadReply(const std::string& path, const std::string& name, TreeNode* parent,
                  const FolderEntry* listed);
    bool ReadBody(TRep* item) const;
    LibraryResult<> WriteReply(TRep* item);
    void ReportError(const std::string& text) const;
    // Carries a change out; a record that outlives it is reported once.
    LibraryResult<> ApplyChange(const DiskChange& change);
    std::string IndexPathOf(const TRep* item) const;
    LibraryResult<> CheckPathsInsideLibrary(const TRep* item) const;
    // The folder node an add command writes into (null: the root) and its path, separator-ended.
    LibraryResult<TreeNode*> FolderForNewItem(TRep* selected, std::string& dir) const;
    struct NewItemPlace;
    LibraryResult<NewItemPlace> PlaceForNewItem(TRep* selected);
    int FindLineById(const TRep* item, const std::vector<std::string>& lines) const;
    void DropDuplicateLines(const TRep* item, std::vector<std::string>& lines) const;
    // Adds to `change` the rewrite of the index line that names the item.
    LibraryResult<> RenameInIndex(TRep* item, const std::string& newName, DiskChange& change);

    std::vector<std::unique_ptr<TRep>> items_;
    LibraryStore store_;
    MessageBoxes* messages_;
    struct LoadWalk;
    LoadWalk* walk_ = nullptr;                  // during a load
    std::unique_ptr<ListingPrefetch> prefetch_; // during a whole load with a startup index
    bool wholeLoad_ = false;                    // a load of the root index
    bool indexedLoad_ = false;                  // a whole load that keeps the startup index
    FolderListings listings_;                   // the folders a whole load listed
    std::string readBuffer_;                    // reused by every file the load reads
    mutable std::vector<std::string>* loadProblems_ = nullptr; // between BeginLoad and EndLoad
    std::vector<std::string> problemsOfLoad_;
    std::uint64_t changes_ = 0;
};

// The whole load: BeginLoad, ClearAll, LoadIndex of the root "index.sub", EndLoad.
void LoadReplyLibrary(TRepList& list);

} // namespace tw
