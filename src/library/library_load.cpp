#include "library/collation.h"
#include "library/index_line.h"
#include "library/library_error.h"
#include "library/rep_list.h"
#include "library/text_lines.h"
#include "platform/file_system.h"

#include <algorithm>
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

// The folder's files by name, from one listing; empty when it cannot be listed.
std::unordered_map<std::string, FolderEntry> ListedFiles(FileSystem& files,
                                                         const std::string& dir) {
    std::unordered_map<std::string, FolderEntry> byName;
    if (auto listing = files.ListFolder(dir)) {
        for (FolderEntry& e : *listing) {
            if (!e.isDir) {
                std::string name = e.name;
                byName.emplace(std::move(name), std::move(e));
            }
        }
    }
    return byName;
}

} // namespace

void TRepList::LoadIndex(const std::string& indexPath, TreeNode* parent) {
    if (visitedDirs_) {
        LoadIndexAt(indexPath, parent, 0);
        return;
    }
    // Only a whole load knows every reply, so only it may replace the startup index.
    indexedLoad_ =
        store_.KeepsStartupIndex() && indexPath == LibraryRoot() + kIndexFileName && !parent;
    if (indexedLoad_) {
        store_.BeginIndexedLoad();
    }
    std::set<DirIdentity> visited;
    visitedDirs_ = &visited;
    try {
        LoadIndexAt(indexPath, parent, 0);
    } catch (...) {
        visitedDirs_ = nullptr;
        indexedLoad_ = false;
        throw;
    }
    visitedDirs_ = nullptr;
    if (indexedLoad_) {
        store_.EndIndexedLoad();
        indexedLoad_ = false;
    }
    std::string().swap(readBuffer_); // do not keep the largest file's size for the whole run
}

void TRepList::LoadIndexAt(const std::string& indexPath, TreeNode* parent, int depth) {
    const std::string dir = DirectoryPart(indexPath);
    // A directory reached a second time (through a link, or listed twice) is not loaded again:
    // its files would otherwise belong to two items at once, or the walk would never end.
    const auto identity = Files().GetDirIdentity(dir.empty() ? std::string(".") : dir);
    std::vector<std::string> lines;
    if (depth > kMaxFolderDepth || (identity && !visitedDirs_->insert(*identity).second) ||
        !ReadLines(Files(), indexPath, lines, readBuffer_)) {
        ReportError(CantOpenMessage(indexPath));
        return;
    }
    TreeUpdate update(Tree);
    // Listed always: what a load saw of each file guards it against being written over later.
    const auto files = ListedFiles(Files(), dir.empty() ? std::string(".") : dir);
    // A line naming a file or folder that an earlier line names already is skipped: two items
    // on one file would let deleting one take the other's text with it.
    std::unordered_set<std::string> listed;
    for (const std::string& line : lines) {
        const IndexLine parts = SplitIndexLine(line);
        const bool folder = SameTextAscii(parts.kind, kFolderKind);
        if (!IsValidId(parts.id) || (!folder && !SameTextAscii(parts.kind, kReplyKind)) ||
            !listed.insert((folder ? "F" : "R") + parts.id).second) {
            continue;
        }
        if (folder) {
            TRep* folder = At(AddItem(parts.name, parent));
            folder->FolderId = parts.id;
            LoadIndexAt(dir + parts.id + kPathSep + kIndexFileName, folder->Node, depth + 1);
        } else {
            const std::string file = parts.id + kReplyExtension;
            const auto it = files.find(file);
            LoadReply(dir + file, parts.name, parent, it == files.end() ? nullptr : &it->second);
        }
    }
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
    if (auto known = indexed ? store_.TakeUnchanged(path, *listed) : std::nullopt) {
        lines = {std::move(known->macro), std::move(known->hotKey)};
    } else {
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
            store_.Remember(path, {listed->size, listed->writeTime, lines[0], lines[1]});
        }
    }
    const int position = AddItem(name, parent);
    TRep* rep = At(position);
    const std::size_t cut = path.find_last_of(kPathSep);
    rep->FileName = cut == std::string::npos ? path : path.substr(cut + 1);
    if (!lines[0].empty()) {
        Macros.Add(lines[0], rep);
    }
    if (lines[1].size() == 1 || lines[1].size() == 2) {
        HotKeys.Add(lines[1], rep);
    }
    rep->bodyOnDisk_ = true;
    return position;
}

bool TRepList::ReadBody(TRep* item) const {
    std::vector<std::string> lines;
    std::string scratch;
    // Listed before it is read: a write in between leaves the older stamp, never a newer one.
    const std::optional<FolderEntry> listed = store_.Listed(item->FullPath());
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
