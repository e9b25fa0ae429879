#include "library/collation.h"
#include "library/hot_key.h"
#include "library/index_line.h"
#include "library/library_error.h"
#include "library/listing_prefetch.h"
#include "library/rep_list.h"
#include "library/text_lines.h"
#include "platform/file_system.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace tw {

namespace {

std::string DirectoryPart(const std::string& path) {
    const std::size_t cut = path.find_last_of(kPathSep);
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

struct TreeUpdate {
    ReplyTree& tree;
    explicit TreeUpdate(ReplyTree& t) : tree(t) { tree.BeginUpdate(); }
    ~TreeUpdate() { tree.EndUpdate(); }
    TreeUpdate(const TreeUpdate&) = delete;
    TreeUpdate& operator=(const TreeUpdate&) = delete;
};

// The folder's entries by name; the names are those of `listing`, which must outlive the map.
std::unordered_map<std::string_view, const FolderEntry*>
EntriesByName(const std::vector<FolderEntry>& listing) {
    std::unordered_map<std::string_view, const FolderEntry*> byName;
    byName.reserve(listing.size());
    for (const FolderEntry& e : listing) {
        byName.emplace(e.name, &e);
    }
    return byName;
}

} // namespace

// The folders a load has been in. Only a link can lead to a folder a second time, so a folder
// that its parent's listing shows as a plain one is not asked for its identity, which costs an
// open of its own; from the first link on, every folder is, those walked before included.
struct TRepList::LoadWalk {
    std::set<DirIdentity> visited;
    std::vector<std::string> unidentified;
    bool identifyAll = false;

    // True the first time the folder is reached.
    bool Enter(FileSystem& files, const std::string& dir, bool root, const FolderEntry* listedAs) {
        if (!root && !identifyAll && listedAs && listedAs->isDir && !listedAs->isLink) {
            unidentified.push_back(dir);
            return true;
        }
        if (!root && !identifyAll) {
            identifyAll = true;
            for (const std::string& earlier : unidentified) {
                if (const auto identity = files.GetDirIdentity(earlier)) {
                    visited.insert(*identity);
                }
            }
            unidentified.clear();
        }
        const auto identity = files.GetDirIdentity(dir);
        return !identity || visited.insert(*identity).second;
    }
};

void TRepList::LoadIndex(const std::string& indexPath, TreeNode* parent) {
    if (walk_) {
        LoadIndexAt(indexPath, parent, 0, nullptr);
        return;
    }
    // Only a whole load knows every reply, so only it may replace the startup index.
    wholeLoad_ = indexPath == LibraryRoot() + kIndexFileName && !parent;
    indexedLoad_ = store_.KeepsStartupIndex() && wholeLoad_;
    listings_.clear();
    if (indexedLoad_) {
        store_.BeginIndexedLoad();
        // A few folders list sooner than a thread starts.
        if (std::vector<std::string> ahead = store_.IndexedFolders(kMaxFolderDepth);
            ahead.size() >= kFoldersWorthListingAhead && Files().ListsFromAnyThread()) {
            prefetch_ = std::make_unique<ListingPrefetch>(Files(), std::move(ahead));
        }
    }
    LoadWalk walk;
    walk_ = &walk;
    try {
        LoadIndexAt(indexPath, parent, 0, nullptr);
    } catch (...) {
        walk_ = nullptr;
        prefetch_.reset();
        indexedLoad_ = wholeLoad_ = false;
        throw;
    }
    walk_ = nullptr;
    prefetch_.reset();
    wholeLoad_ = false;
    if (indexedLoad_) {
        store_.EndIndexedLoad();
        indexedLoad_ = false;
    }
    std::string().swap(readBuffer_); // do not keep the largest file's size for the whole run
}

void TRepList::LoadIndexAt(const std::string& indexPath, TreeNode* parent, int depth,
                           const FolderEntry* listedAs) {
    const std::string dir = DirectoryPart(indexPath);
    const std::string listedDir = dir.empty() ? std::string(".") : dir;
    // A directory reached a second time (through a link, or listed twice) is not loaded again:
    // its files would otherwise belong to two items at once, or the walk would never end.
    if (depth > kMaxFolderDepth || !walk_->Enter(Files(), listedDir, depth == 0, listedAs)) {
        ReportError(CantOpenMessage(indexPath));
        return;
    }
    // Listed always, and before anything in it is read: what a load saw of each file guards it
    // against being written over later, and a change in between shows as another time next
    // start. A whole load keeps its listings for following the disk.
    std::optional<std::vector<FolderEntry>> listed =
        prefetch_ ? prefetch_->Take(listedDir) : Files().ListFolder(listedDir);
    const auto entries = listed ? EntriesByName(*listed)
                                : std::unordered_map<std::string_view, const FolderEntry*>();
    const auto find = [&entries](const std::string& name, bool isDir) -> const FolderEntry* {
        const auto it = entries.find(name);
        return it != entries.end() && it->second->isDir == isDir ? it->second : nullptr;
    };
    std::vector<std::string> read;
    const std::vector<std::string>* lines =
        IndexLines(indexPath, find(kIndexFileName, false), read);
    if (!lines) {
        ReportError(CantOpenMessage(indexPath));
        return;
    }
    const bool listedHere = listed.has_value();
    if (listed && wholeLoad_) {
        // Moving the vector keeps its elements, which `entries` points at.
        listings_[dir.substr(std::min(dir.size(), LibraryRoot().size()))] = std::move(*listed);
    }
    TreeUpdate update(Tree);
    // A line naming a file or folder that an earlier line names already is skipped: two items
    // on one file would let deleting one take the other's text with it.
    std::unordered_set<std::string> named;
    for (const std::string& line : *lines) {
        const IndexLine parts = SplitIndexLine(line);
        const bool folder = SameTextAscii(parts.kind, kFolderKind);
        if (!IsValidId(parts.id) || (!folder && !SameTextAscii(parts.kind, kReplyKind)) ||
            !named.insert((folder ? "F" : "R") + parts.id).second) {
            continue;
        }
        if (folder) {
            TRep* folder = At(AddItem(parts.name, parent));
            folder->FolderId = parts.id;
            const std::string inner = dir + parts.id + kPathSep + kIndexFileName;
            if (const FolderEntry* listedAs = find(parts.id, true); listedAs || !listedHere) {
                LoadIndexAt(inner, folder->Node, depth + 1, listedAs);
            } else {
                ReportError(CantOpenMessage(inner)); // not there a moment ago: nothing to list
            }
        } else {
            const std::string file = parts.id + kReplyExtension;
            LoadReply(dir + file, parts.name, parent, find(file, false));
        }
    }
}

const std::vector<std::string>* TRepList::IndexLines(const std::string& path,
                                                     const FolderEntry* listed,
                                                     std::vector<std::string>& read) {
    const bool indexed = listed && indexedLoad_;
    if (const StartupIndex::Entry* known =
            indexed ? store_.TakeUnchanged(path, *listed) : nullptr) {
        return &known->lines;
    }
    if (!ReadLines(Files(), path, read, readBuffer_)) {
        return nullptr;
    }
    if (indexed) {
        store_.Remember(path, {listed->size, listed->writeTime, {}, {}, read});
    }
    return &read;
}

int TRepList::LoadReplyFile(const std::string& path, const std::string& name, TreeNode* parent) {
    return LoadReply(path, name, parent, nullptr);
}

int TRepList::LoadReply(const std::string& path, const std::string& name, TreeNode* parent,
                        const FolderEntry* listed) {
    // Only the macro and hot key lines are needed now; the text is read when first shown.
    std::vector<std::string> lines;
    if (listed) {
        store_.Saw(path, *listed);
    }
    const bool indexed = listed && indexedLoad_;
    const StartupIndex::Entry* known = indexed ? store_.TakeUnchanged(path, *listed) : nullptr;
    if (!known) {
        if (!ReadLines(Files(), path, lines, readBuffer_, 2)) {
            ReportError(CantOpenMessage(path));
            return -1;
        }
        if (lines.size() < 2) {
            ReportError(IncorrectStructureMessage(path));
            return -1;
        }
        if (indexed) {
            // Listed before it was read: a change in between shows as another time next start.
            store_.Remember(path, {listed->size, listed->writeTime, lines[0], lines[1], {}});
        }
    }
    const std::string& macro = known ? known->macro : lines[0];
    const std::string& hotKey = known ? known->hotKey : lines[1];
    const int position = AddItem(name, parent);
    TRep* rep = At(position);
    const std::size_t cut = path.find_last_of(kPathSep);
    rep->FileName = cut == std::string::npos ? path : path.substr(cut + 1);
    if (!macro.empty()) {
        Macros.Add(macro, rep);
    }
    if (IsHotKeyLine(hotKey)) {
        HotKeys.Add(hotKey, rep);
    }
    rep->bodyOnDisk_ = true;
    return position;
}

bool TRepList::ReadBody(TRep* item) const {
    std::vector<std::string> lines;
    std::string scratch;
    // Listed before it is read: a write in between leaves the older stamp, never a newer one.
    const std::optional<FolderEntry> listed = store_.Files().StatFile(item->FullPath());
    if (!ReadLines(Files(), item->FullPath(), lines, scratch)) {
        return false;
    }
    const int macro = MacroIndexOf(item);
    const int hotKey = HotKeyIndexOf(item);
    // The whole file now matches the model: a save over it overwrites nothing unseen.
    if (listed && lines.size() >= 2 && lines[0] == (macro >= 0 ? Macros.Get(macro) : "") &&
        lines[1] == (hotKey >= 0 ? HotKeys.Get(hotKey) : "")) {
        store_.Saw(item->FullPath(), *listed);
    }
    item->body_.assign(
        std::make_move_iterator(lines.begin() + std::min<std::size_t>(2, lines.size())),
        std::make_move_iterator(lines.end()));
    item->bodyOnDisk_ = false;
    return true;
}

const std::vector<std::string>& TRepList::BodyOf(TRep* item) const {
    if (item->bodyOnDisk_ && !ReadBody(item)) {
        ReportError(CantOpenMessage(item->FullPath()));
    }
    return item->body_;
}

} // namespace tw
