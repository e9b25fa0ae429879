#pragma once
// The reply library: owner of every TRep, shown as the nodes of a ReplyTree, with the hot-key and
// macro indexes shown in two ListModels.
//
// Errors: the load operations (LoadIndex, LoadReplyFile) report each problem through the
// MessageBoxes port and go on; between BeginLoad and EndLoad the problems are gathered and shown
// in one message at EndLoad. The write operations (SaveReply, RenameItem, MoveItem,
// DeleteFromDisk, AddNewReply, AddNewFolder) throw LibraryError when a file cannot be read or
// written; whatever they wrote before stays written.
//
// Positions in the list carry no meaning beyond the call that returned them: removing an item
// moves the last item into its place.
#include "library/rep.h"
#include "library/rep_index_list.h"
#include "library/reply_tree.h"
#include "platform/file_system.h"
#include "platform/rooted_file_system.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace tw {

class DiskChange;
struct PendingOutcome;
class MessageBoxes;
struct DirIdentity;

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
    void SetLibraryRoot(const std::string& root);
    const std::string& LibraryRoot() const { return libraryRoot_; }
    // Where the library's files are read and written; the computer's own file system unless set.
    // Every change goes through a check that it stays inside the library root.
    void SetFileSystem(FileSystem& files) { files_.SetInner(files); }
    FileSystem& Files() const { return files_; }

    int Count() const { return static_cast<int>(items_.size()); }
    TRep* At(int position) const { return items_.at(static_cast<std::size_t>(position)).get(); }

    // --- model ---
    int AddItem(const std::string& name, TreeNode* parent);
    void DeleteAt(int position);
    void RemoveSubtree(TreeNode* node);
    void ClearAll();
    void BeginLoad();
    void EndLoad();
    int SetBody(TRep* item, const std::vector<std::string>& lines);
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
    // 1 assigned, 0 the item has it already, -1 another reply holds it; 0 for an empty code/macro.
    int SetHotKey(TRep* item, const std::string& code);
    int SetMacro(TRep* item, const std::string& macro);

    // --- folder format ---
    // Completes a change that a crash left unfinished (see pending_change.h); a problem is
    // reported like a load problem.
    void FinishInterruptedChange();
    void LoadIndex(const std::string& indexPath, TreeNode* parent);
    int LoadReplyFile(const std::string& path, const std::string& name, TreeNode* parent);
    void SaveReply(TRep* item);
    int FindIndexLine(const TRep* item, const std::vector<std::string>& lines) const;
    void RenameItem(TRep* item, const std::string& newName);
    void MoveItem(TRep* item, TRep* target);
    void DeleteFromDisk(TRep* item);
    // The add commands' writes. `selected` (may be null) picks the receiving folder: the one
    // holding it, or the root. They return the new reply / folder, or null when the new reply
    // file could not be read back (after the message).
    TRep* AddNewReply(TRep* selected);
    TRep* AddNewFolder(TRep* selected);

    // How deep folders may nest before the load stops following them.
    static constexpr int kMaxFolderDepth = 64;

private:
    void RemoveEntries(TRep* item);
    void LoadIndexAt(const std::string& indexPath, TreeNode* parent, int depth);
    bool ReadBody(TRep* item) const;
    void ReportError(const std::string& text) const;
    // Before a change: a record known to be finished is removed if it can be now; any other
    // record (one the load could not complete) makes the library read-only until the next start
    // completes it, so that nothing is written over what the record expects.
    void SettlePendingChange();
    void ReportOutcome(const PendingOutcome& outcome);
    // Carries a change out; a record that outlives it is reported once.
    void ApplyChange(const DiskChange& change);
    std::string IndexPathOf(const TRep* item) const;
    void CheckPathsInsideLibrary(const TRep* item) const;
    // The folder node an add command writes into (null: the root) and its path, separator-ended.
    TreeNode* FolderForNewItem(TRep* selected, std::string& dir) const;
    int FindLineById(const TRep* item, const std::vector<std::string>& lines) const;
    void DropDuplicateLines(const TRep* item, std::vector<std::string>& lines) const;
    // Adds to `change` the rewrite of the index line that names the item.
    void RenameInIndex(TRep* item, const std::string& newName, DiskChange& change);

    std::vector<std::unique_ptr<TRep>> items_;
    std::string libraryRoot_;
    MessageBoxes* messages_;
    mutable RootedFileSystem files_;
    std::set<DirIdentity>* visitedDirs_ = nullptr; // during a load
    std::string readBuffer_;                       // reused by every file the load reads
    mutable std::vector<std::string>* loadProblems_ = nullptr; // between BeginLoad and EndLoad
    std::vector<std::string> problemsOfLoad_;
    bool recordLeftReported_ = false;
    std::string finishedRecord_; // a record that could not be removed, its change complete
};

// The whole load: BeginLoad, ClearAll, LoadIndex of the root "index.sub", EndLoad.
void LoadReplyLibrary(TRepList& list);

// The first n from 1 up for which dir + n + ".rep" is not a file (replies) or dir + n is not a
// directory (folders). dir ends in a separator.
std::string NextFreeReplyId(const std::string& dir, FileSystem& files = SystemFileSystem());
std::string NextFreeFolderId(const std::string& dir, FileSystem& files = SystemFileSystem());

} // namespace tw
